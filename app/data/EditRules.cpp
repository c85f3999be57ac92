#include "EditRules.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "clsVorn.h"
#include "vb/VbRuntime.h"

namespace editrules {

namespace {

// Highest first, so that erasing one leaves the indices of the others as they were.
// Raises 9 before anything is changed when an index names no sample or comes twice.
void SortPicked(const clsVorn& set, std::vector<int16_t>& picked, const char* proc) {
    std::sort(picked.begin(), picked.end(), std::greater<>());
    const bool bad = std::adjacent_find(picked.begin(), picked.end()) != picked.end() ||
                     (!picked.empty() && (picked.back() < 1 || picked.front() > set.NumDists()));
    if (bad) vb::Raise(9, std::string("editrules.") + proc);
}

std::vector<float> Counts(const clsVorn& set, int16_t i) {
    std::vector<float> counts(static_cast<std::size_t>(set.NumClasses()) + 1, 0.0f);
    for (int16_t j = 1; j <= set.NumClasses(); ++j) counts[j] = set.Dists(i, j);
    return counts;
}

// Inserts an empty sample at time t, fills it with counts and returns its index.
int16_t InsertFilled(clsVorn& set, float t, const std::vector<float>& counts) {
    const int16_t p = set.DistForNewTime(t);
    set.InsertDist(t);
    for (int16_t j = 1; j <= set.NumClasses(); ++j) set.setDists(p, j, counts[j]);
    return p;
}

// The class-by-class sums of the picked samples (sorted by SortPicked).
std::vector<float> Sums(const clsVorn& set, const std::vector<int16_t>& picked) {
    std::vector<float> sums(static_cast<std::size_t>(set.NumClasses()) + 1, 0.0f);
    for (int16_t i : picked)
        for (int16_t j = 1; j <= set.NumClasses(); ++j) sums[j] += set.Dists(i, j);
    return sums;
}

// The sums as the counts of one of the picked samples, which the combined one replaces:
// checked as a paste of them into it would be.
bool SumsTooLarge(const clsVorn& set, const std::vector<int16_t>& picked, const std::vector<float>& sums) {
    std::vector<clsVorn::NewCount> counts;
    counts.reserve(sums.size());
    for (int16_t j = 1; j <= set.NumClasses(); ++j) counts.push_back({picked.back(), j, sums[j]});
    return set.FirstCountTooLarge(counts) >= 0;
}

}  // namespace

float StoredCount(float value) { return value < 0.0f ? 0.0f : value; }

ExitFault LeaveEditMode(clsVorn& set) {
    const int16_t nd = set.NumDists(), nc = set.NumClasses();
    for (int16_t i = 1; i <= nd; ++i) {
        bool empty = true;
        for (int16_t j = 1; j <= nc && empty; ++j) empty = set.Dists(i, j) == 0.0f;
        if (empty) return ExitFault::EmptyDist;
    }
    // Equal neighbours once sorted; a time that is not a number equals no other.
    std::vector<float> times;
    times.reserve(static_cast<std::size_t>(nd));
    for (int16_t i = 1; i <= nd; ++i)
        if (!std::isnan(set.sTime(i))) times.push_back(set.sTime(i));
    std::sort(times.begin(), times.end());
    if (std::adjacent_find(times.begin(), times.end()) != times.end()) return ExitFault::SharedTime;
    set.Refresh();
    return ExitFault::None;
}

bool MoveDist(clsVorn& set, int16_t s, float t) {
    if (s < 1 || s > set.NumDists()) return false;
    // The new sample lands before the old one when its place is at or before it.
    const int16_t p = InsertFilled(set, t, Counts(set, s));
    set.EraseDist(p <= s ? static_cast<int16_t>(s + 1) : s);
    set.Calc_dist_totals();
    return true;
}

bool CombinedTooLarge(const clsVorn& set, std::vector<int16_t> picked) {
    SortPicked(set, picked, "CombinedTooLarge");
    return !picked.empty() && SumsTooLarge(set, picked, Sums(set, picked));
}

bool CombineDists(clsVorn& set, std::vector<int16_t> picked, float t) {
    SortPicked(set, picked, "CombineDists");
    if (picked.empty()) return false;
    const std::vector<float> sums = Sums(set, picked);
    // A sum beyond a single is infinite, and too large with it.
    if (SumsTooLarge(set, picked, sums)) return false;
    // The new sample is filled before the picked ones go, so the set is never empty and
    // the sums are never lost.
    const int16_t p = InsertFilled(set, t, sums);
    for (int16_t i : picked) set.EraseDist(i >= p ? static_cast<int16_t>(i + 1) : i);
    set.Calc_dist_totals();
    return true;
}

bool EraseDists(clsVorn& set, std::vector<int16_t> picked) {
    SortPicked(set, picked, "EraseDists");
    if (picked.empty() || picked.size() >= static_cast<std::size_t>(set.NumDists())) return false;
    for (int16_t i : picked) set.EraseDist(i);
    return true;
}

}  // namespace editrules
