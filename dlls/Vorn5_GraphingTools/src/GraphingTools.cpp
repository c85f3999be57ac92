// Number helpers and tick intervals of the chart library.
#include "GraphingTools.h"

#include <cmath>

#include "vb/VbRuntime.h"

namespace Vorn5_GraphingTools {

namespace modMaths {

int16_t OrderOfMagnitude(double x, double& mantissa) {
    mantissa = x;
    // Zero and negative values have no power of ten; scaling them would never end.
    if (!(x > 0) || !std::isfinite(x)) return 0;
    int16_t k = 0;
    if (mantissa < 1) {
        while (mantissa < 1) {
            mantissa *= 10;
            --k;
        }
    } else {
        while (mantissa > 9) {
            mantissa /= 10;
            ++k;
        }
    }
    return k;
}

int16_t OrderOfMagnitude(double x) {
    double m;
    return OrderOfMagnitude(x, m);
}

double RoundToPlaces(double x, int32_t n) {
    double p = std::pow(10.0, n);
    return vb::Int(x * p + 0.5) / p;
}

double Min(double a, double b) { return a >= b ? b : a; }
double Max(double a, double b) { return a > b ? a : b; }

}  // namespace modMaths

namespace TicksAndScales {

void CalcTickInterval(double& min, double& max, double& interval, bool widen) {
    double d = std::fabs(max - min);
    if (d == 0 || !std::isfinite(d)) {
        interval = 0;
        return;
    }
    double k = vb::Fix(std::log10(d)) + 1;
    double base = std::pow(10.0, k);
    double bestScore = 99;
    interval = 0;
    for (double s : {0.01, 0.02, 0.05, 0.1, 0.2, 0.5}) {
        double step = base * s;
        double count = std::nearbyint(d / step);  // halves to even
        double score = std::fabs(5 - count);
        if (score < bestScore) {
            bestScore = score;
            interval = step;
        }
    }
    if (!widen) return;
    // The loops below move a bound by at most a step or two; the cap keeps a bound whose
    // magnitude swamps the interval from looping.
    double lo = vb::Fix(min / interval) * interval;
    for (int n = 0; lo > min && n < 4; ++n) lo -= interval;
    double hi = vb::Fix(max / interval) * interval;
    for (int n = 0; hi < max && n < 4; ++n) hi += interval;
    min = lo;
    max = hi;
}

}  // namespace TicksAndScales

}  // namespace Vorn5_GraphingTools
