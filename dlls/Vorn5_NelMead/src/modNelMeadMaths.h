#ifndef MODNELMEADMATHS_H
#define MODNELMEADMATHS_H
// Helpers of the simplex's convergence tests.

namespace modNelMeadMaths {
double Max(double a, double b);
// |a - b| relative to the larger magnitude: 0 when both are 0, 1.79E+308 when the larger
// reaches 1.79E+308.
double RelDiff(double a, double b);
}  // namespace modNelMeadMaths

#endif
