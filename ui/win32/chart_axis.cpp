#include "ui/win32/chart_axis.h"

#include <algorithm>
#include <cmath>

namespace diz::win32 {
namespace {

// The step of 1, 2 or 5 times a power of ten nearest above `rough`.
double niceStep(double rough) {
    const double magnitude = std::pow(10.0, std::floor(std::log10(rough)));
    const double fraction = rough / magnitude;
    const double nice = fraction <= 1.0   ? 1.0
                        : fraction <= 2.0 ? 2.0
                        : fraction <= 5.0 ? 5.0
                                          : 10.0;
    return nice * magnitude;
}

}  // namespace

int AxisScale::ticks() const { return static_cast<int>(std::lround((high - low) / step)) + 1; }

AxisScale niceScale(double low, double high, int ticks) {
    if (!(high > low)) high = low + 1.0;
    const double step = niceStep((high - low) / std::max(1, ticks - 1));
    // A bound that already lies on a step (within rounding) stays put.
    const double slack = step * 1e-9;
    return {std::floor((low + slack) / step) * step, std::ceil((high - slack) / step) * step, step};
}

}  // namespace diz::win32
