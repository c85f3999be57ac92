// Growth transition matrix.
//
// Over a step dt a fish of length L grows to L' = L*E + G with E = exp(-K*dt) and
// G = (1 - E)*Linf, so the fish that end in target class [b(i), b(i+1)) came from the
// source lengths [S(b(i)), S(b(i+1))) with S(L) = (L - G)/E. Each source class k
// contributes the share of its width that lies in that interval. The last class keeps
// everything that grows beyond it; a class at or above Linf keeps its own fish.
#include "clsGrowthMatrix.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "clsVorn.h"
#include "vb/VbError.h"
#include "vb/VbRuntime.h"

namespace {

constexpr const char* kSource = "clsGrowthMatrix";

[[noreturn]] void raiseDivisionByZero() { vb::Raise(11, kSource); }
[[noreturn]] void raiseOverflow() { vb::Raise(6, kSource); }

}  // namespace

void clsGrowthMatrix::checkIndex(int16_t i, int16_t j) const {
    if (i < 1 || i > n_ || j < 1 || j > n_) vb::Raise(9, kSource);
}

float clsGrowthMatrix::GM(int16_t i, int16_t j) const {
    checkIndex(i, j);
    return at(i, j);
}

void clsGrowthMatrix::setGM(int16_t i, int16_t j, float value) {
    checkIndex(i, j);
    at(i, j) = value;
    widenBand(i, j);
}

void clsGrowthMatrix::widenBand(int i, int j) {
    if (first_[i] > last_[i]) {
        first_[i] = last_[i] = j;
    } else {
        first_[i] = std::min(first_[i], j);
        last_[i] = std::max(last_[i], j);
    }
}

void clsGrowthMatrix::clearBands() {
    for (int i = 1; i < static_cast<int>(first_.size()); ++i) {
        float* row = &gm_[static_cast<std::size_t>(i - 1) * stride_];
        for (int j = first_[i]; j <= last_[i]; ++j) row[j - 1] = 0.0f;
        first_[i] = 1;
        last_[i] = 0;
    }
}

void clsGrowthMatrix::Compute(clsVorn& DataSet, float K, float Linf, float dt) {
    const int n = DataSet.NumClasses();
    const float minLength = DataSet.MinLength();
    const float cs = DataSet.ClassSize();

    // Nothing survives from an earlier step: a failure below leaves no matrix at all.
    n_ = 0;
    if (n != stride_) {
        stride_ = std::max(n, 0);
        gm_.assign(static_cast<std::size_t>(stride_) * stride_, 0.0f);
        first_.assign(stride_ + 1, 1);
        last_.assign(stride_ + 1, 0);
    }
    if (n < 1) return;
    if (!(cs > 0.0f)) raiseDivisionByZero();
    lb_.resize(n + 2);
    row_.resize(n);
    s1_.assign(n + 2, 0.0f);
    for (int j = 1; j <= n + 1; ++j) lb_[j] = DataSet.LBounds(static_cast<int16_t>(j));

    const double e = std::exp(static_cast<double>(-K * dt));
    if (!(e <= 3.4028234663852886e38)) raiseOverflow();   // does not fit a single
    const float E = static_cast<float>(e);
    const float G = (1.0f - E) * Linf;
    // E = 0 (K*dt beyond about 103) would divide by zero in S(L); a denormal E
    // overflows it. Either way the step has no usable matrix.
    if (E == 0.0f) raiseDivisionByZero();
    auto sourceOf = [&](float L) {
        const float s = (L - G) / E;
        if (!std::isfinite(s)) raiseOverflow();
        return s;
    };

    // Source bounds first, so that every failure happens before the matrix is filled.
    s1_[1] = std::min(sourceOf(lb_[1]), Linf);
    int lastGrowing = 0;                          // rows below Linf
    bool lastCapped = false;                      // S1(lastGrowing + 1) was capped
    for (int i = 1; i <= n; ++i) {
        if (Linf <= lb_[i]) break;
        const float s = sourceOf(lb_[i + 1]);
        lastCapped = s > Linf;
        s1_[i + 1] = lastCapped ? Linf : s;
        lastGrowing = i;
    }

    clearBands();
    n_ = static_cast<int16_t>(n);
    for (int i = 1; i <= n; ++i) {
        if (i > lastGrowing) {  // Linf <= LBounds(i): the class keeps its fish
            at(i, i) = 1.0f;
            first_[i] = last_[i] = i;
            continue;
        }
        const float lower = s1_[i];
        const bool capped = (i == lastGrowing) && lastCapped;
        // The last class takes everything that grows beyond it, including the part of
        // the source class that straddles S(top): without this, those fish would be lost
        // and the column would not sum to 1.
        const float upper = (i == n && !capped) ? std::numeric_limits<float>::infinity() : s1_[i + 1];
        // First source class worth looking at; a very negative source bound (strong
        // growth) simply starts at class 1.
        // (Rounding half to even; one class too low only adds a zero entry.)
        const double q = (lower - minLength) / cs;
        const int k0 = q <= 1.0 ? 1 : static_cast<int>(std::min(std::nearbyint(q), double(i + 1)));
        for (int k = k0; k <= i; ++k) {
            const float lo = lb_[k];
            const float hi = lb_[k + 1];
            float v = 0.0f;
            if (lo < lower && lower < hi) {
                v = (hi - lower) / cs;
            } else if (lower <= lo && upper >= hi) {
                v = 1.0f;
            } else if (lo < upper && upper < hi) {
                v = capped ? 1.0f : (upper - lo) / cs;
            }
            at(i, k) = v;
        }
        first_[i] = k0;
        last_[i] = i;
    }
}

void clsGrowthMatrix::VecMult(clsVorn& DataSet, int16_t i, std::vector<float>& Result) const {
    const int n = DataSet.NumClasses();
    if (n != n_ || static_cast<int>(Result.size()) < n + 1)
        vb::Raise(9, kSource);
    const float total = DataSet.NTotal(i);
    const float s = total > 0.0f ? 1.0f / total : 0.0f;
    float* counts = row_.data();
    for (int k = 1; k <= n; ++k) counts[k - 1] = DataSet.Dists(i, static_cast<int16_t>(k));
    for (int j = 1; j <= n; ++j) {
        const float* gm = &gm_[static_cast<std::size_t>(j - 1) * n_];
        // The columns outside the band hold 0 and would add nothing to the sum.
        float sum = 0.0f;
        const int last = std::min(last_[j], j);
        for (int k = first_[j] - 1; k < last; ++k) sum += gm[k] * counts[k];
        Result[j] = s * sum;
    }
}
