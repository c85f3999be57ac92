// Weighted least-squares straight line, after the fit routine of Press et al.,
// "Numerical Recipes", sec. 15.2: the abscissae are centred (t = (x - mean)/sigma) before
// the slope is formed, which keeps the slope accurate when x is far from 0. Without
// weights the standard errors are scaled by sqrt(chi2/(n - 2)), so two points cannot be
// fitted (a division by zero, logged). A negative weight enters the sums but not the
// centred slope, as the routine always did.
#include "clsRegression.h"

#include <cmath>
#include <exception>

namespace {

constexpr int32_t kZeroPoints = 2281;
constexpr int32_t kUnidentified = 2251;

double Checked(double v)
{
    if (!std::isfinite(v)) throw VbError(6, "clsRegression", "Overflow");
    return v;
}

double Div(double num, double den)
{
    if (den == 0.0) {
        if (num == 0.0) throw VbError(6, "clsRegression", "Overflow");
        throw VbError(11, "clsRegression", "Division by zero");
    }
    return Checked(num / den);
}

double Sqr(double v)
{
    if (v < 0.0) throw VbError(5, "clsRegression", "Invalid procedure call or argument");
    return std::sqrt(v);
}

}  // namespace

void clsRegression::Create(int32_t lNoPoints)
{
    if (lNoPoints < 1) throw VbError(9, "clsRegression", "Subscript out of range");
    n_ = lNoPoints;
    x_.assign(n_ + 1, 0.0);
    y_.assign(n_ + 1, 0.0);
    w_.assign(n_ + 1, 0.0);
}

template <typename T> void clsRegression::Copy(std::vector<double>& to, const std::vector<T>& from)
{
    if (n_ < 1 || static_cast<int64_t>(from.size()) < static_cast<int64_t>(n_) + 1)
        throw VbError(9, "clsRegression", "Subscript out of range");
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
        try {
            DoFit();
            return true;
        } catch (const VbError&) {
            throw;
        } catch (const std::exception& e) {
            throw VbError(vbObjectError + kUnidentified, "clsRegression", e.what());
        }
    } catch (const VbError& err) {
        // Logged only: the callers test the result and report the failure themselves.
        errorHandler_.HandleError(err, std::string("clsRegression"), false, true);
        return false;
    }
}

void clsRegression::DoFit()
{
    if (n_ == 0)
        throw VbError(vbObjectError + kZeroPoints, "clsRegression", "Cannot Regress with Zero Points.");

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
    s = Checked(s);
    sx = Checked(sx);
    sy = Checked(sy);
    sxx = Checked(sxx);
    syy = Checked(syy);
    sxy = Checked(sxy);

    const double m = Div(sx, s);
    double st2 = 0.0;
    double b = 0.0;
    for (int32_t i = 1; i <= n_; ++i) {
        if (weighted_ && !(w_[i] > 0.0)) continue;
        const double sig = weighted_ ? Div(1.0, std::sqrt(w_[i])) : 1.0;
        const double t = Div(x_[i] - m, sig);
        st2 += t * t;
        b += Div(t * y_[i], sig);
    }
    b_ = b = Div(Checked(b), Checked(st2));

    a_ = Div(sy - sx * b, s);
    sigA_ = Sqr(Div(1.0 + Div(sx * sx, s * st2), s));
    sigB_ = Sqr(Div(1.0, st2));

    double chi2 = 0.0;
    for (int32_t i = 1; i <= n_; ++i) {
        const double r = y_[i] - a_ - b * x_[i];
        if (weighted_) {
            if (w_[i] != 0.0) chi2 += w_[i] * r * r;
        } else {
            chi2 += r * r;
        }
    }
    chi2_ = Checked(chi2);
    if (!weighted_) {
        const double scale = Sqr(Div(chi2_, static_cast<double>(n_ - 2)));
        sigA_ *= scale;
        sigB_ *= scale;
    }

    varY_ = Div(b * b * sxx + a_ * a_ * s + syy - 2.0 * (a_ * sy + b * sxy) + 2.0 * a_ * b * sx,
                static_cast<double>(n_));

    noConstantB_ = Div(sxy, sxx);
    noConstantVarY_ = Div(syy - Div(sxy * sxy, sxx), s);
    noConstantSEb_ = Sqr(Div(noConstantVarY_, sxx));
}
