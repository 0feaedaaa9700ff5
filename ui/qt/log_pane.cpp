#include "ui/qt/log_pane.h"

#include <QKeyEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <algorithm>

namespace diz {

LogPane::LogPane(QWidget* parent) : QPlainTextEdit(parent) {
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setUndoRedoEnabled(false);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTabChangesFocus(true);
}

void LogPane::appendText(QStringView text) {
    m_waiting += text;
    m_waitingLines += text.count(u'\n');
    // Nothing that would drop off the top at once is kept waiting.
    if (m_waitingLines > 2 * kMaxLines) keepLastWaitingLines();
    if (!m_sinceRepaint.isValid() || m_sinceRepaint.elapsed() >= kRepaintIntervalMs) {
        flush();
    } else if (!m_flushQueued) {
        // The last appends of a burst are shown once the event loop runs again.
        m_flushQueued = true;
        QMetaObject::invokeMethod(this, &LogPane::flush, Qt::QueuedConnection);
    }
}

void LogPane::clearText() {
    m_waiting.clear();
    m_waitingLines = 0;
    m_lines = 0;
    m_linesInLastBlock = 0;
    clear();
}

void LogPane::keepLastWaitingLines() {
    // Cut after the line end that starts the last kMaxLines lines.
    qsizetype cut = m_waiting.size();
    for (qsizetype ends = 0; ends <= kMaxLines && cut > 0;) {
        cut = m_waiting.lastIndexOf(u'\n', cut - 1);
        if (cut < 0) return;
        ++ends;
    }
    m_waiting.remove(0, cut + 1);
    m_waitingLines = kMaxLines;
}

void LogPane::flush() {
    m_flushQueued = false;
    if (m_waiting.isEmpty()) return;
    if (m_waitingLines >= kMaxLines) {
        // The waiting text alone fills the pane: the old text goes at once.
        keepLastWaitingLines();
        clear();
        m_lines = 0;
        m_linesInLastBlock = 0;
    }
    // Lines go into the document kLinesPerBlock to a text block, with line
    // separators between them inside a block: making a block costs far more
    // than a line within one, and only the blocks in view get laid out.
    for (QChar& c : m_waiting) {
        if (c != u'\n') continue;
        if (++m_linesInLastBlock < kLinesPerBlock) {
            c = QChar::LineSeparator;
        } else {
            m_linesInLastBlock = 0;
        }
    }
    // One edit for the insertion and the trimming: inside an edit block the
    // cursors do not lay out the text they pass over.
    QTextCursor end(document());
    end.beginEditBlock();
    end.movePosition(QTextCursor::End);
    end.insertText(m_waiting);
    m_lines += m_waitingLines;
    m_waiting.clear();
    m_waitingLines = 0;
    dropOldestLines(end);
    end.endEditBlock();
    showEnd();
    // Synchronous, because during a run the event loop does not get to paint.
    viewport()->repaint();
    verticalScrollBar()->repaint();
    m_sinceRepaint.start();
}

void LogPane::dropOldestLines(QTextCursor& cursor) {
    // Whole blocks go from the top while at least kMaxLines lines stay; every
    // block but the last holds kLinesPerBlock lines.
    const qsizetype surplusBlocks = (m_lines - kMaxLines) / kLinesPerBlock;
    const int blocks = static_cast<int>(std::min<qsizetype>(surplusBlocks, blockCount() - 1));
    if (blocks <= 0) return;
    cursor.setPosition(0);
    cursor.setPosition(document()->findBlockByNumber(blocks).position(), QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    m_lines -= static_cast<qsizetype>(blocks) * kLinesPerBlock;
}

QString LogPane::contents() {
    flush();
    return toPlainText();
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
