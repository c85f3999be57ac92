#include "SyntheticData.h"

#include <algorithm>
#include <cmath>

#include "clsVorn.h"

namespace synthetic {

std::vector<float> EvenTimes(int n, float first) {
    std::vector<float> t;
    for (int i = 0; i < n; ++i) t.push_back(first + static_cast<float>(i) / static_cast<float>(n));
    return t;
}

void Build(clsVorn& ds, const Growth& g) {
    const int nd = static_cast<int>(g.sampleTimes.size());
    ds.ResizeData(static_cast<int16_t>(nd), g.NumClasses);
    ds.setMinLength(g.MinLength);
    ds.setClassSize(g.ClassSize);
    auto phi = [](double z) { return 0.5 * std::erfc(-z / std::sqrt(2.0)); };
    for (int i = 1; i <= nd; ++i) {
        const double t = g.sampleTimes[i - 1];
        ds.setsTime(static_cast<int16_t>(i), static_cast<float>(t));
        // Age of the youngest cohort: time since the last birthday (t0 plus whole years).
        double youngest = (t - g.t0) - std::floor(t - g.t0);
        if (youngest <= 0.0) youngest += 1.0;
        std::vector<double> counts(g.NumClasses + 1, 0.0);
        for (int c = 0; c < g.cohorts; ++c) {
            const double age = youngest + c;
            const double n = g.recruits * std::exp(-g.Z * age);
            const double mean = g.Linf * (1.0 - std::exp(-g.K * age));
            const double spread = g.birthSd * g.K * (g.Linf - mean);
            const double sd = std::max<double>(g.minSd, std::hypot(g.cv * mean, spread));
            for (int j = 1; j <= g.NumClasses; ++j) {
                const double lo = g.MinLength + (j - 1) * double(g.ClassSize);
                const double hi = lo + g.ClassSize;
                counts[j] += n * (phi((hi - mean) / sd) - phi((lo - mean) / sd));
            }
        }
        for (int j = 1; j <= g.NumClasses; ++j) {
            const double v = g.wholeFish ? std::nearbyint(counts[j]) : counts[j];
            ds.setDists(static_cast<int16_t>(i), static_cast<int16_t>(j), static_cast<float>(v));
        }
    }
    ds.Refresh();
}

}  // namespace synthetic
