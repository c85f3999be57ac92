#include "modMaths.h"

#include <cmath>

#include "vb/VbError.h"
#include "vb/VbRuntime.h"

namespace modMaths {

namespace {
constexpr double kPi = 3.14159265359;
}

double Frac(double x) { return x - std::floor(x); }
float Frac(float x) { return x - std::floor(x); }

double RandNormal() {
    double a, b, r;
    do {
        a = 2.0f * vb::Rnd() - 1.0f;
        b = 2.0f * vb::Rnd() - 1.0f;
        r = a * a + b * b;
    } while (!(r > 0 && r < 1));  // r = 0 would take the log of 0
    return b * std::sqrt(-2.0 * std::log(r) / r);
}

double Min(double a, double b) { return a < b ? a : b; }
double Max(double a, double b) { return a <= b ? b : a; }
double Sq(double x) { return x * x; }

double Power(double x, double y) {
    if (x < 0 && y != std::floor(y)) vb::Raise(5, "Vorn5.modMaths.Power");
    double r = std::pow(x, y);
    if (std::isinf(r) || std::isnan(r)) vb::Raise(6, "Vorn5.modMaths.Power");
    return r;
}

float ATan2(float y, float x) {
    if (x > 0) return static_cast<float>(std::atan(static_cast<double>(y / x)));
    if (x < 0) return static_cast<float>(std::atan(static_cast<double>(y / x)) + kPi);
    return static_cast<float>(y <= 0 ? -kPi / 2 : kPi / 2);
}

double RelDiff(double a, double b) {
    double m = Max(std::abs(a), std::abs(b));
    if (m == 0) return 0;
    return std::abs(a - b) / m;
}

double RoundDown(double x, double stepv) { return std::floor(vb::Div(x, stepv)) * stepv; }

}  // namespace modMaths
