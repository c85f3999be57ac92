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

}  // namespace mortalitytest

#endif
