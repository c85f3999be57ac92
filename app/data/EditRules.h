#ifndef EDITRULES_H
#define EDITRULES_H
// The rules of editing a data set by hand, as the main window's Edit menu applies them:
// what a typed count is stored as, what a set must satisfy before edit mode ends, and
// the commands on whole samples. A command that refuses changes nothing.
#include <cstdint>
#include <vector>

class clsVorn;

namespace editrules {

// A count as it is stored: never negative.
float StoredCount(float value);

// Why edit mode cannot end yet.
enum class ExitFault {
    None,
    EmptyDist,   // a sample whose counts are all 0
    SharedTime,  // two samples at exactly the same time
};
// The first fault of the set, in the order above. With none, the totals and the default
// growth parameters are recomputed (clsVorn::Refresh), as leaving edit mode does.
ExitFault LeaveEditMode(clsVorn& set);

// Moves sample s to time t, with its counts, into its place in time order. The sample is
// taken by its index, not its time: another sample may share the old time, or the new
// one. False, and nothing changed, when s names no sample.
bool MoveDist(clsVorn& set, int16_t s, float t);

// Whether the class-by-class sums of the picked samples would add up to more than one
// sample of a set may hold (the limit of clsVorn::FirstCountTooLarge, which Save keeps).
// Picked samples as for CombineDists.
bool CombinedTooLarge(const clsVorn& set, std::vector<int16_t> picked);

// One new sample at time t holding the class-by-class sums of the picked samples, which
// go. Picked samples must be distinct and inside 1..NumDists (raises 9 otherwise). False,
// and nothing changed, when nothing is picked or the sums are CombinedTooLarge.
bool CombineDists(clsVorn& set, std::vector<int16_t> picked, float t);

// Erases the picked samples (distinct, inside 1..NumDists; raises 9 otherwise). False,
// and nothing changed, when they are all of them: a set keeps at least one sample.
bool EraseDists(clsVorn& set, std::vector<int16_t> picked);

}  // namespace editrules

#endif
