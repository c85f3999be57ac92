#ifndef MORTALITYFIXTURES_H
#define MORTALITYFIXTURES_H
// Small hand-made data sets for the mortality and age-slicing tests.
#include <cstdint>
#include <vector>

#include "clsVorn.h"

namespace mortalitytest {

// A data set of counts[i] (one vector of class counts per sample) over classes from
// minLength, classSize wide; samples at times 0, 1, 2, ... unless times are given.
inline void Fill(clsVorn& v, float minLength, float classSize, const std::vector<std::vector<float>>& counts,
                 const std::vector<float>& times = {}) {
    const auto nd = static_cast<int16_t>(counts.size());
    const auto nc = static_cast<int16_t>(counts.empty() ? 0 : counts[0].size());
    v.setMinLength(minLength);
    v.setClassSize(classSize);
    v.ResizeData(nd, nc);
    for (int16_t i = 1; i <= nd; ++i) {
        v.setsTime(i, times.empty() ? static_cast<float>(i - 1) : times[i - 1]);
        for (int16_t j = 1; j <= nc; ++j) v.setDists(i, j, counts[i - 1][j - 1]);
    }
    v.Calc_dist_totals();
}

// Classes 10-12, 12-14, ..., 24-26 (mid-points 11, 13, ..., 25), to be filled from 10 with
// width 2. Above Lc 14, sample 1 has one fish at 21 and one at 23 (Lbar 22) and sample 2
// one at 17 and one at 19 (Lbar 18); the fish below Lc must not count. With K 1 and
// Linf 30: Z = (30 - 22) / (22 - 14) = 1 and (30 - 18) / (18 - 14) = 3, mean 2, variance
// (1 + 9 - 4^2 / 2) / 1 = 2, standard error sqrt(2) / sqrt(2) = 1.
inline const std::vector<std::vector<float>> kTwoSamples = {
    {7, 0, 0, 0, 0, 1, 1, 0},
    {3, 0, 0, 1, 1, 0, 0, 0},
};

}  // namespace mortalitytest

#endif
