#ifndef CLSBEVHOLTZ_H
#define CLSBEVHOLTZ_H
// Total mortality Z of every sample from the mean length of the fish at and above a
// cut-off length Lc (the Beverton-Holt mean-length estimator):
//     Z = K (Linf - Lbar) / (Lbar - Lc)
// with the fish of a class counted at its mid-point. The estimator assumes constant
// recruitment and mortality and full selection from Lc on, so Lc should lie above the
// lengths at which the gear is not yet fully selective.
//
// Lc is moved down to the class bound at or below it. A sample without fish at or above
// Lc has no Z (the formula would give -Linf K / Lc, which estimates nothing), nor has one
// whose fish there have a mean length at or above Linf (Z would be 0 or below): such a
// sample stays out of the mean and the standard error. A calculation that cannot give a Z for any sample,
// or meets an error, fails as a whole: the error goes to the error log, Calculated() is
// false and FailReason() says why in words the user can act on.
#include <cstdint>
#include <string>
#include <vector>

#include "Hald_Error.h"

class clsVorn;

class clsBevHoltZ {
public:
    // Holds the data set (which must outlive this object) and sizes ZVals to its samples.
    void InitialiseMe(const clsVorn& data);

    // Computes Z of every sample, their mean, variance and standard error. Lc is moved
    // down to a class bound and written back. False when the calculation failed.
    bool CalculateMortality(float K, float Linf, float& Lc);

    bool Calculated() const { return calculated_; }
    const std::string& FailReason() const { return failReason_; }

    float meanZ() const { return meanZ_; }
    float StdErrZ() const { return stdErrZ_; }
    float varZ() const { return varZ_; }
    // Z of sample i; 0 for a sample without Z, -1 for an i outside 1..NumDists.
    float ZVals(int16_t i) const;
    // Whether sample i has a Z (fish at or above Lc in the last calculation, with a mean
    // length below Linf).
    bool HasZ(int16_t i) const;
    int16_t NumDists() const { return zVals_.empty() ? 0 : static_cast<int16_t>(zVals_.size() - 1); }
    float Lc() const { return lc_; }
    float k() const { return k_; }
    float Linf() const { return linf_; }

private:
    void Calculate(float K, float Linf, float& Lc);
    void setmeanZ(float v) { meanZ_ = v; }
    void setStdErrZ(float v) { stdErrZ_ = v; }
    void setvarZ(float v) { varZ_ = v; }
    void setZVals(int16_t i, float v);

    const clsVorn* data_ = nullptr;
    float lc_ = 0, k_ = 0, linf_ = 0;
    std::vector<float> zVals_;  // 1..NumDists
    std::vector<char> hasZ_;    // 1..NumDists
    float meanZ_ = 0, stdErrZ_ = 0, varZ_ = 0;
    bool calculated_ = false;
    std::string failReason_;
    Hald_Error err_;
};

#endif
