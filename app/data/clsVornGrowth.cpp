// Growth curves of the data set: von Bertalanffy length at age, non-seasonal, seasonal
// after Hoenig (sine-wave oscillation of amplitude C) and seasonal after Pauly (a
// no-growth period of NGT years a year, handled by converting calendar time into
// growing time), and the lower age of every length-class bound.
//
// Single precision where the reported numbers depend on it; 2*pi is the constant
// 6.2831854 throughout, as the published scores were computed with it.
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "clsSolver.h"
#include "clsVorn.h"
#include "vb/VbRuntime.h"

namespace {

constexpr double kTwoPi = 6.2831854;
constexpr float kNoAge = -999.99f;
// Doublings of the seasonal age search before it gives up (2^128 is beyond single range).
constexpr int kMaxDoublings = 130;

// Assignment of a double to a single: out of range is overflow (6), as it always was.
float Single(double v)
{
    if (!(std::fabs(v) <= static_cast<double>(std::numeric_limits<float>::max())))
        vb::Raise(6, "clsVorn");
    return static_cast<float>(v);
}

int Sgn(float v) { return v > 0.0f ? 1 : (v < 0.0f ? -1 : 0); }

}  // namespace

float clsVorn::NonSeasonalLength(float t, float K, float Linf, float t0) const
{
    const float kt = K * (t - t0);
    return Single(Linf * (1.0 - vb::Exp(-kt)));
}

float clsVorn::HoenigLength(float t, float K, float Linf, float t0, float Ts, float C) const
{
    const float a = Single(K * C / kTwoPi);
    const double s1 = std::sin(kTwoPi * (t - Ts));
    const double s2 = std::sin(kTwoPi * (t0 - Ts));
    const float x = Single(K * (t - t0) + a * s1 - a * s2);
    return Single(Linf * (1.0 - vb::Exp(-x)));
}

float clsVorn::PaulyLength(float t, float K, float Linf, float t0, float Ts, float NGT) const
{
    if (t < 0.0f) return 1.0f;
    const float w = Single(kTwoPi / (1.0f - NGT));
    float tDash = 0.0f;
    CalcTDash(t, NGT, Ts, t0, w, tDash);
    const float kw = K / w;
    const float y = Single(kw * (std::sin(static_cast<double>(w * (tDash - Ts))) -
                                 std::sin(static_cast<double>(w * (t0 - Ts)))) +
                           K * (tDash - t0));
    return Single(Linf * (1.0 - vb::Exp(-y)));
}

void clsVorn::LengthFunc(int32_t GCType, float t, float K, float Linf, float t0, float Ts, float C,
                         float NGT, float& L) const
{
    switch (GCType) {
    case 0:
        L = NonSeasonalLength(t, K, Linf, t0);
        break;
    case 1:
        L = HoenigLength(t, K, Linf, t0, Ts, C);
        break;
    case 2:
        // Without a no-growth period the Pauly curve is the Hoenig curve of full amplitude.
        if (NGT == 0.0f)
            L = HoenigLength(t, K, Linf, t0, Ts, 1.0f);
        else if (NGT < 1.0f)
            L = PaulyLength(t, K, Linf, t0, Ts, NGT);
        else
            L = 0.0f;
        break;
    default:
        L = 0.0f;
        break;
    }
}

void clsVorn::CalcTDash(float t, float NGT, float Ts, float t0, float w, float& tDash) const
{
    if (mStatus == 0) {
        tDash = 0.0f;
        return;
    }
    if (NGT == 0.0f) {
        tDash = t;
        return;
    }
    const float WP = Single(Ts + 0.5);
    const float A = WP - NGT / 2.0f;
    const float B = WP + NGT / 2.0f;
    const float fl = std::floor(t);
    const float f = t - fl;
    if (!(fl >= -32768.0f && fl <= 32767.0f)) vb::Raise(6, "clsVorn_CalcTDash");
    const int16_t Y = static_cast<int16_t>(fl);
    const float growing = 1.0f - NGT;
    float td;
    if (A >= 0.0f) {
        // The no-growth period lies inside the year.
        const float G = std::floor(vb::DivS(-t0, growing)) * growing;
        if (f < A)
            td = t - static_cast<float>(Y) * NGT;
        else if (f <= B)
            td = (static_cast<float>(Y) + A) - static_cast<float>(Y) * NGT;
        else
            td = t - static_cast<float>(vb::AddInt(Y, 1)) * NGT;
        td = td - G;
    } else {
        // The period wraps over the turn of the year: A + 1 .. 1 and 0 .. B.
        const float G = std::floor(vb::DivS(t0 - A, growing)) * growing;
        const int16_t n = (A >= t0) ? Y : vb::AddInt(Y, 1);
        if (f < B)
            td = growing * static_cast<float>(n) + A + G;
        else if (f < A + 1.0f)
            td = growing * static_cast<float>(n) + f - B + A + G;
        else
            td = growing * static_cast<float>(vb::AddInt(n, 1)) + A + G;
    }
    tDash = td;
}

float clsVorn::AgeRootFn(float t) const
{
    const float a = Single(mC * mK / kTwoPi);
    const double x = mK * (t - mt0) + a * std::sin(kTwoPi * (t - mTs)) - a * std::sin(kTwoPi * (mt0 - mTs));
    return Single(mAgeTarget - mLinf * (1.0 - vb::Exp(-x)));
}

float clsVorn::Fn(float& x) { return mAgeSearchFlag == 2 ? AgeRootFn(x) : 0.0f; }

void clsVorn::Calc_Lower_Age_Bounds(int32_t Seasonal, float K, float Linf, float t0, float Ts, float C)
{
    if (mStatus == 0) return;
    // No growth, or shrinking: no age reaches a bound (and the closed form divides by K).
    if (!(K > 0.0f))
        throw VbError(1009, "clsVorn_Calc_Lower_Age_Bounds",
                      "The growth rate K must be greater than 0.");
    mC = C;
    mLinf = Linf;
    mK = K;
    mt0 = t0;
    mTs = Ts;
    const int32_t bounds = static_cast<int32_t>(mNumClasses) + 1;

    if (Seasonal == 0) {
        for (int32_t j = 1; j <= bounds; ++j) {
            const int16_t jj = static_cast<int16_t>(j);
            const float lb = LBounds(jj);
            if (lb < Linf) {
                const float share = 1.0f - vb::DivS(lb, Linf);
                setTmin(jj, Single(t0 - vb::Log(share) / K));
            } else {
                setTmin(jj, kNoAge);
            }
        }
        return;
    }

    std::optional<clsSolver> solver;  // one per call, reset for every class
    float p = t0;
    mAgeTarget = LBounds(1);
    float fa = AgeRootFn(t0);
    for (int32_t j = 1; j <= bounds; ++j) {
        const int16_t jj = static_cast<int16_t>(j);
        // The search widens upwards from a year above the previous age. Doubling a start
        // at or below 0 would never leave it, so such a start moves to a year above t0
        // (and at least 1).
        float upper = p + 1.0f;
        if (!(upper > 0.0f)) upper = std::max(t0 + 1.0f, 1.0f);
        const float lb = LBounds(jj);
        if (lb >= Linf) {
            setTmin(jj, kNoAge);
            continue;
        }
        mAgeTarget = lb;
        // Length 0 is reached at t0, whatever the season (as on the non-seasonal curve).
        if (mAgeTarget <= 0.0f) {
            setTmin(jj, t0);
            continue;
        }
        if (!solver) solver.emplace();
        solver->Create();
        // The sign to leave is the one of this bound's own function at t0.
        fa = AgeRootFn(t0);
        int doublings = 0;
        while (Sgn(AgeRootFn(upper)) == Sgn(fa)) {
            const float wider = upper + upper;
            if (++doublings > kMaxDoublings || !std::isfinite(wider))
                throw VbError(vbObjectError + 2304, "clsVorn_Calc_Lower_Age_Bounds",
                              "No age reaches the length " + vb::CStr(lb) +
                                  ": the age search cannot bracket it.");
            upper = wider;
        }
        mAgeSearchFlag = 2;
        const float age = solver->root(*this, false, t0, upper, nullptr);
        setTmin(jj, age);
        p = age;
    }
}
