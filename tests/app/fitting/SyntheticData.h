#ifndef SYNTHETICDATA_H
#define SYNTHETICDATA_H
// Length-frequency data sets with a known growth curve, for tests that check a method
// recovers it. Each year's cohort is born at t0 (plus whole years) and grows along a
// non-seasonal von Bertalanffy curve; at every sample time each cohort contributes a
// normal length distribution around its mean length, thinned by mortality. The spread of
// a cohort comes from the spread of its birth dates (sd K (Linf - L) birthSd, which
// narrows as the fish near Linf, as growth along the curve does), optionally plus a part
// proportional to the length. The counts are expected values (rounded to whole fish by
// default), so the data carry no random noise.
#include <cstdint>
#include <vector>

class clsVorn;

namespace synthetic {

struct Growth {
    float K = 0.5f;
    float Linf = 80.0f;
    float t0 = -0.2f;                  // time of year at which a cohort has length 0
    std::vector<float> sampleTimes;    // years; ascending
    float MinLength = 0.0f;
    float ClassSize = 2.0f;
    int16_t NumClasses = 50;           // 0..100: room above Linf
    int cohorts = 10;                  // age groups in each sample, youngest first
    float recruits = 1000.0f;          // fish of a cohort at age 0
    float Z = 0.6f;                    // total mortality per year
    float birthSd = 0.1f;              // years
    float cv = 0.0f;                   // extra sd as a fraction of the mean length
    float minSd = 0.3f;                // smallest sd
    bool wholeFish = true;             // round the expected counts
};

// n samples evenly spread over one year, starting at `first`.
std::vector<float> EvenTimes(int n, float first = 0.05f);

// Fills `ds` (any earlier contents are replaced) and refreshes its totals.
void Build(clsVorn& ds, const Growth& g);

}  // namespace synthetic

#endif
