#ifndef CLSPROJMAT_H
#define CLSPROJMAT_H
// The projection-matrix score: each sample is projected to the time of the next one
// through a growth transition matrix, and the squared differences between projected and
// observed proportions are summed. The score is that sum negated (larger is better), so
// the simplex objective is the sum of squares itself. Seasonal growth is handled by
// transforming the sample times; t0 comes from the phase of a length-composition sum over
// the transformed times, mapped back to real time by a root search.
#include <cstdint>
#include <vector>

#include "ISolver.h"
#include "clsGrowthMatrix.h"
#include "clsMethBase.h"

class clsPROJMAT : public clsMethBase, public ISolver {
public:
    clsPROJMAT();

    // Score and the phase t0 (of the transformed times) of (K, Linf). Raises for the
    // Pauly curve with NGT >= 1, which has no time transform.
    void CalcScoreT0(float K, float Linf, float& Score, float& T0) override;
    // t0 of (K, Linf) in real time; also stores K and Linf in the method's fields.
    void GetT0(float K, float Linf, float& T0) override;
    int32_t MethType() const override { return 1; }
    std::unique_ptr<IMeth> ScoringCopy() const override { return CopyAs(*this); }
    // For the Pauly curve, the sample times as transformed with the working t0 (the
    // working t0 itself at NGT 1 or more); empty for the other curves.
    void CarriedState(std::vector<float>& State) const override;

    // Root function of the t0 search: working t0 minus the time transform of x.
    float Fn(float& x) override;

    // Sample time i as the scores see it (after the last time transform).
    float TransformedTime(int16_t i) const;
    // The phase-search t0 of the last seasonal GetT0 (initially 0); the Pauly transform
    // reads it, so scores depend on the calls made before them.
    float WorkingT0() const { return workingT0_; }
    // Largest number of classes compared in one sample pair by the last score.
    int16_t MaxCompared() const { return maxCompared_; }

protected:
    const char* NoFixedText() const override { return "N/A"; }
    bool PointFeasible() const override;
    void CopyInto(clsMethBase& copy) const override;

private:
    void CheckCurve() const;
    void TransformTimes();
    float PaulyTime(float t) const;            // the Pauly transform of real time t
    float TransformOf(float x) const;          // the transform the root function inverts
    double SumAtT0(float K, float Linf, float t0);
    float PhaseT0(float K, float Linf);

    float workingT0_ = 0.0f;
    int16_t maxCompared_ = 0;
    clsGrowthMatrix matrix_;
    std::vector<float> projected_;   // P(1..n) of the pair being scored
};

#endif
