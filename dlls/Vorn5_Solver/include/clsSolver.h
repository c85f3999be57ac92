#ifndef CLSSOLVER_H
#define CLSSOLVER_H
// One-dimensional root finding in single precision: Brent's method, a safeguarded Newton
// method (bisection only, since no derivative is supplied) and an outward search for a
// bracket.
// The solver finds x with target - Fn(x) = 0, the target being 0.
#include <cstdint>
#include <optional>

#include "Hald_Error.h"
#include "ISolver.h"

enum FunctionDirection : int32_t { UnknownDirection = 0, Increasing = 1, Decreasing = 2 };

class clsSolver {
public:
    clsSolver();

    // Bracket used (and written) by BracketRoot; defaults -3.4E+38 and 3.4E+38.
    void setLowerBound(float sData);
    void setUpperBound(float sData);
    float LowerBound() const;
    float UpperBound() const;

    // Absolute tolerance on x; default 0.01.
    void setTol(double vntData);

    // Root of target - Fn between vntXlo and vntXHi: Brent when blnDFunc is false,
    // safeguarded Newton when true. A failure is shown and logged, then raised to the
    // caller; reaching the iteration cap is shown and logged and the latest estimate
    // returned. vntObj: when given, every function value is taken as 0 from then on
    // (until Create) and Fn is not called.
    float root(ISolver& objCall, bool blnDFunc, float vntXlo, float vntXHi,
               ISolver* vntObj = nullptr);

    // Searches outward from sngStartingValue by factors of sngMultiplier for a sign
    // change and stores it in LowerBound/UpperBound with the function values at both
    // ends, which the next root call on exactly that bracket uses instead of calling Fn.
    // Refuses a start of 0 and |multiplier| <= 1 (error 2308) and gives up after
    // MaxBracketSteps steps (error 2309). enuFunctionDirection describes target - Fn.
    // vntObj is accepted and not used.
    void BracketRoot(ISolver& objCall, float sngStartingValue, float sngMultiplier,
                     FunctionDirection enuFunctionDirection, ISolver* vntObj = nullptr);

    // Reset: tolerance 0.01, cap 100, target 0, widest bounds, no cached end values.
    void Create();

    static constexpr int32_t MaxBracketSteps = 1000;

private:
    float F(float x);
    float Brent(float a, float b);
    float RtSafe(float x1, float x2);

    Hald_Error errorHandler_;
    ISolver* callback_ = nullptr;
    float lastEstimate_ = 0.0f;  // what root returns after the iteration cap
    bool zeroFunction_ = false;
    int16_t target_ = 0;
    double tolerance_ = 0.01;
    std::optional<float> cachedLow_;
    std::optional<float> cachedHigh_;
    int32_t maxIterations_ = 100;
    float lowerBound_;
    float upperBound_;
};

#endif
