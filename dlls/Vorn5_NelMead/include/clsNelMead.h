#ifndef CLSNELMEAD_H
#define CLSNELMEAD_H
// Downhill-simplex (Nelder-Mead) minimiser of a function of a few parameters, each kept
// inside a box. Errors never leave Minimise or SetParameter: they are logged (and the run
// reports MinOK false with MinFuncVal 1.79E+308, and why in StopReason).
#include <cstdint>
#include <vector>

#include "Hald_Error.h"
#include "INelMead.h"

enum ConvergeType : int32_t { COEither = 0, COFunction = 1, COParameter = 2, COboth = 3 };

// Why the last Minimise ended. Only the two converged reasons go with MinOK true.
enum class NelMeadStop : int32_t {
    NotRun = 0,         // no Minimise since Create
    FunctionConverged,  // the function-value test stopped it (with COboth, the simplex test as well)
    SimplexConverged,   // the simplex-size (parameter) test stopped it
    IterationCap,       // AmoebaIts steps without meeting the rule
    BadStart,           // refused before iterating: a box with low above high, a tolerance
                        // not above 0, a first simplex outside its box, or no objective
    FunctionError,      // the objective or the simplex arithmetic raised
};

class clsNelMead {
public:
    static constexpr double Unset = 1.79E+308;

    clsNelMead();

    double MinFuncVal() const { return minFuncVal_; }
    bool MinFTOLOK() const { return ftolOK_; }
    bool MinXTOLOK() const { return xtolOK_; }
    bool MinOK() const { return converged_; }
    int32_t IterationsOnConvergence() const { return iterationsOnConvergence_; }
    NelMeadStop StopReason() const { return stop_; }
    // Calls of MinFunc in the last run (points scored 1.79E+308 outside the box are not calls).
    int32_t Evaluations() const { return evaluations_; }

    ConvergeType ConvergeOn() const { return convergeOn_; }
    void setConvergeOn(ConvergeType value) { convergeOn_ = value; }
    void setFTOL(float value) { ftol_ = value; }
    void setXTOL(float value) { xtol_ = value; }
    void setAmoebaIts(int32_t value) { maxIterations_ = value; }
    int32_t AmoebaIts() const { return maxIterations_; }

    // Coordinate lParam (1..n) of the best vertex, the one MinFuncVal describes.
    // Raises 9 (subscript) outside 1..n or before Create.
    double Parameter(int32_t lParam) const;

    // objCall is not owned; it must outlive every Minimise.
    void Create(INelMead* objCall, int32_t lDimens);
    // Box [dblRangeLo, dblRangeHi] and the two starting values of parameter param (1..n).
    void SetParameter(int32_t param, double dblLo, double dblHi, double dblRangeLo,
                      double dblRangeHi);
    void Minimise();

private:
    void Reset();
    void CheckSettings();
    void Amoeba();
    // The convergence rule on the current test flags: the reason to stop, or NotRun.
    NelMeadStop StopTest() const;
    // Builds point = a*p + b*q coordinate by coordinate with the box test; false at the
    // first coordinate outside its box.
    bool BuildTrial(std::vector<double>& point, double a, const std::vector<double>& p,
                    double b, const std::vector<double>& q);
    double Evaluate(std::vector<double>& point);
    // Raises `offset` on the component base with `text`, ending the run for `reason`.
    [[noreturn]] void Refuse(NelMeadStop reason, int32_t offset, const char* source, const char* text);

    INelMead* callback_ = nullptr;
    Hald_Error errorHandler_;
    int32_t iterationsOnConvergence_ = 0;
    int32_t evaluations_ = 0;
    NelMeadStop stop_ = NelMeadStop::NotRun;
    int32_t numVertices_ = 0;
    int32_t n_ = 0;
    int32_t maxIterations_ = 500;
    std::vector<std::vector<double>> vertices_;  // [1..n+1][1..n]
    std::vector<double> values_;                 // [1..n+1]
    std::vector<double> trial_, expand_, centroid_;
    std::vector<double> rangeLo_, rangeHi_, startLo_, startHi_;
    int32_t best_ = 0;  // vertex of MinFuncVal after a converged run
    double minFuncVal_ = Unset;
    float ftol_ = 1E-6f;
    float xtol_ = 1E-4f;
    bool ftolOK_ = false;
    bool xtolOK_ = false;
    bool ftolMetBefore_ = false;
    bool inRange_ = true;
    bool converged_ = false;
    ConvergeType convergeOn_ = COEither;
};

#endif
