// The window's log pane: read-only text that grows at its end.
#pragma once

#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QStringView>

#include "batch/log_retention.h"

class QTextCursor;

namespace diz {

// A read-only, focusable and selectable multi-line pane that wraps lines at
// its width. Appending always brings the end into view without moving the
// keyboard focus.
//
// A run over every batting order appends hundreds of thousands of lines while
// the event loop is blocked, so the pane
//  - keeps only about its last kMaxLines lines: older ones drop off the top
//    (the result file has them all), and a full pane never stops a run;
//  - takes appended text into its document at most once per
//    kRepaintIntervalMs, in one edit, and repaints at once; text appended in
//    between waits until the next such update or until control returns to
//    the event loop;
//  - stores kLinesPerBlock lines per text block, joined by line separators
//    (U+2028, copied out as line ends), since the document's cost grows with
//    its blocks and only the blocks in view are laid out.
class LogPane : public QPlainTextEdit {
    Q_OBJECT
  public:
    static constexpr int kMaxLines = kLogMaxLines;
    static constexpr int kRepaintIntervalMs = kLogRepaintIntervalMs;
    static constexpr int kLinesPerBlock = 32;

    explicit LogPane(QWidget* parent = nullptr);

    // Adds text at the end; each '\n' ends a line.
    void appendText(QStringView text);
    // Empties the pane.
    void clearText();
    // Takes in the waiting text, brings the end into view and repaints now.
    void flush();
    // The whole text, waiting text included.
    QString contents();

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void keepLastWaitingLines();
    void dropOldestLines(QTextCursor& cursor);
    void showEnd();

    QElapsedTimer m_sinceRepaint;
    QString m_waiting;             // appended, not yet in the document
    qsizetype m_waitingLines = 0;  // line ends in m_waiting
    qsizetype m_lines = 0;         // line ends in the document
    int m_linesInLastBlock = 0;    // line ends in the document's last block
    bool m_flushQueued = false;    // a flush waits in the event queue
};

}  // namespace diz
