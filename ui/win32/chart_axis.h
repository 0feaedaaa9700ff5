// The scales of the ranking window's chart axes.
#pragma once

namespace diz::win32 {

// An axis from `low` to `high` with a tick every `step`, both ends on a tick.
struct AxisScale {
    double low = 0.0;
    double high = 1.0;
    double step = 0.25;
    int ticks() const;  // including both ends
};

// The range from `low` to `high` widened to whole steps of 1, 2 or 5 times
// a power of ten, with about `ticks` ticks (at least 2). An empty or
// reversed range becomes [low, low + 1].
AxisScale niceScale(double low, double high, int ticks = 5);

}  // namespace diz::win32
