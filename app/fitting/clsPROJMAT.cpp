// Projection-matrix score (PROJMAT).
//
// For each pair of successive samples the earlier one is grown over the time between
// them with a transition matrix of von Bertalanffy growth (clsGrowthMatrix) and compared,
// class by class, with the later one. Classes that even the smallest fish of the earlier
// sample cannot have reached are left out of the later sample's proportions.
// Seasonal curves: non-seasonal growth over transformed times stands for seasonal growth
// over real time (Hoenig: t + C/2pi sin(2pi(t - Ts)); Pauly: the growing time u of t,
// then u + a sin((u - Ts)/a) with a = (1 - NGT)/2pi).
// The method's own 2pi is 6.2829854, used as it stands.
//
// The projection-matrix method after Basson, Rosenberg and Beddington (1988), "The
// accuracy and reliability of two new methods for estimating growth parameters from
// length-frequency data", J. Cons. int. Explor. Mer 44, 277-285; the t0 phase search is
// the one of Shepherd (1987) (see clsSLCA.cpp).
#include "clsPROJMAT.h"

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <exception>

#include "GridScorer.h"
#include "WorkerPool.h"
#include "clsSolver.h"
#include "clsVorn.h"
#include "modMaths.h"
#include "vb/VbError.h"
#include "vb/VbRuntime.h"

namespace {

constexpr const char* kSource = "clsPROJMAT";
constexpr double kTwoPi = 6.2829854;
constexpr double kPi = 3.1414927;
// Samples times classes from which a score makes its phase sums on workers.
constexpr int32_t kBesidesCells = 2000;

int sign(float v) { return v > 0 ? 1 : (v < 0 ? -1 : 0); }

}  // namespace

clsPROJMAT::clsPROJMAT() = default;

void clsPROJMAT::CheckCurve() const {
    // a = (1 - NGT)/2pi is a divisor of the Pauly transform and of its inverse.
    if (growthCurve_ == 2 && !(NGT_ < 1.0f))
        throw VbError(5, kSource, "NGT must be below 1 for the Pauly Seasonal curve");
}

bool clsPROJMAT::PointFeasible() const {
    if (growthCurve_ == 2 && !(NGT_ < 1.0f)) return false;
    return clsMethBase::PointFeasible();
}

float clsPROJMAT::TransformedTime(int16_t i) const { return scoreData().sTime(i); }

void clsPROJMAT::TransformTimes() {
    CheckCurve();
    clsVorn& real = LFD();
    clsVorn& work = scoreData();
    const int16_t nd = real.NumDists();
    switch (growthCurve_) {
    case 0:
        for (int16_t i = 1; i <= nd; ++i) work.setsTime(i, real.sTime(i));
        break;
    case 1:
        for (int16_t i = 1; i <= nd; ++i) {
            const float t = real.sTime(i);
            if (C_ == 0.0f) {
                work.setsTime(i, t);
            } else {
                const double v = t + (C_ / kTwoPi) * std::sin((t - Ts_) * kTwoPi);
                work.setsTime(i, static_cast<float>(v));
            }
        }
        break;
    case 2:
        for (int16_t i = 1; i <= nd; ++i) work.setsTime(i, PaulyTime(real.sTime(i)));
        break;
    default:   // unknown curve: the times stay as they are
        break;
    }
}

float clsPROJMAT::PaulyTime(float t) const {
    const double a = (1.0f - NGT_) / kTwoPi;
    float u = 0.0f;
    firstData().CalcTDash(t, NGT_, Ts_, workingT0_, 0.0f, u);
    return static_cast<float>(u + a * std::sin((u - Ts_) / a));
}

void clsPROJMAT::CarriedState(std::vector<float>& State) const {
    State.clear();
    // Only the Pauly transform reads the working t0. At NGT 1 or more it has no transform
    // (the score fails), and the working t0 itself stands for it.
    if (growthCurve_ != 2) return;
    if (!(NGT_ < 1.0f)) {
        State.push_back(workingT0_);
        return;
    }
    const clsVorn& real = firstData();
    for (int16_t i = 1; i <= real.NumDists(); ++i) State.push_back(PaulyTime(real.sTime(i)));
}

void clsPROJMAT::Prepared() {
    const clsVorn& d = scoreData();
    for (PhaseSum& p : phases_) {
        p.data = std::make_unique<clsVorn>();
        p.data->CopyFields(d);
    }
    const int16_t n = d.NumClasses();
    const int16_t nd = d.NumDists();
    roots_.resize(static_cast<std::size_t>(n) * nd);
    for (int16_t j = 1; j <= n; ++j) {
        for (int16_t i = 1; i <= nd; ++i) {
            const float count = d.Dists(i, j);
            roots_[static_cast<std::size_t>(j - 1) * nd + (i - 1)] = count < 0.0f ? -1.0 : std::sqrt(double(count));
        }
    }
}

void clsPROJMAT::CopyInto(clsMethBase& copy) const {
    clsMethBase::CopyInto(copy);
    static_cast<clsPROJMAT&>(copy).workingT0_ = workingT0_;
}

float clsPROJMAT::TransformOf(float x) const {
    if (growthCurve_ == 2) {
        const double a = (1.0f - NGT_) / kTwoPi;
        return static_cast<float>(x + a * std::sin((x - Ts_) / a));
    }
    return static_cast<float>(x + (C_ / kTwoPi) * std::sin((x - Ts_) * kTwoPi));
}

float clsPROJMAT::Fn(float& x) { return workingT0_ - TransformOf(x); }

double clsPROJMAT::SumAtT0(PhaseSum& p, float K, float Linf, float t0) const {
    clsVorn& d = *p.data;
    d.Calc_Lower_Age_Bounds(growthCurve_, K, Linf, t0, Ts_, C_);
    const int16_t n = d.NumClasses();
    const int16_t nd = d.NumDists();
    const std::vector<float>& times = phaseTimes_;
    double s = 0.0;
    float t1 = d.Tmin(1);
    for (int16_t j = 1; j <= n; ++j) {
        const float t2 = d.Tmin(static_cast<int16_t>(j + 1));
        if (d.LBounds(static_cast<int16_t>(j + 1)) < Linf && t2 > t1) {
            const double x = (t2 - t1) * kPi;
            const double damp = std::sin(x) / x;
            const double tm = (t1 + t2) * 0.5;
            const double* roots = &roots_[static_cast<std::size_t>(j - 1) * nd];
            for (int16_t i = 0; i < nd; ++i) {
                if (roots[i] < 0.0) vb::Raise(5, kSource);
                s += std::cos((tm - times[i]) * kTwoPi) * damp * roots[i];
            }
        }
        t1 = t2;
    }
    return s;
}

void clsPROJMAT::SumInto(PhaseSum& p, float K, float Linf, float t0) const {
    DeferredErrors keep(p.reports);
    try {
        p.value = SumAtT0(p, K, Linf, t0);
    } catch (...) {
        p.error = std::current_exception();
    }
}

float clsPROJMAT::PhaseT0(float K, float Linf, const std::function<void()>& meanwhile) {
    // Both sums read the times the scores see now (the ages they write need no times).
    const clsVorn& d = scoreData();
    phaseTimes_.resize(static_cast<std::size_t>(d.NumDists()));
    for (int16_t i = 1; i <= d.NumDists(); ++i) phaseTimes_[i - 1] = d.sTime(i);
    for (PhaseSum& p : phases_) {
        p.reports.clear();
        p.error = nullptr;
    }
    constexpr float kAt[2] = {0.0f, 0.25f};
    // Handing the sums to workers costs more than it saves on a small data set.
    const bool besides = meanwhile && GridScorer::Threads(threads_) >= 3 &&
                         int32_t{d.NumDists()} * d.NumClasses() >= kBesidesCells;
    if (!besides) {
        const float A = static_cast<float>(SumAtT0(phases_[0], K, Linf, kAt[0]));
        const float B = static_cast<float>(SumAtT0(phases_[1], K, Linf, kAt[1]));
        const float t0 = PhaseOf(A, B);
        if (meanwhile) meanwhile();
        return t0;
    }

    // Both sums on workers while this thread runs `meanwhile`; what they report and raise
    // comes out afterwards in the order of one thread, where an error of the first sum
    // ends the score before the second is made.
    {
        WorkerPool::Group group;
        const int rounding = std::fegetround();
        for (int k = 0; k < 2; ++k) {
            PhaseSum& p = phases_[k];
            const float at = kAt[k];
            if (!group.Run([this, &p, K, Linf, at, rounding] {
                    std::fesetround(rounding);
                    GridScorer::EnterWorker();
                    SumInto(p, K, Linf, at);
                }))
                SumInto(p, K, Linf, at);
        }
        meanwhile();
        group.Wait();
    }
    for (PhaseSum& p : phases_) {
        DeferredErrors::Replay(p.reports);
        if (p.error) std::rethrow_exception(p.error);
    }
    return PhaseOf(static_cast<float>(phases_[0].value), static_cast<float>(phases_[1].value));
}

float clsPROJMAT::PhaseOf(float A, float B) {
    float t0 = static_cast<float>(modMaths::ATan2(B, A) / kTwoPi);
    if (t0 > 0.0f) t0 = t0 - 1.0f;
    return t0;
}

void clsPROJMAT::CalcScoreT0(float K, float Linf, float& Score, float& T0) {
    TransformTimes();
    // The projections do not depend on t0: they go alongside the phase sums.
    float sum = 0.0f;
    int16_t largest = 0;
    std::exception_ptr failed;
    T0 = PhaseT0(K, Linf, [&] {
        try {
            Project(K, Linf, sum, largest);
        } catch (...) {
            failed = std::current_exception();
        }
    });
    if (failed) std::rethrow_exception(failed);
    vb::Checked(sum, kSource);
    Score = -sum;
    maxCompared_ = largest;
    setRejected(largest == 0);
}

void clsPROJMAT::Project(float K, float Linf, float& sum, int16_t& largest) {
    clsVorn& d = scoreData();
    const int16_t n = d.NumClasses();
    const int16_t nd = d.NumDists();
    const float minLength = d.MinLength();
    const float cs = d.ClassSize();
    projected_.resize(static_cast<std::size_t>(n) + 1);
    float* P = projected_.data();

    for (int16_t i = 2; i <= nd; ++i) {
        const int16_t prev = static_cast<int16_t>(i - 1);
        const float dt = d.sTime(i) - d.sTime(prev);
        if (dt == 0.0f) {
            // Two samples at the same time: compare the proportions directly. An empty
            // earlier sample has none (0), as in the projection.
            const float total = d.NTotal(prev);
            for (int16_t j = 1; j <= n; ++j) P[j] = total > 0.0f ? d.Dists(prev, j) / total : 0.0f;
        } else {
            matrix_.Compute(d, K, Linf, dt);
            matrix_.VecMult(d, prev, projected_);
        }

        // Smallest fish of the earlier sample (lower bound of its first class with a count)
        // and the length it can have grown to. Its age and grown length are worked in
        // double: rounded to single, no growth (dt = 0) then gives Lmin itself, so the
        // class of Lmin is the first compared.
        const float Lmin = cs * (d.FNZero(prev) - 1.0f) + minLength;
        float grown;
        if (Lmin < Linf) {
            const double lg = std::log(1.0 - static_cast<double>(Lmin) / Linf);
            if (K == 0.0f) vb::Raise(lg == 0.0 ? 6 : 11, kSource);
            const double a = lg / static_cast<double>(-K);
            grown = static_cast<float>(Linf * (1.0 - std::exp(-static_cast<double>(K) * (a + dt))));
        } else {
            grown = static_cast<float>(Linf * 0.99998);
        }
        const double jmin = std::floor(static_cast<double>((grown - minLength) / cs)) + 1.0;

        float T = d.NTotal(i);
        int16_t compared = 0;
        for (int16_t j = 1; j <= n; ++j) {
            const float count = d.Dists(i, j);
            if (j < jmin) {
                T = T - count;
            } else {
                const float diff = T > 0.0f ? count / T - P[j] : P[j];
                sum = static_cast<float>(sum + static_cast<double>(diff) * diff);
                ++compared;
            }
        }
        largest = std::max(largest, compared);
    }
}

void clsPROJMAT::GetT0(float K, float Linf, float& T0) {
    K_ = K;
    Linf_ = Linf;
    TransformTimes();
    if (growthCurve_ != 2) {
        T0 = PhaseT0(K, Linf);
    } else {
        clsVorn& d = scoreData();
        const float keep = 1.0f - NGT_;
        for (int16_t i = 1; i <= d.NumDists(); ++i) d.setsTime(i, d.sTime(i) / keep);
        T0 = keep * PhaseT0(keep * K, Linf);
    }
    if (growthCurve_ == 0) return;

    // The phase t0 lives on the transformed time axis: find the real time whose transform
    // it is, widening the bracket from -2..2 up to -256..256.
    workingT0_ = T0;
    clsSolver solver;
    solver.Create();
    float lo = -2.0f, hi = 2.0f;
    solver.setLowerBound(lo);
    solver.setUpperBound(hi);
    for (int tries = 0; tries < 8; ++tries) {
        if (sign(Fn(lo)) != sign(Fn(hi))) {
            T0 = solver.root(*this, false, lo, hi);
            return;
        }
        lo *= 2.0f;
        hi *= 2.0f;
        solver.setLowerBound(lo);
        solver.setUpperBound(hi);
    }
    T0 = 0.0f;
}
