// Root finding after Brent (1973), "Algorithms for Minimization without Derivatives",
// ch. 4, in the arrangement of the zbrent routine of Press et al., "Numerical Recipes",
// sec. 9.3, kept in single precision. The Newton variant follows rtsafe (sec. 9.4); with
// no derivative supplied every one of its steps is a bisection.
//
// Caveats: the tolerance is absolute (0.01 by default), so a root is only good to about
// 0.01 in x; cached end values from BracketRoot are used only for exactly that bracket.
#include "clsSolver.h"

#include <cmath>
#include <exception>

#include "modSolverMaths.h"
#include "vb/VbRuntime.h"

namespace {

constexpr float kSingleMax = 3.4E+38f;
constexpr int32_t kBrentNotBracketed = 2304;
constexpr int32_t kBrentMaxIterations = 2305;
constexpr int32_t kSafeNotBracketed = 2306;
constexpr int32_t kSafeMaxIterations = 2307;
constexpr int32_t kBracketBadStart = 2308;
constexpr int32_t kBracketNotFound = 2309;

int Sign(float v) { return v > 0 ? 1 : (v < 0 ? -1 : 0); }

}  // namespace

clsSolver::clsSolver() { Create(); }

void clsSolver::setLowerBound(float sData) { lowerBound_ = sData; }
void clsSolver::setUpperBound(float sData) { upperBound_ = sData; }
float clsSolver::LowerBound() const { return lowerBound_; }
float clsSolver::UpperBound() const { return upperBound_; }
void clsSolver::setTol(double vntData) { tolerance_ = vntData; }

void clsSolver::Create()
{
    tolerance_ = 0.01;
    maxIterations_ = 100;
    target_ = 0;
    lowerBound_ = -kSingleMax;
    upperBound_ = kSingleMax;
    cachedLow_.reset();
    cachedHigh_.reset();
    zeroFunction_ = false;
}

float clsSolver::F(float x)
{
    if (zeroFunction_) return 0.0f;
    float arg = x;
    const float fn = callback_->Fn(arg);
    return vb::Checked(static_cast<float>(target_) - fn, "clsSolver");
}

float clsSolver::root(ISolver& objCall, bool blnDFunc, float vntXlo, float vntXHi,
                      ISolver* vntObj)
{
    callback_ = &objCall;
    if (vntObj != nullptr) zeroFunction_ = true;
    // Whatever happens, the cached ends belong to this one call only.
    struct ClearCache {
        clsSolver* s;
        ~ClearCache() { s->cachedLow_.reset(); s->cachedHigh_.reset(); }
    } clearCache{this};

    const int32_t capError = blnDFunc ? kSafeMaxIterations : kBrentMaxIterations;
    lastEstimate_ = vntXlo;
    try {
        return blnDFunc ? RtSafe(vntXlo, vntXHi) : Brent(vntXlo, vntXHi);
    } catch (const std::exception& e) {
        const VbError err = AsVbError(e, blnDFunc ? "RTSAFE" : "ZBRENT");
        errorHandler_.HandleError(err);
        if (err.Number == vbObjectError + capError) return lastEstimate_;
        throw err;
    }
}

float clsSolver::Brent(float a, float b)
{
    const char* src = "ZBRENT";
    // Cached values describe LowerBound and UpperBound; any other end is evaluated.
    const bool cacheFits = (a == lowerBound_ && b == upperBound_);
    float fa = (cacheFits && cachedLow_) ? *cachedLow_ : F(a);
    if (fa == 0.0f) return a;
    float fb = (cacheFits && cachedHigh_) ? *cachedHigh_ : F(b);
    if (fb == 0.0f) return b;
    lastEstimate_ = b;
    if (vb::Checked(fa * fb, src) > 0.0f)
        throw VbError(vbObjectError + kBrentNotBracketed, src, "ZBRENT - Root must be bracketed");

    float c = 0.0f, d = 0.0f, e = 0.0f;
    float fc = fb;
    for (int32_t iter = 1; iter <= maxIterations_; ++iter) {
        if ((fb > 0.0f && fc > 0.0f) || (fb < 0.0f && fc < 0.0f)) {
            c = a;
            fc = fa;
            d = vb::Checked(b - a, src);
            e = d;
        }
        if (std::fabs(fc) < std::fabs(fb)) {
            a = b;
            b = c;
            c = a;
            fa = fb;
            fb = fc;
            fc = fa;
        }
        const float tol1 = static_cast<float>(0.5 * tolerance_ + 6E-8 * std::fabs(b));
        const float xm = vb::Checked(c - b, src) / 2.0f;
        if (std::fabs(xm) <= tol1 || fb == 0.0f) return b;
        if (std::fabs(e) >= tol1 && std::fabs(fa) > std::fabs(fb)) {
            const float s = vb::DivS(fb, fa, src);
            float p, q;
            if (a == c) {
                p = 2.0f * xm * s;
                q = 1.0f - s;
            } else {
                q = vb::DivS(fa, fc, src);
                const float r = vb::DivS(fb, fc, src);
                p = vb::Checked(s * (2.0f * xm * q * (q - r) - (b - a) * (r - 1.0f)), src);
                q = vb::Checked((q - 1.0f) * (r - 1.0f) * (s - 1.0f), src);
            }
            if (p > 0.0f) q = -q;
            p = std::fabs(p);
            const float min1 = vb::Checked(3.0f * xm * q - std::fabs(tol1 * q), src);
            const float min2 = vb::Checked(std::fabs(e * q), src);
            if (2.0f * p < modSolverMaths::Min(min1, min2)) {
                e = d;
                d = vb::DivS(p, q, src);
            } else {
                d = xm;
                e = d;
            }
        } else {
            d = xm;
            e = d;
        }
        a = b;
        fa = fb;
        if (std::fabs(d) > tol1)
            b = vb::Checked(b + d, src);
        else
            b = b + (xm >= 0.0f ? std::fabs(tol1) : -std::fabs(tol1));
        lastEstimate_ = b;
        fb = F(b);
    }
    throw VbError(vbObjectError + kBrentMaxIterations, src,
                  "ZBRENT - Exceeding Maximum Iterations");
}

float clsSolver::RtSafe(float x1, float x2)
{
    // Safeguarded Newton with no derivative: the Newton step is never taken (its test
    // compares against a zero slope), so every step bisects the bracket.
    const char* src = "RTSAFE";
    const double fl = F(x1);
    const double fh = F(x2);
    if (fl * fh >= 0.0)
        throw VbError(vbObjectError + kSafeNotBracketed, src, "RTSAFE - Root must be Bracketed");
    double xl, xh;
    if (fl < 0.0) {
        xl = x1;
        xh = x2;
    } else {
        xh = x1;
        xl = x2;
    }
    double rts = 0.5 * (static_cast<double>(x1) + x2);
    lastEstimate_ = static_cast<float>(rts);
    // The midpoint is evaluated as it always was, although bisection does not need it.
    double fr = F(static_cast<float>(rts));
    for (int32_t iter = 1; iter <= maxIterations_; ++iter) {
        const double dx = 0.5 * (xh - xl);
        rts = xl + dx;
        lastEstimate_ = static_cast<float>(rts);
        if (xl == rts) return static_cast<float>(rts);
        if (std::fabs(dx) < tolerance_) return static_cast<float>(rts);
        fr = F(static_cast<float>(rts));
        if (fr < 0.0)
            xl = rts;
        else
            xh = rts;
    }
    throw VbError(vbObjectError + kSafeMaxIterations, src,
                  "RTSAFE - Exceeding Maximum Iterations.");
}

void clsSolver::BracketRoot(ISolver& objCall, float sngStartingValue, float sngMultiplier,
                            FunctionDirection enuFunctionDirection, ISolver* /*vntObj*/)
{
    const char* src = "BracketRoot";
    callback_ = &objCall;
    float x = sngStartingValue;
    float m = sngMultiplier;
    // From 0, or with a factor that does not widen the search, x never leaves the bounds.
    if (x == 0.0f || !std::isfinite(x) || !(std::fabs(m) > 1.0f) || !std::isfinite(m))
        throw VbError(vbObjectError + kBracketBadStart, src,
                      "BracketRoot - Starting value must not be 0 and the multiplier must exceed 1 in size");

    float f0 = F(x);
    FunctionDirection direction = enuFunctionDirection;
    float xOther = 0.0f, fOther = 0.0f;
    bool found = false;
    if (direction == UnknownDirection) {
        const float x1 = vb::Checked(x * m, src);
        const float f1 = F(x1);
        if (Sign(f1) != Sign(f0)) {
            xOther = x1;
            fOther = f1;
            found = true;
        } else {
            direction = f1 > f0 ? Increasing : Decreasing;
            if ((f0 > 0.0f) != (direction == Increasing)) {
                x = x1;
                f0 = f1;
            }
        }
    }
    if (!found) {
        if ((f0 >= 0.0f) == (direction == Increasing)) m = 1.0f / m;
        float fprev, xprev;
        int32_t steps = 0;
        do {
            if (++steps > MaxBracketSteps)
                throw VbError(vbObjectError + kBracketNotFound, src,
                              "BracketRoot - No sign change found");
            fprev = f0;
            xprev = x;
            x = vb::Checked(x * m, src);
            f0 = F(x);
        } while (Sign(fprev) == Sign(f0) && lowerBound_ <= x && x <= upperBound_);
        // The point before the last, kept as evaluated (x / m need not give it back
        // exactly), so that its cached value belongs to it.
        xOther = xprev;
        fOther = fprev;
    }
    if (x < xOther) {
        lowerBound_ = x;
        cachedLow_ = f0;
        upperBound_ = xOther;
        cachedHigh_ = fOther;
    } else {
        lowerBound_ = xOther;
        cachedLow_ = fOther;
        upperBound_ = x;
        cachedHigh_ = f0;
    }
}
