#include "modNelMeadMaths.h"

#include "clsNelMead.h"

#include <cmath>

namespace modNelMeadMaths {

double Max(double a, double b) { return a > b ? a : b; }

double RelDiff(double a, double b)
{
    const double m = Max(std::fabs(a), std::fabs(b));
    if (m >= clsNelMead::Unset) return clsNelMead::Unset;
    if (m > 0.0) return std::fabs(a - b) / m;
    return 0.0;
}

}  // namespace modNelMeadMaths
