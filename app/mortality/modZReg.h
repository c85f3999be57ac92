#ifndef MODZREG_H
#define MODZREG_H
// What the regression estimators share: the straight-line fit of one distribution's
// included points, and the mean and standard error over the distributions.
#include <optional>
#include <vector>

#include "IZReg.h"

namespace modZReg {

// Unweighted least-squares line through the points (x[k], y[k]), k = 1..n (index 0 of
// both vectors unused). Two points give the line through them, which they define exactly:
// there is nothing left to estimate an error from, so the regression is not asked and
// nothing is logged. Empty with fewer than two points, with two of equal x, or when the
// fit fails (all x equal: the regression logs why).
std::optional<ZLine> FitLine(const std::vector<float>& x, const std::vector<float>& y);

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
