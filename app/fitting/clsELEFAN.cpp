// ELEFAN score: restructuring of the samples into peaks and troughs, and the explained
// sum of peaks of a growth curve traced through them.
//
// Method: the electronic length-frequency analysis of modal progression (restructuring
// by a running average over about a fifth of the occupied classes, peaks isolated by
// their empty neighbours and weighted down where the running average is small; each peak
// of a sample counted at most once per curve). Arithmetic is kept in single precision
// where the original kept it, since the reported scores depend on it.
//
// After Pauly and David (1981), Meeresforschung 28, 205-211, with the restructuring as
// revised by Pauly (1987), pp. 7-34 in Pauly and Morgan (eds.), "Length-based Methods in
// Fisheries Research", ICLARM Conference Proceedings 13.
#include "clsELEFAN.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>

#include "clsVorn.h"
#include "vb/VbError.h"
#include "vb/VbRuntime.h"

namespace {

constexpr const char* kSource = "clsELEFAN";

VbError failedToInitialise() { return VbError(10, kSource, "Class Failed to Initialise"); }

// A curve is traced through at most this many yearly points per sample.
constexpr int32_t kMaxSteps = 20;

// Interpolation tables indexed by "f >= 0.5": the sign of f in the own class's weight,
// the constants of the two weights, and the side of the neighbour class.
constexpr double kSign[2] = {1.0, -1.0};
constexpr double kOwn[2] = {0.5, 1.5};
constexpr double kOther[2] = {0.5, -0.5};
constexpr int32_t kSide[2] = {-1, 1};

// The non-seasonal curve, computed as the data set's length function does (the tests
// hold the two together), so the hot loop need not call out for it. A length beyond the
// single range is an overflow there too.
inline float NonSeasonalLength(float t, float K, float Linf, float t0) {
    const float kt = K * (t - t0);
    const double L = Linf * (1.0 - std::exp(static_cast<double>(-kt)));
    if (!(std::fabs(L) <= static_cast<double>(std::numeric_limits<float>::max())))
        vb::Raise(6, "clsVorn");
    return static_cast<float>(L);
}

}  // namespace

// ---- restructuring ----

int32_t clsELEFAN::MovingAverageWidth(int32_t span) {
    int32_t w = vb::CLng(static_cast<float>(span) / 5.0f);
    if (w % 2 == 0) w = w + 1;
    if (w < 5) w = 5;
    return w;
}

float clsELEFAN::Restructure(const std::vector<float>& F, int32_t n, int32_t w,
                             std::vector<float>& R) {
    const int32_t h = (w - 1) / 2;
    R.assign(static_cast<size_t>(n) + 1, 0.0f);
    std::vector<float> MA(static_cast<size_t>(n) + 1, 0.0f);

    // Moving average, divided by w also near the ends where fewer classes are summed.
    int32_t nPositive = 0;
    for (int32_t j = 1; j <= n; ++j) {
        float sum = 0;
        for (int32_t m = -h; m <= h; ++m) {
            const int32_t k = j + m;
            if (k >= 1 && k <= n) sum += F[k];
        }
        MA[j] = sum / static_cast<float>(w);
        if (MA[j] > 0) ++nPositive;
    }
    // A sample without fish has nothing to restructure: it stays all zeros with ASP 0 and
    // adds nothing to any score.
    if (nPositive == 0) return 0.0f;

    // Quotient by the moving average; classes without an average keep their count.
    float total = 0;
    for (int32_t j = 1; j <= n; ++j) {
        R[j] = MA[j] > 0 ? F[j] / MA[j] : F[j];
        total += R[j];
    }
    const float M = total / static_cast<float>(nPositive);
    for (int32_t j = 1; j <= n; ++j)
        if (MA[j] > 0) R[j] = vb::DivS(R[j], M) - 1.0f;

    // Isolation: halve once for every empty (or missing) neighbour within two classes.
    for (int32_t j = 1; j <= n; ++j) {
        int32_t Z = 0;
        for (int32_t k : {j - 2, j - 1, j + 1, j + 2})
            if (k < 1 || k > n || F[k] == 0) ++Z;
        R[j] = static_cast<float>(R[j] / std::pow(2.0, Z));
    }
    // Weight down classes where the moving average is small.
    for (int32_t j = 1; j <= n; ++j) {
        if (MA[j] > 0) {
            const double ma2 = static_cast<double>(MA[j]) * MA[j];
            R[j] = static_cast<float>(R[j] / vb::Sqr(1.0 + vb::Div(2.0, ma2)));
        }
    }

    // Scale the troughs so that the sample sums to 0.
    float SP = 0, SN = 0;
    for (int32_t j = 1; j <= n; ++j) {
        if (R[j] > 0) SP += R[j];
        else SN += R[j];
    }
    const float factor = SN != 0 ? -SP / SN : 1.0f;
    for (int32_t j = 1; j <= n; ++j)
        if (R[j] < 0) R[j] = R[j] * factor;

    // ASP: the largest value of every run of positive values.
    float asp = 0;
    float runMax = -10.0f;
    for (int32_t j = 1; j <= n; ++j) {
        if (R[j] > runMax) runMax = R[j];
        if (runMax > 0 && (R[j] <= 0 || j == n)) {
            asp += runMax;
            runMax = -10.0f;
        }
    }
    for (int32_t j = 1; j <= n; ++j)
        if (!std::isfinite(R[j])) vb::Raise(6, kSource);
    return asp;
}

void clsELEFAN::Prepare(clsVorn& copy) {
    const int16_t n = copy.NumClasses();
    const int16_t nd = copy.NumDists();

    // Span of the occupied classes. Counts are summed with rounding after each addition, so
    // a class whose small counts vanish in the rounding counts as empty. (A 32-bit sum: any
    // total a data set can hold is accepted.)
    auto classSum = [&](int16_t j) {
        int32_t acc = 0;
        for (int16_t i = 1; i <= nd; ++i) acc = vb::CLng(static_cast<double>(acc) + copy.Dists(i, j));
        return acc;
    };
    int32_t first = 0, last = 0;
    for (int16_t j = 1; j <= n; ++j)
        if (classSum(j) != 0) { first = j; break; }
    for (int16_t j = n; j >= 1; --j)
        if (classSum(j) != 0) { last = j; break; }
    const int32_t w = MovingAverageWidth(last - first + 1);

    std::vector<float> F(static_cast<size_t>(n) + 1), R;
    for (int16_t i = 1; i <= nd; ++i) {
        for (int16_t j = 1; j <= n; ++j) F[j] = copy.Dists(i, j);
        const float asp = Restructure(F, n, w, R);
        for (int16_t j = 1; j <= n; ++j) copy.setDists(i, j, R[j]);
        copy.setASP(i, asp);
    }
}

void clsELEFAN::Create(clsVorn& DataSet) {
    try {
        clsMethBase::Create(DataSet);
    } catch (const VbError&) {
        throw failedToInitialise();
    } catch (const std::exception&) {
        throw failedToInitialise();
    }
}

void clsELEFAN::Prepared() {
    const clsVorn& d = scoreData();
    n_ = d.NumClasses();
    nd_ = d.NumDists();
    minLength_ = d.MinLength();
    classSize_ = d.ClassSize();
    top_ = d.MinLength() + static_cast<float>(n_) * d.ClassSize();

    const size_t row = static_cast<size_t>(n_) + 2;
    lb_.assign(row, 0.0f);
    for (int16_t j = 1; j <= n_ + 1; ++j) lb_[j] = d.LBounds(j);
    r_.assign(row * nd_, 0.0f);
    frac_.assign(nd_, 0.0f);
    asp_.assign(nd_, 0.0f);
    for (int16_t i = 1; i <= nd_; ++i) {
        float* R = &r_[(i - 1) * row];
        // Outside its classes a sample reads as not positive: the peak walks stop there.
        R[0] = 0.0f;
        for (int16_t j = 1; j <= n_; ++j) R[j] = d.Dists(i, j);
        R[n_ + 1] = 0.0f;
        const float t = d.sTime(i);
        frac_[i - 1] = t - std::floor(t);
        asp_[i - 1] = d.ASP(i);
    }
    // Runs of positive values, numbered from 1 in each sample. A hit marks runs through
    // markSlot (0, a slot nobody reads, for a class that is not positive) and asks whether
    // its class is marked through checkSlot (a slot nobody writes for such a class).
    markSlot_.assign(row * nd_, 0);
    checkSlot_.assign(row * nd_, 0);
    int32_t maxRuns = 0;
    for (int32_t i = 0; i < nd_; ++i) {
        const float* R = &r_[i * row];
        int32_t runs = 0;
        for (int32_t j = 1; j <= n_; ++j) {
            if (R[j] > 0) {
                if (!(R[j - 1] > 0)) ++runs;
                markSlot_[i * row + j] = runs;
                checkSlot_[i * row + j] = runs;
            }
        }
        maxRuns = std::max(maxRuns, runs);
    }
    const int32_t neverWritten = maxRuns + 1;
    for (int32_t i = 0; i < nd_; ++i)
        for (size_t j = 0; j < row; ++j)
            if (checkSlot_[i * row + j] == 0) checkSlot_[i * row + j] = neverWritten;
    runMarks_.assign(static_cast<size_t>(maxRuns) + 2, 0);
    stamp_ = 0;
}

// ---- score ----

float clsELEFAN::ScoreAtT0(float K, float Linf, float T0) {
    if (T0 < -1 || T0 > 1) return -9.99f;
    const clsVorn& d = scoreData();
    const size_t row = static_cast<size_t>(n_) + 2;
    const double stopLength = 0.95 * Linf;
    float ESP = 0, ASPsum = 0;

    for (int32_t i = 0; i < nd_; ++i) {
        const float* R = &r_[i * row];
        float t = frac_[i];
        if (t > T0 + 1) t = t - 1;
        if (++stamp_ == 0) {   // wrapped: start the marks afresh
            std::fill(runMarks_.begin(), runMarks_.end(), 0u);
            stamp_ = 1;
        }
        // The points of the curve through this sample, one a year, up to the first stop.
        float Ls[kMaxSteps];
        int32_t count = 0;
        for (; count < kMaxSteps; ++count) {
            float L = 0;
            if (growthCurve_ == 0) L = NonSeasonalLength(t, K, Linf, T0);
            else d.LengthFunc(growthCurve_, t, K, Linf, T0, Ts_, C_, NGT_, L);
            if (L >= top_ || L >= stopLength) break;
            Ls[count] = L;
            t = t + 1;
        }
        double E = 0;
        const int32_t* markSlot = &markSlot_[i * row];
        const int32_t* checkSlot = &checkSlot_[i * row];
        for (int32_t s = 0; s < count; ++s) {
            const float L = Ls[s];
            if (!(L >= minLength_)) continue;
            const float q = (L - minLength_) / classSize_;
            // L just below the top can still round into class n + 1: skipped like j < 1.
            if (!(q < static_cast<float>(n_))) continue;
            const int32_t j = static_cast<int32_t>(q) + 1;
            // A class of a peak already hit in this sample is not scored again; a trough
            // class never is marked.
            const bool fresh = runMarks_[checkSlot[j]] != stamp_;
            // Interpolate between the midpoints of class j and its neighbour on the side of
            // L (the guards outside the classes are 0, so an edge class counts alone).
            // Upper half: (1.5 - f) R(j) + (f - 0.5) R(j + 1); lower half: (f + 0.5) R(j) +
            // (0.5 - f) R(j - 1). Picked from small tables, as the half is unpredictable.
            const float f = (L - lb_[j]) / classSize_;
            const int upper = f >= 0.5f ? 1 : 0;
            const double sf = kSign[upper] * static_cast<double>(f);
            const double a = kOwn[upper] + sf;
            const double b = kOther[upper] - sf;
            const double term = a * R[j] + b * R[j + kSide[upper]];
            E += fresh ? term : 0.0;
            // Mark the peak around the hit: the walk up from j and the walk down from j - 1
            // over positive values mark the whole run holding j and the whole run ending at
            // j - 1. (Marking again what is marked changes nothing.)
            runMarks_[markSlot[j]] = stamp_;
            runMarks_[markSlot[j - 1]] = stamp_;
        }
        if (asp_[i] > 0) {
            ESP += static_cast<float>(E);
            ASPsum += asp_[i];
        }
    }
    if (ASPsum == 0) return 0.0f;
    return ESP / ASPsum;
}

void clsELEFAN::CalcScoreT0(float K, float Linf, float& Score, float& T0) {
    // Coarse scan over t0, then a fine one around its best; the first of equal scores wins.
    // The loop counters are singles, accumulated as such: the fine scan's count depends on it.
    float best = -1E+24f, bestT0 = 0;
    for (float t0 = -0.95f; t0 <= -0.049f; t0 += 0.05f) {
        const float s = ScoreAtT0(K, Linf, t0);
        if (s > best) { best = s; bestT0 = t0; }
    }
    const float from = static_cast<float>(bestT0 - 0.04);
    const float to = static_cast<float>(bestT0 + 0.04);
    best = -1E+24f;
    float fineT0 = 0;
    for (float t0 = from; t0 <= to; t0 += 0.01f) {
        const float s = ScoreAtT0(K, Linf, t0);
        if (s > best) { best = s; fineT0 = t0; }
    }
    Score = best;
    T0 = fineT0;
    setRejected(false);
}

void clsELEFAN::GetT0(float K, float Linf, float& T0) {
    float score = 0;
    CalcScoreT0(K, Linf, score, T0);
}
