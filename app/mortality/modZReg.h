#ifndef MODZREG_H
#define MODZREG_H
// What the regression estimators share: the straight-line fit of one distribution's
// included points, and the mean and standard error over the distributions.
#include <optional>
#include <vector>

#include "IZReg.h"

namespace modZReg {

// Unweighted least-squares line through the points (x[k], y[k]), k = 1..n (index 0 of
// both vectors unused). Empty with fewer than two points, or when the fit fails (two
// points leave nothing to estimate its error from, or all x are equal: the regression
// logs why).
std::optional<ZLine> FitLine(const std::vector<float>& x, const std::vector<float>& y);

// The line through the two points (x[1], y[1]) and (x[2], y[2]) (index 0 unused), which
// two points define exactly: there is nothing left to estimate its error from, and nothing
// to log. Empty when the two x are equal.
std::optional<ZLine> LineThroughTwo(const std::vector<float>& x, const std::vector<float>& y);

struct MeanSE {
    float mean = 0.0f;
    float se = 0.0f;
};

// Mean and standard error of the values in single precision: standard deviation
// sqrt((sum of squares - sum^2/n)/(n - 1)) (0 for one value), divided by sqrt(n). A
// radicand that rounding made negative counts as 0; values whose sums overflow a single
// are summed in double. Empty for no values.
std::optional<MeanSE> MeanAndSE(const std::vector<float>& values);

}  // namespace modZReg

#endif
