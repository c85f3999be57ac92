#ifndef CLSPROJMAT_H
#define CLSPROJMAT_H
// The projection-matrix score: each sample is projected to the time of the next one
// through a growth transition matrix, and the squared differences between projected and
// observed proportions are summed. The score is that sum negated (larger is better), so
// the simplex objective is the sum of squares itself. Seasonal growth is handled by
// transforming the sample times; t0 comes from the phase of a length-composition sum over
// the transformed times, mapped back to real time by a root search.
#include <array>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <vector>

#include "DeferredErrors.h"

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
    // Threads a score may use (0, the default: VORN5_THREADS or every hardware thread; on a
    // search's worker always one). From three on, the two phase sums of a score go on
    // workers beside its projections, on data sets of 2000 samples x classes or more. The
    // scores do not depend on it.
    void setThreads(int32_t n) { threads_ = n; }

protected:
    const char* NoFixedText() const override { return "N/A"; }
    bool PointFeasible() const override;
    void CopyInto(clsMethBase& copy) const override;
    void Prepared() override;

private:
    void CheckCurve() const;
    void TransformTimes();
    float PaulyTime(float t) const;            // the Pauly transform of real time t
    float TransformOf(float x) const;          // the transform the root function inverts
    // One phase sum of a score, on a data copy of its own (the sum writes the ages of the
    // class bounds into it), with what it reported and raised.
    struct PhaseSum {
        std::unique_ptr<clsVorn> data;
        double value = 0;
        std::vector<DeferredError> reports;
        std::exception_ptr error;
    };
    double SumAtT0(PhaseSum& p, float K, float Linf, float t0) const;
    void SumInto(PhaseSum& p, float K, float Linf, float t0) const;
    // The phase t0 of (K, Linf) from the sums at t0 0 and 0.25. `meanwhile` (which lets no
    // error out) runs after them, or beside them when threads allow.
    float PhaseT0(float K, float Linf, const std::function<void()>& meanwhile = {});
    static float PhaseOf(float A, float B);
    // The sum of squares of the projections of each sample onto the next, and the largest
    // number of classes compared in one pair.
    void Project(float K, float Linf, float& sum, int16_t& largest);

    float workingT0_ = 0.0f;
    int16_t maxCompared_ = 0;
    clsGrowthMatrix matrix_;
    std::vector<float> projected_;   // P(1..n) of the pair being scored
    // Square roots of the counts the phase sums weigh by, class by class (-1 for a negative
    // count, which fails the sum that reaches it); the counts never change after Create.
    std::vector<double> roots_;
    std::array<PhaseSum, 2> phases_;   // at t0 0 and at t0 0.25
    std::vector<float> phaseTimes_;    // the sample times both sums read, 0-based
    int32_t threads_ = 0;
};

#endif
