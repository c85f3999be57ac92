#ifndef CLSSLCA_H
#define CLSSLCA_H
// SLCA score (method 0): every length class becomes an age interval through the growth
// curve, and each sample's counts add a damped cosine that peaks when the middle of that
// interval falls on the sample's time of year. The score is the amplitude of this sum over
// t0 and t0 its phase. The seasonal parameters are not used.
#include <cstdint>
#include <vector>

#include "clsMethBase.h"

class clsSLCA : public clsMethBase {
public:
    clsSLCA() = default;

    // The seasonal parameters are fixed for this method: setting them does nothing.
    void setsTs(float) override {}
    void setsC(float) override {}
    void setsNGT(float) override {}

    MethValue FixedParam1() const override { return std::string("N/A"); }
    MethValue FixedParam2() const override { return std::string("N/A"); }

    void CalcScoreT0(float K, float Linf, float& Score, float& T0) override;
    void GetT0(float K, float Linf, float& T0) override;
    int32_t MethType() const override { return 0; }
    std::unique_ptr<IMeth> ScoringCopy() const override { return CopyAs(*this); }

    // The cosine sum at one t0.
    double ScoreAtT0(float K, float Linf, float T0);

protected:
    float CreateC() const override { return 0.4f; }
    bool PollsCancel() const override { return false; }
    const char* NoFixedText() const override { return "N/A"; }
    void Prepared() override;

private:
    void PhaseSearch(float K, float Linf, float& Score, float& T0);

    // Counts laid out by class for the inner loop: sqrt of sample i's count in class j at
    // (j - 1) * nd + (i - 1); negative_[j] when a count of class j is below 0 (its root
    // fails when the class is scored).
    int32_t n_ = 0;
    int32_t nd_ = 0;
    std::vector<double> root_;
    std::vector<double> time_;
    std::vector<char> negative_;
};

#endif
