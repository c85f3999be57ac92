// SLCA score: a length-composition score in the manner of Shepherd. Each class's age
// interval [t1, t2] adds, for every sample, cos(2 pi (tm - time)) damped by sin(x)/x with
// x = pi (t2 - t1), weighted by the root of the count. The constants are the method's
// own values close to pi and 2 pi; the reported scores depend on them.
//
// After Shepherd (1987), "A weakly parametric method for estimating growth parameters
// from length composition data", pp. 113-119 in Pauly and Morgan (eds.), "Length-based
// Methods in Fisheries Research", ICLARM Conference Proceedings 13.
#include "clsSLCA.h"

#include <cmath>

#include "clsVorn.h"
#include "modMaths.h"
#include "vb/VbError.h"
#include "vb/VbRuntime.h"

namespace {
constexpr double kPi = 3.1414927;
constexpr double kTwoPi = 6.2829854;
}  // namespace

void clsSLCA::Prepared() {
    const clsVorn& d = scoreData();
    n_ = d.NumClasses();
    nd_ = d.NumDists();
    root_.assign(static_cast<size_t>(n_) * nd_, 0.0);
    negative_.assign(static_cast<size_t>(n_) + 1, 0);
    time_.assign(nd_, 0.0);
    for (int16_t i = 1; i <= nd_; ++i) time_[i - 1] = d.sTime(i);
    for (int16_t j = 1; j <= n_; ++j) {
        for (int16_t i = 1; i <= nd_; ++i) {
            const float c = d.Dists(i, j);
            if (c < 0) negative_[j] = 1;
            else root_[static_cast<size_t>(j - 1) * nd_ + (i - 1)] = std::sqrt(static_cast<double>(c));
        }
    }
}

double clsSLCA::ScoreAtT0(float K, float Linf, float T0) {
    clsVorn& d = scoreData();
    d.Calc_Lower_Age_Bounds(growthCurve_, K, Linf, T0, 0.0f, 0.0f);
    double S = 0;
    float t2 = d.Tmin(1);
    for (int16_t j = 1; j <= n_; ++j) {
        const float t1 = t2;
        t2 = d.Tmin(static_cast<int16_t>(j + 1));
        if (!(d.LBounds(static_cast<int16_t>(j + 1)) < Linf && t2 > t1)) continue;
        if (negative_[j]) vb::Raise(5, "clsSLCA");
        const double x = (t2 - t1) * kPi;
        const double D = std::sin(x) / x;
        const double tm = (t1 + t2) * 0.5;
        const double* root = &root_[static_cast<size_t>(j - 1) * nd_];
        for (int32_t i = 0; i < nd_; ++i) S = S + std::cos((tm - time_[i]) * kTwoPi) * D * root[i];
    }
    return S;
}

void clsSLCA::PhaseSearch(float K, float Linf, float& Score, float& T0) {
    const double A = ScoreAtT0(K, Linf, 0.0f);
    const double B = ScoreAtT0(K, Linf, 0.25f);
    Score = static_cast<float>(vb::Sqr(A * A + B * B));
    T0 = static_cast<float>(modMaths::ATan2(static_cast<float>(B), static_cast<float>(A)) / kTwoPi);
    if (T0 > 0) T0 = T0 - 1;
}

void clsSLCA::CalcScoreT0(float K, float Linf, float& Score, float& T0) {
    PhaseSearch(K, Linf, Score, T0);
    setRejected(false);
}

void clsSLCA::GetT0(float K, float Linf, float& T0) {
    float score = 0;
    PhaseSearch(K, Linf, score, T0);
}
