#ifndef CLSLCCURVE_H
#define CLSLCCURVE_H
// Length-converted catch curve. Each length class becomes a relative age on the von
// Bertalanffy curve without t0, t(L) = -ln(1 - L/Linf)/K; the percentage of a
// distribution's fish in a class divided by the time taken to grow through it falls as
// exp(-Z t), so the slope of ln(percentage / duration) on the age at the class mid-point
// is -Z. Classes near Linf, where the ages crowd together, and
// classes below full selection bend the curve: the user picks the points of the fit.
//
// Single precision throughout, logarithms and roots in double. Works on its own copy of
// the data set.
#include <cstdint>
#include <optional>
#include <vector>

#include "IZReg.h"
#include "clsVorn.h"

class clsLCCurve : public IZReg {
public:
    // Copies the data set, computes ages, percentages, y values and the default
    // inclusion, and fits every distribution. Refuses (VbError 1009) K or Linf not above
    // 0, a data set without samples or classes or with a class size not above 0, and a
    // data set in which no distribution can be fitted.
    void Create(const clsVorn& data, float K, float Linf);
    // Recomputes mean Z and its standard error over the distributions with a result.
    void CalcMeans();

    int16_t ZType() const override { return 0; }
    // (1) Z = -slope.
    std::optional<ZValues> DistResults(int32_t dist) override;
    // The relative age at the mid-point of class i.
    float XData(int32_t i) const override;
    // ln(percentage / duration) of class i, or kNoValue.
    float YData(int32_t dist, int32_t i) const override;
    int16_t NumPoints() const override { return data_.NumClasses(); }
    int16_t NumDists() const override { return data_.NumDists(); }
    void setToggledIn(int32_t dist, int32_t i, bool value) override;
    bool ToggledIn(int32_t dist, int32_t i) const override;
    // (1) mean Z, (2) its standard error.
    std::optional<ZValues> MeanAndSE() override;
    std::optional<ZLine> FittedLine(int32_t dist) const override;

    // The working values, for reading: age at the lower bound of class j, time to grow
    // through class j (0 for the last class), the percentage of distribution dist in
    // class j, and the fitted y of class j (empty without a result or for the last class).
    float LowerAge(int32_t j) const;
    float Duration(int32_t j) const;
    float Percentage(int32_t dist, int32_t j) const;
    std::optional<float> FittedY(int32_t dist, int32_t j) const;

private:
    struct Record {
        std::vector<float> percentage;   // 1..NumClasses
        std::vector<float> y;            // 1..NumClasses
        std::vector<float> fittedY;      // 1..NumClasses
        std::vector<bool> included;      // 1..NumClasses
        std::optional<ZLine> line;       // slope B and intercept A of the last fit
    };

    void FitDist(int32_t dist);
    const Record& At(int32_t dist, int32_t i, const char* proc) const;
    Record& At(int32_t dist, int32_t i, const char* proc);

    clsVorn data_;
    float k_ = 0.0f;
    float linf_ = 0.0f;
    std::vector<float> lowerAge_;     // 1..NumClasses
    std::vector<float> duration_;     // 1..NumClasses
    std::vector<float> midAge_;       // 1..NumClasses
    std::vector<Record> records_;     // 1..NumDists
    std::optional<ZValues> means_;
};

#endif
