// Weighted least-squares straight line, after the fit routine of Press et al.,
// "Numerical Recipes", sec. 15.2: the abscissae are centred (t = (x - mean)/sigma) before
// the slope is formed, which keeps the slope accurate when x is far from 0. Without
// weights the standard errors are scaled by sqrt(chi2/(n - 2)), so two points cannot be
// fitted (a division by zero, logged). A negative weight enters the sums but not the
// centred slope, as the routine always did.
#include "clsRegression.h"

#include <cmath>
#include <exception>

#include "vb/VbRuntime.h"

namespace {

constexpr int32_t kZeroPoints = 2281;
constexpr const char* kSource = "clsRegression";

}  // namespace

void clsRegression::Create(int32_t lNoPoints)
{
    if (lNoPoints < 1) vb::Raise(9, kSource);
    n_ = lNoPoints;
    x_.assign(n_ + 1, 0.0);
    y_.assign(n_ + 1, 0.0);
    w_.assign(n_ + 1, 0.0);
}

template <typename T> void clsRegression::Copy(std::vector<double>& to, const std::vector<T>& from)
{
    if (n_ < 1 || static_cast<int64_t>(from.size()) < static_cast<int64_t>(n_) + 1)
        vb::Raise(9, kSource);
    for (int32_t i = 1; i <= n_; ++i) to[i] = static_cast<double>(from[i]);
}

void clsRegression::setX(const std::vector<double>& vdata) { Copy(x_, vdata); }
void clsRegression::setX(const std::vector<float>& vdata) { Copy(x_, vdata); }
void clsRegression::setY(const std::vector<double>& vdata) { Copy(y_, vdata); }
void clsRegression::setY(const std::vector<float>& vdata) { Copy(y_, vdata); }
void clsRegression::setWeights(const std::vector<double>& vdata)
{
    Copy(w_, vdata);
    weighted_ = true;
}
void clsRegression::setWeights(const std::vector<float>& vdata)
{
    Copy(w_, vdata);
    weighted_ = true;
}

bool clsRegression::Fit()
{
    try {
        DoFit();
        return true;
    } catch (const std::exception& e) {
        // Logged only: the callers test the result and report the failure themselves.
        errorHandler_.HandleError(AsVbError(e, kSource), std::string(kSource), Hald_Error::LogOnly);
        return false;
    }
}

void clsRegression::DoFit()
{
    if (n_ == 0)
        throw VbError(vbObjectError + kZeroPoints, kSource, "Cannot Regress with Zero Points.");

    double s = 0, sx = 0, sy = 0, sxx = 0, syy = 0, sxy = 0;
    for (int32_t i = 1; i <= n_; ++i) {
        const double w = weighted_ ? w_[i] : 1.0;
        const double x = x_[i], y = y_[i];
        s += w;
        sx += w * x;
        sy += w * y;
        sxx += w * x * x;
        syy += w * y * y;
        sxy += w * x * y;
    }
    s = vb::Checked(s, kSource);
    sx = vb::Checked(sx, kSource);
    sy = vb::Checked(sy, kSource);
    sxx = vb::Checked(sxx, kSource);
    syy = vb::Checked(syy, kSource);
    sxy = vb::Checked(sxy, kSource);

    const double m = vb::Div(sx, s, kSource);
    double st2 = 0.0;
    double b = 0.0;
    for (int32_t i = 1; i <= n_; ++i) {
        if (weighted_ && !(w_[i] > 0.0)) continue;
        const double sig = weighted_ ? vb::Div(1.0, std::sqrt(w_[i]), kSource) : 1.0;
        const double t = vb::Div(x_[i] - m, sig, kSource);
        st2 += t * t;
        b += vb::Div(t * y_[i], sig, kSource);
    }
    b_ = b = vb::Div(vb::Checked(b, kSource), vb::Checked(st2, kSource), kSource);

    a_ = vb::Div(sy - sx * b, s, kSource);
    sigA_ = vb::Sqr(vb::Div(1.0 + vb::Div(sx * sx, s * st2, kSource), s, kSource), kSource);
    sigB_ = vb::Sqr(vb::Div(1.0, st2, kSource), kSource);

    double chi2 = 0.0;
    for (int32_t i = 1; i <= n_; ++i) {
        const double r = y_[i] - a_ - b * x_[i];
        if (weighted_) {
            if (w_[i] != 0.0) chi2 += w_[i] * r * r;
        } else {
            chi2 += r * r;
        }
    }
    chi2_ = vb::Checked(chi2, kSource);
    if (!weighted_) {
        const double scale = vb::Sqr(vb::Div(chi2_, static_cast<double>(n_ - 2), kSource), kSource);
        sigA_ *= scale;
        sigB_ *= scale;
    }

    varY_ = vb::Div(b * b * sxx + a_ * a_ * s + syy - 2.0 * (a_ * sy + b * sxy) + 2.0 * a_ * b * sx,
                    static_cast<double>(n_), kSource);

    noConstantB_ = vb::Div(sxy, sxx, kSource);
    noConstantVarY_ = vb::Div(syy - vb::Div(sxy * sxy, sxx, kSource), s, kSource);
    noConstantSEb_ = vb::Sqr(vb::Div(noConstantVarY_, sxx, kSource), kSource);
}
