#ifndef CLSREGRESSION_H
#define CLSREGRESSION_H
// Least-squares straight line y = a + b*x through n points, unweighted or with a weight
// (1/variance) per point, with the standard errors of a and b, chi-square, the residual
// variance and the line through the origin y = b*x. All arithmetic in double.
//
// Use: Create(n), setX, setY (and setWeights), Fit, then the getters. The arrays are read
// at indices 1..n (index 0 unused); a shorter array raises 9 (subscript).
#include <cstdint>
#include <vector>

#include "Hald_Error.h"

class clsRegression {
public:
    // n = lNoPoints; X, Y and W sized 1..n and zeroed. Raises 9 for lNoPoints < 1.
    void Create(int32_t lNoPoints);

    double NoConstantB() const { return noConstantB_; }
    double NoConstantVarY() const { return noConstantVarY_; }
    double NoConstantSEb() const { return noConstantSEb_; }

    void setX(const std::vector<double>& vdata);
    void setX(const std::vector<float>& vdata);
    double VarY() const { return varY_; }
    void setY(const std::vector<double>& vdata);
    void setY(const std::vector<float>& vdata);
    // Sets the weights and makes the object weighted for good (even across Create).
    void setWeights(const std::vector<double>& vdata);
    void setWeights(const std::vector<float>& vdata);

    double A() const { return a_; }
    double B() const { return b_; }
    double SigA() const { return sigA_; }
    double SigB() const { return sigB_; }
    double Chi2() const { return chi2_; }

    // True on success. A failure (no points, division by zero as with two unweighted
    // points or all x equal, overflow) is logged without being shown; the outputs then
    // hold what the steps before the failure left.
    bool Fit();

private:
    template <typename T> void Copy(std::vector<double>& to, const std::vector<T>& from);
    void DoFit();

    Hald_Error errorHandler_;
    std::vector<double> x_, y_, w_;
    int32_t n_ = 0;
    bool weighted_ = false;
    double a_ = 0, b_ = 0, sigA_ = 0, sigB_ = 0, chi2_ = 0, varY_ = 0;
    double noConstantB_ = 0, noConstantVarY_ = 0, noConstantSEb_ = 0;
};

#endif
