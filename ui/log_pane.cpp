#include "ui/log_pane.h"

#include <QKeyEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>

namespace diz {

LogPane::LogPane(QWidget* parent) : QPlainTextEdit(parent) {
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setUndoRedoEnabled(false);
    setMaximumBlockCount(kMaxLines);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTabChangesFocus(true);
}

void LogPane::appendText(QStringView text) {
    QTextCursor end(document());
    end.movePosition(QTextCursor::End);
    end.insertText(text.toString());
    m_pending = true;

    if (!m_sinceRepaint.isValid() || m_sinceRepaint.elapsed() >= kRepaintIntervalMs) {
        flush();
    } else if (!m_flushQueued) {
        // The last appends of a burst get painted once the event loop runs again.
        m_flushQueued = true;
        QMetaObject::invokeMethod(this, &LogPane::flush, Qt::QueuedConnection);
    }
}

void LogPane::clearText() {
    clear();
    m_pending = false;
}

void LogPane::flush() {
    m_flushQueued = false;
    if (!m_pending) return;
    m_pending = false;
    showEnd();
    // Synchronous, because during a run the event loop does not get to paint.
    viewport()->repaint();
    verticalScrollBar()->repaint();
    m_sinceRepaint.start();
}

void LogPane::showEnd() {
    QTextCursor caret = textCursor();
    caret.movePosition(QTextCursor::End);
    setTextCursor(caret);
    ensureCursorVisible();
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void LogPane::keyPressEvent(QKeyEvent* event) {
    // Enter in the log does nothing; in particular it does not reach the dialog.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

}  // namespace diz
