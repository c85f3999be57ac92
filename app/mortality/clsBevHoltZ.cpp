#include "clsBevHoltZ.h"

#include <exception>

#include "clsVorn.h"
#include "vb/VbError.h"
#include "vb/VbRuntime.h"

namespace {

constexpr const char* kSource = "clsBevHoltZ.CalculateMortality";
constexpr int32_t kErrBadValue = 1009;

[[noreturn]] void Refuse(const std::string& why) { throw VbError(kErrBadValue, kSource, why); }

}  // namespace

void clsBevHoltZ::InitialiseMe(const clsVorn& data) {
    try {
        data_ = &data;
        calculated_ = false;
        zVals_.assign(static_cast<size_t>(data.NumDists() > 0 ? data.NumDists() : 0) + 1, 0.0f);
        hasZ_.assign(zVals_.size(), 0);
    } catch (const VbError& e) {
        // Logged only: the window then has no data to calculate with and says so.
        err_.HandleError(e, std::string("Cannot initialise"), Hald_Error::LogOnly);
    }
}

float clsBevHoltZ::ZVals(int16_t i) const {
    if (i < 1 || static_cast<size_t>(i) >= zVals_.size()) return -1.0f;
    return zVals_[i];
}

bool clsBevHoltZ::HasZ(int16_t i) const {
    return i >= 1 && static_cast<size_t>(i) < hasZ_.size() && hasZ_[i];
}

void clsBevHoltZ::setZVals(int16_t i, float v) {
    if (i < 1 || static_cast<size_t>(i) >= zVals_.size()) return;
    zVals_[i] = v;
}

bool clsBevHoltZ::CalculateMortality(float K, float Linf, float& Lc) {
    calculated_ = false;
    failReason_.clear();
    try {
        Calculate(K, Linf, Lc);
        calculated_ = true;
    } catch (const VbError& e) {
        failReason_ = e.Description;
        err_.HandleError(e, std::string("Calculation Failed"), Hald_Error::LogOnly);
    } catch (const std::exception& e) {
        failReason_ = e.what();
        err_.HandleError(VbError(51, kSource, e.what()), std::string("Calculation Failed"),
                         Hald_Error::LogOnly);
    }
    if (!calculated_) {
        hasZ_.assign(hasZ_.size(), 0);
        setmeanZ(0);
        setStdErrZ(0);
        setvarZ(0);
    }
    return calculated_;
}

void clsBevHoltZ::Calculate(float K, float Linf, float& Lc) {
    if (!data_) Refuse("There is no data set to calculate with.");
    const clsVorn& d = *data_;
    const int16_t nDists = d.NumDists();
    const int16_t nClasses = d.NumClasses();
    const float classSize = d.ClassSize();
    if (nDists < 1) Refuse("The data set has no samples.");
    if (nClasses < 1 || !(classSize > 0)) Refuse("The data set has no length classes.");
    if (!(K > 0)) Refuse("K must be greater than 0.");
    if (!(Linf > 0)) Refuse("Linf must be greater than 0.");
    if (zVals_.size() != static_cast<size_t>(nDists) + 1) zVals_.assign(static_cast<size_t>(nDists) + 1, 0.0f);
    hasZ_.assign(zVals_.size(), 0);

    // Lc down to the class bound at or below it, in single precision as the class bounds
    // themselves are: (14 - 10) / 0.1 is 40 in single but 39.99... in double.
    const float minLength = d.MinLength();
    Lc = minLength + vb::Int(vb::DivS(Lc - minLength, classSize, kSource)) * classSize;
    lc_ = Lc;
    k_ = K;
    linf_ = Linf;
    setmeanZ(0);
    setStdErrZ(0);
    setvarZ(0);

    if (d.LBounds(1) >= Linf) Refuse("Every length class lies at or above Linf (" + vb::CStr(Linf) + ").");
    if (Lc >= Linf) Refuse("Lc (" + vb::CStr(Lc) + ") must lie below Linf (" + vb::CStr(Linf) + ").");
    if (Lc > d.LBounds(nClasses))
        Refuse("Lc (" + vb::CStr(Lc) + ") lies above the length classes: no class starts at or above it.");

    // Mean length of the fish at and above Lc, each class at its mid-point. A mean length
    // at or above Linf would give a Z of 0 or below, which estimates nothing: no Z.
    std::vector<float> lbar(static_cast<size_t>(nDists) + 1, 0.0f);
    bool anyFish = false, anyZ = false;
    for (int16_t i = 1; i <= nDists; ++i) {
        float s1 = 0, s0 = 0;
        for (int16_t j = 1; j <= nClasses; ++j) {
            const float lb = d.LBounds(j);
            if (lb < Lc) continue;
            const float n = d.Dists(i, j);
            s1 = vb::CSng(s1 + n * (classSize * 0.5 + lb));
            s0 = vb::CSng(static_cast<double>(s0) + n);
        }
        lbar[i] = s0 > 0 ? vb::DivS(s1, s0, kSource) : 0.0f;
        hasZ_[i] = s0 > 0 && lbar[i] < Linf;
        anyFish = anyFish || s0 > 0;
        anyZ = anyZ || hasZ_[i];
    }
    if (!anyFish) Refuse("No sample has fish at or above Lc (" + vb::CStr(Lc) + ").");
    if (!anyZ)
        Refuse("No sample has a Z: in every sample with fish at or above Lc (" + vb::CStr(Lc) +
               "), their mean length lies at or above Linf (" + vb::CStr(Linf) + ").");

    float sum = 0;      // single, as the reported mean was computed
    double sumSq = 0;   // squares taken in double
    int16_t counted = 0;
    for (int16_t i = 1; i <= nDists; ++i) {
        setZVals(i, 0);
        if (!hasZ_[i]) continue;
        float z = 0;
        try {
            z = vb::DivS((Linf - lbar[i]) * K, lbar[i] - Lc, kSource);
        } catch (const VbError& e) {
            throw VbError(e.Number, kSource,
                          "Z of sample " + vb::CStr(static_cast<int32_t>(i)) +
                              " cannot be calculated: the mean length of its fish at and above Lc equals Lc.");
        }
        setZVals(i, z);
        sum = vb::CSng(static_cast<double>(sum) + z);
        sumSq += static_cast<double>(z) * static_cast<double>(z);
        ++counted;
    }

    const float n = static_cast<float>(counted);
    setmeanZ(sum / n);
    double variance = 0;
    if (counted > 1) {
        const double s = sum;
        variance = (sumSq - s * s / counted) / (counted - 1);
        // Equal Z values can leave a rounding error just below 0.
        if (variance < 0) variance = 0;
    }
    setvarZ(vb::CSng(variance));
    setStdErrZ(vb::CSng(vb::Sqr(varZ_, kSource) / vb::Sqr(n, kSource)));
}
