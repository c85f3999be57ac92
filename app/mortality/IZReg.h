#ifndef IZREG_H
#define IZREG_H
// A total-mortality estimator that fits a straight line to one point per length class of
// each distribution, and lets the user switch single points in or out of the fit. The
// regression window shows any of them: one result per distribution, the points of one
// distribution with its fitted line, and the means over the distributions.
//
// Points, distributions and result elements are numbered from 1. A distribution that
// cannot be fitted (fewer than two points in its fit, or a fit that fails) has no result:
// its DistResults and FittedLine are empty and it stays out of the means.
#include <cstdint>
#include <optional>
#include <vector>

#include "vb/VbError.h"
#include "vb/VbRuntime.h"

// Result values numbered from 1: catch curve (1) Z; Powell-Wetherall (1) Linf, (2) Z/K;
// means (1) mean, (2) its standard error, and so on per quantity.
class ZValues {
public:
    ZValues() = default;
    explicit ZValues(std::vector<float> values) : values_(std::move(values)) {}
    int32_t Count() const { return static_cast<int32_t>(values_.size()); }
    // Raises 9 outside 1..Count.
    float operator()(int32_t k) const {
        if (k < 1 || k > Count()) vb::Raise(9, "ZValues");
        return values_[static_cast<size_t>(k - 1)];
    }

private:
    std::vector<float> values_;
};

// The fitted line y = A + B x of one distribution.
struct ZLine {
    float A = 0.0f;
    float B = 0.0f;
};

class IZReg {
public:
    virtual ~IZReg() = default;

    // 0 catch curve, 1 Powell-Wetherall.
    virtual int16_t ZType() const = 0;
    // Refits distribution dist and returns its result; empty when it has none.
    virtual std::optional<ZValues> DistResults(int32_t dist) = 0;
    // x of point i (the same for every distribution) and y of point i of distribution dist.
    virtual float XData(int32_t i) const = 0;
    virtual float YData(int32_t dist, int32_t i) const = 0;
    virtual int16_t NumPoints() const = 0;
    virtual int16_t NumDists() const = 0;
    // Marks point i of distribution dist as included or excluded; no refit.
    virtual void setToggledIn(int32_t dist, int32_t i, bool value) = 0;
    virtual bool ToggledIn(int32_t dist, int32_t i) const = 0;
    // Recomputes the means and standard errors over the distributions that have a result;
    // empty when none has.
    virtual std::optional<ZValues> MeanAndSE() = 0;
    // The line of the last fit of distribution dist, the one its result comes from, so
    // that a plot draws exactly what was fitted; empty when it has no result.
    virtual std::optional<ZLine> FittedLine(int32_t dist) const = 0;

    // y of a point without a value: the single 3.4E+38 (bit pattern 7F7FC99E). Such a
    // point starts excluded and never enters a fit.
    static constexpr float kNoValue = 3.4E+38f;
};

#endif
