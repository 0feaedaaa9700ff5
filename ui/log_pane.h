// The window's log pane: read-only text that grows at its end.
#pragma once

#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QStringView>

namespace diz {

// A read-only, focusable and selectable multi-line pane that wraps lines at
// its width. Appending always brings the end into view without moving the
// keyboard focus.
//
// A run over every batting order appends hundreds of thousands of lines while
// the event loop is blocked, so the pane keeps only its last kMaxLines lines
// (older ones drop off the top; the result file has them all) and repaints
// itself at most once per kRepaintIntervalMs. Appends in between are shown by
// the next repaint, or when control returns to the event loop.
class LogPane : public QPlainTextEdit {
    Q_OBJECT
public:
    static constexpr int kMaxLines = 20000;
    static constexpr int kRepaintIntervalMs = 50;

    explicit LogPane(QWidget* parent = nullptr);

    // Adds text at the end; each '\n' ends a line.
    void appendText(QStringView text);
    // Empties the pane.
    void clearText();
    // Brings the end into view and repaints now if appends are waiting.
    void flush();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showEnd();

    QElapsedTimer m_sinceRepaint;
    bool m_pending = false;      // appended text not yet scrolled to and painted
    bool m_flushQueued = false;  // a flush waits in the event queue
};

}  // namespace diz
