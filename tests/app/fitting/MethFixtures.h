#ifndef METHFIXTURES_H
#define METHFIXTURES_H
// Small data sets for the scoring-method tests, written out by hand.
#include <cstdint>
#include <vector>

#include "clsVorn.h"

namespace methfix {

// A data set with classes of `classSize` from `minLength`, one row of counts per sample.
inline void Fill(clsVorn& ds, float minLength, float classSize, const std::vector<float>& times,
                 const std::vector<std::vector<float>>& counts) {
    const auto nd = static_cast<int16_t>(times.size());
    const auto nc = static_cast<int16_t>(counts.at(0).size());
    ds.ResizeData(nd, nc);
    ds.setMinLength(minLength);
    ds.setClassSize(classSize);
    for (int16_t i = 1; i <= nd; ++i) {
        ds.setsTime(i, times[i - 1]);
        for (int16_t j = 1; j <= nc; ++j) ds.setDists(i, j, counts[i - 1][j - 1]);
    }
    ds.Refresh();
}

// Sample i of a data set as a 1-based row (index 0 unused).
inline std::vector<float> Row(const clsVorn& ds, int16_t i) {
    std::vector<float> r(static_cast<size_t>(ds.NumClasses()) + 1, 0.0f);
    for (int16_t j = 1; j <= ds.NumClasses(); ++j) r[j] = ds.Dists(i, j);
    return r;
}

// A 1-based row from its values.
inline std::vector<float> OneBased(const std::vector<float>& v) {
    std::vector<float> r(v.size() + 1, 0.0f);
    for (size_t j = 0; j < v.size(); ++j) r[j + 1] = v[j];
    return r;
}

}  // namespace methfix

#endif
