#include "clsSolver.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <vector>

#include "ErrorCapture.h"
#include "ErrorNumber.h"

namespace {

using testsupport::ErrorNumberOf;

constexpr int32_t kBase = vbObjectError;

// A callback whose function is given as a lambda; records every x it is asked for.
class Fun : public ISolver {
public:
    explicit Fun(std::function<float(float)> f) : f_(std::move(f)) {}
    float Fn(float& x) override
    {
        calls.push_back(x);
        return f_(x);
    }
    bool Asked(float x) const
    {
        for (float c : calls)
            if (c == x) return true;
        return false;
    }
    std::vector<float> calls;

private:
    std::function<float(float)> f_;
};

// The solver finds x with 0 - Fn(x) = 0, so Fn is the function whose root is wanted.
class SolverTest : public ::testing::Test {
protected:
    SolverTest() { solver.Create(); }
    ErrorCapture capture;
    clsSolver solver;
};

TEST_F(SolverTest, EndThatIsARootIsReturnedWithoutEvaluatingTheOther)
{
    Fun atLow([](float x) { return x - 2.0f; });
    EXPECT_EQ(solver.root(atLow, false, 2.0f, 7.0f), 2.0f);
    EXPECT_EQ(atLow.calls, std::vector<float>{2.0f});

    Fun atHigh([](float x) { return x - 7.0f; });
    EXPECT_EQ(solver.root(atHigh, false, 2.0f, 7.0f), 7.0f);
    EXPECT_EQ(atHigh.calls, (std::vector<float>{2.0f, 7.0f}));
    EXPECT_EQ(capture.ShownCount(), 0u);
}

TEST_F(SolverTest, BrentConvergesOnSmoothFunctionsInABracketOfWidthTen)
{
    struct Case {
        const char* name;
        std::function<float(float)> f;
        float lo, hi, root;
    };
    const std::vector<Case> cases = {
        {"linear", [](float x) { return x - 3.3f; }, 0.0f, 10.0f, 3.3f},
        {"cubic", [](float x) { return x * x * x - 2.0f; }, -2.0f, 8.0f, 1.2599210f},
        {"cos x - x", [](float x) { return static_cast<float>(std::cos(x)) - x; }, -5.0f, 5.0f, 0.7390851f},
        {"exp, decreasing bracket order", [](float x) { return static_cast<float>(std::exp(x)) - 5.0f; },
         8.0f, -2.0f, 1.6094379f},
    };
    for (const auto& c : cases) {
        Fun fun(c.f);
        const float x = solver.root(fun, false, c.lo, c.hi);
        // Brent stops once half the bracket is within tol1 = 0.5 * 0.01 + 6E-8 * |b|.
        const float tol1 = 0.005f + 6E-8f * std::fabs(x);
        EXPECT_NEAR(x, c.root, 2 * tol1) << c.name;
        EXPECT_LT(fun.calls.size(), 20u) << c.name;
    }
    EXPECT_EQ(capture.ShownCount(), 0u);
}

TEST_F(SolverTest, EndsOfTheSameSignAreShownLoggedAndRaised)
{
    Fun fun([](float x) { return x * x + 1.0f; });
    EXPECT_EQ(ErrorNumberOf([&] { solver.root(fun, false, -1.0f, 1.0f); }), kBase + 2304);
    ASSERT_EQ(capture.ShownCount(), 1u);
    EXPECT_TRUE(capture.ShownContains(0, "ZBRENT - Root must be bracketed"));
    EXPECT_EQ(capture.Forms().messages[0].buttons & 16, 16);  // critical icon
    EXPECT_NE(capture.Log().find("2304"), std::string::npos);
    EXPECT_NE(capture.Log().find("ZBRENT - Root must be bracketed"), std::string::npos);

    // The Newton variant refuses an end that is exactly a root as well.
    Fun rootAtEnd([](float x) { return x - 1.0f; });
    EXPECT_EQ(ErrorNumberOf([&] { solver.root(rootAtEnd, true, 1.0f, 3.0f); }), kBase + 2306);
    EXPECT_NE(capture.Log().find("2306"), std::string::npos);
}

TEST_F(SolverTest, IterationCapIsShownAndTheLatestEstimateReturned)
{
    // A negative tolerance never lets the bracket be small enough, and a jump that is
    // never 0 never ends the search on fb = 0: both methods run into their caps.
    solver.setTol(-1.0);
    Fun jump([](float x) { return x < 0.25f ? -1.0f : 1.0f; });
    const float b = solver.root(jump, false, 0.0f, 1.0f);
    EXPECT_TRUE(capture.ShownContains(0, "ZBRENT - Exceeding Maximum Iterations"));
    EXPECT_NE(capture.Log().find("2305"), std::string::npos);
    EXPECT_NEAR(b, 0.25f, 1E-5f);
    EXPECT_EQ(jump.calls.size(), 102u);  // two ends and one value per iteration

    // Bisection towards a jump at 0 halves the bracket 100 times before the midpoint
    // stops moving.
    solver.Create();
    solver.setTol(-1.0);
    Fun jumpAtZero([](float x) { return x < 0.0f ? -1.0f : 1.0f; });
    const float r = solver.root(jumpAtZero, true, -1.0f, 1.0f);
    ASSERT_EQ(capture.ShownCount(), 2u);
    EXPECT_TRUE(capture.ShownContains(1, "RTSAFE - Exceeding Maximum Iterations."));
    EXPECT_NE(capture.Log().find("2307"), std::string::npos);
    EXPECT_NEAR(r, 0.0f, 1E-20f);
}

TEST_F(SolverTest, NewtonVariantBisectsToTheTolerance)
{
    Fun fun([](float x) { return x - 3.3f; });
    const float x = solver.root(fun, true, 0.0f, 10.0f);
    EXPECT_NEAR(x, 3.3f, 0.01f);
    // Bisection from width 10 to a step below 0.01: ten halvings, plus the two ends
    // and the midpoint.
    EXPECT_EQ(fun.calls.size(), 12u);
}

TEST_F(SolverTest, ErrorOfTheCallbackIsShownLoggedAndRaised)
{
    Fun failing([](float x) -> float {
        if (x > 1.0f) throw VbError(kBase + 77, "Callback", "callback failed");
        return x - 5.0f;
    });
    EXPECT_EQ(ErrorNumberOf([&] { solver.root(failing, false, 0.0f, 10.0f); }), kBase + 77);
    EXPECT_TRUE(capture.ShownContains(0, "callback failed"));
    EXPECT_NE(capture.Log().find("callback failed"), std::string::npos);
}

TEST_F(SolverTest, BracketFromOneByTwoOnFiveMinusX)
{
    // f = 5 - x, so Fn = x - 5. f(1) = 4, f(2) = 3: decreasing; on from 2 to 4 (1) and 8 (-3).
    Fun fun([](float x) { return x - 5.0f; });
    solver.BracketRoot(fun, 1.0f, 2.0f, UnknownDirection);
    EXPECT_EQ(solver.LowerBound(), 4.0f);
    EXPECT_EQ(solver.UpperBound(), 8.0f);
    EXPECT_EQ(fun.calls, (std::vector<float>{1.0f, 2.0f, 4.0f, 8.0f}));

    // The next root on that very bracket uses the values found; the one after it does not.
    fun.calls.clear();
    const float x = solver.root(fun, false, solver.LowerBound(), solver.UpperBound());
    EXPECT_NEAR(x, 5.0f, 0.011f);
    EXPECT_FALSE(fun.Asked(4.0f));
    EXPECT_FALSE(fun.Asked(8.0f));

    fun.calls.clear();
    solver.root(fun, false, 4.0f, 8.0f);
    EXPECT_EQ(fun.calls.at(0), 4.0f);
    EXPECT_EQ(fun.calls.at(1), 8.0f);
}

TEST_F(SolverTest, CachedEndsServeOnlyTheBracketTheyWereFoundFor)
{
    Fun fun([](float x) { return x - 5.0f; });
    solver.BracketRoot(fun, 1.0f, 2.0f, UnknownDirection);
    fun.calls.clear();
    // Another bracket: its ends are evaluated, not taken from the cache of 4..8.
    const float x = solver.root(fun, false, 3.0f, 8.0f);
    EXPECT_NEAR(x, 5.0f, 0.011f);
    EXPECT_EQ(fun.calls.at(0), 3.0f);

    // A failed root clears them too: the retry on 4..8 evaluates both ends.
    solver.BracketRoot(fun, 1.0f, 2.0f, UnknownDirection);
    Fun positive([](float x) { return -1.0f; });
    solver.setLowerBound(4.0f);
    EXPECT_NE(ErrorNumberOf([&] { solver.root(positive, false, 5.5f, 6.0f); }), 0);
    fun.calls.clear();
    solver.root(fun, false, 4.0f, 8.0f);
    EXPECT_EQ(fun.calls.at(0), 4.0f);
}

TEST_F(SolverTest, BracketSearchDirections)
{
    struct Case {
        const char* name;
        std::function<float(float)> fn;  // Fn; the solver's f is -Fn
        float start, mult;
        FunctionDirection dir;
        float lo, hi;
    };
    const std::vector<Case> cases = {
        // f = 5 - x, already across the root after the first step.
        {"sign change at once", [](float x) { return x - 5.0f; }, 4.0f, 2.0f, UnknownDirection, 4.0f, 8.0f},
        // f = x - 0.3, increasing, positive at 1: the search turns to 1/m.
        {"inwards", [](float x) { return 0.3f - x; }, 1.0f, 2.0f, Increasing, 0.25f, 0.5f},
        // f = 20 - x given as decreasing from 1.
        {"given direction", [](float x) { return x - 20.0f; }, 1.0f, 2.0f, Decreasing, 16.0f, 32.0f},
    };
    for (const auto& c : cases) {
        solver.Create();
        Fun fun(c.fn);
        solver.BracketRoot(fun, c.start, c.mult, c.dir);
        EXPECT_EQ(solver.LowerBound(), c.lo) << c.name;
        EXPECT_EQ(solver.UpperBound(), c.hi) << c.name;
    }
}

TEST_F(SolverTest, BracketSearchThatLeavesTheBoundsStoresTheLastTwoPoints)
{
    Fun noRoot([](float x) { return -(1.0f + x * x); });  // f = 1 + x^2 > 0
    solver.setUpperBound(100.0f);
    solver.BracketRoot(noRoot, 1.0f, 2.0f, Decreasing);
    EXPECT_EQ(solver.LowerBound(), 64.0f);
    EXPECT_EQ(solver.UpperBound(), 128.0f);
}

TEST_F(SolverTest, BracketSearchRefusesStartsThatCannotEnd)
{
    Fun fun([](float x) { return x - 5.0f; });
    struct Case {
        float start, mult;
    };
    for (const Case c : {Case{0.0f, 2.0f}, Case{1.0f, 1.0f}, Case{1.0f, -1.0f}, Case{1.0f, 0.5f},
                         Case{1.0f, 0.0f}}) {
        EXPECT_EQ(ErrorNumberOf([&] { solver.BracketRoot(fun, c.start, c.mult, UnknownDirection); }),
                  kBase + 2308)
            << c.start << " by " << c.mult;
    }
    // Shrinking towards 0 on a function without a root stops at the step cap.
    Fun noRoot([](float x) { return -(1.0f + x * x); });
    EXPECT_EQ(ErrorNumberOf([&] { solver.BracketRoot(noRoot, 1.0f, 2.0f, UnknownDirection); }),
              kBase + 2309);
    EXPECT_LE(noRoot.calls.size(), static_cast<std::size_t>(clsSolver::MaxBracketSteps) + 2);
}

TEST_F(SolverTest, CreateRestoresTheDefaults)
{
    solver.setLowerBound(1.0f);
    solver.setUpperBound(2.0f);
    solver.Create();
    // The widest bounds are the single 3.4E+38 of the original runtime, not FLT_MAX.
    const float hi = solver.UpperBound();
    uint32_t bits;
    std::memcpy(&bits, &hi, sizeof bits);
    EXPECT_EQ(bits, 0x7F7FC99Eu);
    EXPECT_EQ(solver.LowerBound(), -hi);
}

}  // namespace
