#ifndef SIMULATEDATA_H
#define SIMULATEDATA_H
// Settings and pieces of the data set simulation (clsVorn::SimulateData): the random
// seed of a run, the cohort count and the cumulative sampling table.
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace simulation {

// Every simulation draws all its random numbers from one stream, seeded once at its
// start: from the clock unless a fixed seed is set here (repeatable runs, tests).
void SetSeed(std::optional<uint32_t> seed);
std::optional<uint32_t> Seed();

// Steps of the cumulative sampling table (0.005 of cumulative probability each).
inline constexpr int kSteps = 200;

// Redraws of a value that must fall inside its range (recruits, Ts, NGT, Linf, K, C)
// before the run gives up with a message.
inline constexpr int kMaxRedraws = 100000;

// Cohorts after the first for total mortality z: floor(-ln(0.01) / z) + 1, the age at
// which fewer than 1% of a cohort survive.
double CohortCount(float z);

// The cumulative sampling table of one sample: entry k (1..kSteps) is the class in
// which the cumulative proportion of the counts passes (k - 1) x 0.005; entry 0 is not
// used. counts is 1-based (counts[0] is ignored) and must not sum to 0.
std::array<int16_t, kSteps + 1> CumulativeClasses(const std::vector<float>& counts);

}  // namespace simulation

#endif
