#ifndef CLSPOWWEATH_H
#define CLSPOWWEATH_H
// Powell-Wetherall plot. Under constant total mortality Z and von Bertalanffy growth,
// the mean length Lbar of all fish at or above a length L' is linear in L':
// Lbar - L' = a + b L' with Linf = -a/b and Z/K = -(1 + b)/b. Each class lower bound of
// a distribution gives one point (L', Lbar - L'); the user picks the points of the fit
// (those below full selection bend the line). A class with no fish at or above it has no
// mean length: its point has no value, and it is neither drawn nor fitted.
//
// Results are stored in single precision, the mean-length sums are formed in double.
// Reads the data set it was created on at every call (it is not copied).
#include <cstdint>
#include <optional>
#include <vector>

#include "Hald_Error.h"
#include "IZReg.h"
#include "clsVorn.h"

class clsPowWeath : public IZReg {
public:
    // Builds a record for every distribution, then fits each; a distribution that cannot
    // be fitted has no result. Refuses (VbError 1009) a data set without samples or
    // classes or with a class size not above 0, and one in which no distribution can be
    // fitted. `data` must outlive this object.
    void Create(const clsVorn& data);
    // Recomputes the means and standard errors over the distributions with a result.
    void CalcMeans();

    int16_t ZType() const override { return 1; }
    // (1) Linf, (2) Z/K.
    std::optional<ZValues> DistResults(int32_t dist) override;
    // The lower bound of class i.
    float XData(int32_t i) const override;
    // Lbar - L' of class i; kNoValue when no fish lie at or above it.
    float YData(int32_t dist, int32_t i) const override;
    int16_t NumPoints() const override { return data_ ? data_->NumClasses() : 0; }
    int16_t NumDists() const override { return data_ ? data_->NumDists() : 0; }
    // A point without a value cannot be taken in: it stays out.
    void setToggledIn(int32_t dist, int32_t i, bool value) override;
    bool ToggledIn(int32_t dist, int32_t i) const override;
    // (1) mean Linf, (2) its standard error, (3) mean Z/K, (4) its standard error.
    std::optional<ZValues> MeanAndSE() override;
    std::optional<ZLine> FittedLine(int32_t dist) const override;

    // Mean length of the fish in class i and above (0 when there are none), and the
    // fitted y of class i (empty without a result).
    float Lbar(int32_t dist, int32_t i) const;
    std::optional<float> FittedY(int32_t dist, int32_t i) const;

private:
    struct Record {
        std::vector<bool> included;      // 1..NumClasses
        std::vector<bool> hasMean;       // 1..NumClasses: fish at or above the class
        std::vector<float> lbar;         // 1..NumClasses
        std::vector<float> fittedY;      // 1..NumClasses
        std::vector<float> y;            // 1..NumClasses
        float zk = 0.0f;
        float linf = 0.0f;
        std::optional<ZLine> line;       // slope B and intercept A of the last fit
    };

    void FitDist(int32_t dist);
    const Record& At(int32_t dist, int32_t i, const char* proc) const;
    Record& At(int32_t dist, int32_t i, const char* proc);

    Hald_Error err_;
    const clsVorn* data_ = nullptr;
    std::vector<Record> records_;        // 1..NumDists
    std::optional<ZValues> means_;
};

#endif
