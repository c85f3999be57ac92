#include "modZReg.h"

#include <algorithm>
#include <cmath>

#include "clsRegression.h"

namespace modZReg {

namespace {

std::optional<ZLine> LineThroughTwo(const std::vector<float>& x, const std::vector<float>& y) {
    const double dx = static_cast<double>(x[2]) - x[1];
    if (dx == 0.0) return std::nullopt;
    const double b = (static_cast<double>(y[2]) - y[1]) / dx;
    const double a = y[1] - b * x[1];
    return ZLine{static_cast<float>(a), static_cast<float>(b)};
}

// The same in double, for values whose single sums overflow: the mean and the standard
// error of singles fit a single again.
MeanSE MeanAndSEInDouble(const std::vector<float>& values) {
    const auto n = static_cast<double>(values.size());
    double sum = 0.0, sumSq = 0.0;
    for (float v : values) {
        sum += v;
        sumSq += static_cast<double>(v) * v;
    }
    const double radicand = values.size() >= 2 ? (sumSq - sum * sum / n) / (n - 1.0) : 0.0;
    const double sd = std::sqrt(std::max(radicand, 0.0));
    return MeanSE{static_cast<float>(sum / n), static_cast<float>(sd / std::sqrt(n))};
}

}  // namespace

std::optional<ZLine> FitLine(const std::vector<float>& x, const std::vector<float>& y) {
    const auto n = static_cast<int32_t>(x.size()) - 1;
    if (n < 2) return std::nullopt;
    // The regression would divide by n - 2 for the standard errors.
    if (n == 2) return LineThroughTwo(x, y);
    clsRegression reg;
    reg.Create(n);
    reg.setX(x);
    reg.setY(y);
    if (!reg.Fit()) return std::nullopt;
    return ZLine{static_cast<float>(reg.A()), static_cast<float>(reg.B())};
}

std::optional<MeanSE> MeanAndSE(const std::vector<float>& values) {
    const auto n = static_cast<int32_t>(values.size());
    if (n < 1) return std::nullopt;
    float sum = 0.0f, sumSq = 0.0f;
    for (float v : values) {
        sum += v;
        sumSq += v * v;
    }
    // Values beyond about 1.8E+19 overflow the single sums (infinity minus infinity would
    // give no number): those are taken in double.
    if (!std::isfinite(sumSq) || !std::isfinite(sum * sum)) return MeanAndSEInDouble(values);
    float sd = 0.0f;
    if (n >= 2) {
        float radicand = (sumSq - sum * sum / static_cast<float>(n)) / static_cast<float>(n - 1);
        // Equal values can leave a tiny negative remainder.
        if (radicand < 0.0f) radicand = 0.0f;
        sd = static_cast<float>(std::sqrt(static_cast<double>(radicand)));
    }
    return MeanSE{sum / static_cast<float>(n), static_cast<float>(sd / std::sqrt(static_cast<double>(n)))};
}

}  // namespace modZReg
