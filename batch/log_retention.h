// How much of a run's stream of lines the windows' log panes keep, and how
// often they take it in: the same in every front-end.
#pragma once

namespace diz {

// A log pane keeps about its last kLogMaxLines lines; older ones drop off the
// top (the result file has them all), so a full pane never stops a run.
inline constexpr int kLogMaxLines = 20000;
// Appended text goes into the pane at most once per kLogRepaintIntervalMs,
// and the pane repaints then; text appended in between waits until the next
// such update or until the window's event loop runs again.
inline constexpr int kLogRepaintIntervalMs = 50;

}  // namespace diz
