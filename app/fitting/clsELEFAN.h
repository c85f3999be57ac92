#ifndef CLSELEFAN_H
#define CLSELEFAN_H
// ELEFAN score (method 2). At Create every sample is restructured into peaks (positive
// values) and troughs (negative values) around a moving average; the score of a growth
// curve is the sum of the restructured values that the curve, traced through each sample
// year by year, passes over (ESP), divided by the available sum of peaks (ASP).
#include <cstdint>
#include <vector>

#include "clsMethBase.h"

class clsELEFAN : public clsMethBase {
public:
    clsELEFAN() = default;

    // Restructures the copies; any failure is raised as error 10 "Class Failed to Initialise".
    void Create(clsVorn& DataSet) override;
    // Best ESP/ASP over the coarse and fine t0 scans, and its t0.
    void CalcScoreT0(float K, float Linf, float& Score, float& T0) override;
    void GetT0(float K, float Linf, float& T0) override;
    int32_t MethType() const override { return 2; }
    std::unique_ptr<IMeth> ScoringCopy() const override { return CopyAs(*this); }

    // ESP/ASP at one t0; -9.99 for t0 outside [-1, 1]. The t0 scans call it once per t0.
    virtual float ScoreAtT0(float K, float Linf, float T0);

    // Width of the moving average for a span of classes (odd, at least 5).
    static int32_t MovingAverageWidth(int32_t span);
    // Restructures one sample F(1..n) into R(1..n) with the moving-average width w (both
    // vectors 1-based, index 0 unused) and returns its ASP. A sample without counts gives
    // all zeros and ASP 0.
    static float Restructure(const std::vector<float>& F, int32_t n, int32_t w,
                             std::vector<float>& R);

protected:
    void Prepare(clsVorn& copy) override;
    void Prepared() override;

private:
    // The restructured data laid out for the trace: per sample a row of n + 2 values with
    // a zero guard at each end, so an edge class interpolates with nothing beyond it.
    int32_t n_ = 0;
    int32_t nd_ = 0;
    float minLength_ = 0, classSize_ = 0, top_ = 0;
    std::vector<float> lb_;     // LBounds(1..n+1)
    std::vector<float> r_;      // sample i (0-based) at i * (n + 2), class j at + j
    std::vector<float> frac_;   // time of year of each sample
    std::vector<float> asp_;
    // Peak marks of the sample being traced: run r is marked when runMarks_[r] == stamp_.
    std::vector<int32_t> markSlot_;    // per sample row like r_: run of class j, or 0
    std::vector<int32_t> checkSlot_;   // per sample row: run of class j, or a never-marked slot
    std::vector<uint32_t> runMarks_;
    uint32_t stamp_ = 0;
};

#endif
