#include "clsNelMead.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <iostream>
#include <vector>

#include "../Vorn5_Solver/ErrorCapture.h"
#include "modNelMeadMaths.h"

namespace {

constexpr int32_t kBase = vbObjectError;

// Objective given as a lambda over x(1..n); records every point it is asked for.
class Objective : public INelMead {
public:
    explicit Objective(std::function<double(const std::vector<double>&)> f) : f_(std::move(f)) {}
    double MinFunc(std::vector<double>& x, int32_t& vtx) override
    {
        lastVtx = vtx;
        calls.emplace_back(x.begin() + 1, x.begin() + 1 + vtx);
        return f_(x);
    }
    std::vector<double> First(std::size_t count) const
    {
        std::vector<double> out;
        for (std::size_t i = 0; i < count && i < calls.size(); ++i) out.push_back(calls[i][0]);
        return out;
    }
    std::vector<std::vector<double>> calls;
    int32_t lastVtx = 0;

private:
    std::function<double(const std::vector<double>&)> f_;
};

double Rosenbrock(const std::vector<double>& x)
{
    return 100.0 * (x[2] - x[1] * x[1]) * (x[2] - x[1] * x[1]) + (1.0 - x[1]) * (1.0 - x[1]);
}

class NelMeadTest : public ::testing::Test {
protected:
    ErrorCapture capture;
    clsNelMead nm;
};

TEST_F(NelMeadTest, MinimisesProblemsWithKnownMinima)
{
    struct Case {
        const char* name;
        int32_t n;
        std::function<double(const std::vector<double>&)> f;
        std::vector<double> lo, hi;  // starts, 1-based like the parameters
        double boxLo, boxHi;
        std::vector<double> xmin;
        double fmin;
        double xTol;
    };
    const std::vector<Case> cases = {
        // 1 + Rosenbrock keeps the minimum value away from 0, where the relative
        // function test has no meaning.
        {"Rosenbrock from (-1.2, 1)", 2, [](const std::vector<double>& x) { return 1.0 + Rosenbrock(x); },
         {0, -1.2, 1.0}, {0, -1.0, 1.2}, -2.0, 2.0, {0, 1.0, 1.0}, 1.0, 0.01},
        {"shifted bowl", 2,
         [](const std::vector<double>& x) { return 3.0 + (x[1] - 1) * (x[1] - 1) + 4 * (x[2] + 2) * (x[2] + 2); },
         {0, 0.0, 0.0}, {0, 0.5, 0.5}, -5.0, 5.0, {0, 1.0, -2.0}, 3.0, 0.01},
        {"one parameter", 1, [](const std::vector<double>& x) { return 1.0 + std::fabs(x[1] - 0.3); },
         {0, 2.0}, {0, 2.5}, -3.0, 3.0, {0, 0.3}, 1.0, 0.001},
        {"three parameters", 3,
         [](const std::vector<double>& x) {
             return 2.0 + (x[1] - 1) * (x[1] - 1) + (x[2] - 2) * (x[2] - 2) + (x[3] + 1) * (x[3] + 1);
         },
         {0, 0.0, 0.0, 0.0}, {0, 0.5, 0.5, 0.5}, -4.0, 4.0, {0, 1.0, 2.0, -1.0}, 2.0, 0.02},
    };
    for (const auto& c : cases) {
        Objective obj(c.f);
        nm.Create(&obj, c.n);
        for (int32_t j = 1; j <= c.n; ++j) nm.SetParameter(j, c.lo[j], c.hi[j], c.boxLo, c.boxHi);
        nm.Minimise();
        ASSERT_TRUE(nm.MinOK()) << c.name << "\n" << capture.Log();
        std::vector<double> best(c.n + 1, 0.0);
        for (int32_t j = 1; j <= c.n; ++j) {
            best[j] = nm.Parameter(j);
            EXPECT_NEAR(best[j], c.xmin[j], c.xTol) << c.name << " parameter " << j;
        }
        EXPECT_NEAR(nm.MinFuncVal(), c.fmin, 1E-4) << c.name;
        // Parameter(1..n) and MinFuncVal describe one and the same vertex.
        EXPECT_EQ(c.f(best), nm.MinFuncVal()) << c.name;
        EXPECT_EQ(obj.lastVtx, c.n);
        EXPECT_EQ(nm.Evaluations(), static_cast<int32_t>(obj.calls.size())) << c.name;
        EXPECT_GT(nm.IterationsOnConvergence(), 0) << c.name;
        EXPECT_LT(nm.IterationsOnConvergence(), 500) << c.name;
        RecordProperty(std::string(c.name) + " iterations", nm.IterationsOnConvergence());
        std::cout << c.name << ": " << nm.IterationsOnConvergence() << " iterations\n";
    }
    EXPECT_EQ(capture.ShownCount(), 0u);
}

TEST_F(NelMeadTest, RosenbrockIterationCountIsReproducible)
{
    Objective obj([](const std::vector<double>& x) { return 1.0 + Rosenbrock(x); });
    nm.Create(&obj, 2);
    nm.SetParameter(1, -1.2, -1.0, -2.0, 2.0);
    nm.SetParameter(2, 1.0, 1.2, -2.0, 2.0);
    nm.Minimise();
    ASSERT_TRUE(nm.MinOK());
    const int32_t first = nm.IterationsOnConvergence();
    const double value = nm.MinFuncVal();
    // A second run starts again from the stored starts and boxes.
    nm.Minimise();
    EXPECT_EQ(nm.IterationsOnConvergence(), first);
    EXPECT_EQ(nm.MinFuncVal(), value);
    EXPECT_EQ(first, 78);  // pinned: double arithmetic without contraction is deterministic
}

TEST_F(NelMeadTest, FunctionRuleStopsOneTestAfterTheSpreadFirstFallsBelowFtol)
{
    // Equal values at both starts: the spread is 0 at the first test. The points tried
    // afterwards are all worse, so at the second test the spread is large again, and
    // the run stops there all the same. The tie makes vertex 2 (x = 1) the highest, so
    // the reflection goes to -1.
    Objective obj([](const std::vector<double>& x) { return (x[1] == 0.0 || x[1] == 1.0) ? 1.0 : 10.0; });
    nm.Create(&obj, 1);
    nm.setConvergeOn(COFunction);
    nm.SetParameter(1, 0.0, 1.0, -5.0, 5.0);
    nm.Minimise();
    EXPECT_TRUE(nm.MinOK());
    EXPECT_TRUE(nm.MinFTOLOK());
    EXPECT_EQ(nm.StopReason(), NelMeadStop::FunctionConverged);
    EXPECT_EQ(nm.IterationsOnConvergence(), 1);
    EXPECT_EQ(nm.MinFuncVal(), 1.0);
    EXPECT_EQ(nm.Parameter(1), 0.0);
    // start, start, reflection, contraction, shrink of vertex 2
    EXPECT_EQ(obj.First(10), (std::vector<double>{0.0, 1.0, -1.0, 0.5, 0.5}));
    EXPECT_EQ(nm.Evaluations(), 5);
}

TEST_F(NelMeadTest, ParameterRuleCanStopAtTheFirstTest)
{
    Objective obj([](const std::vector<double>& x) { return 5.0 + x[1]; });
    nm.Create(&obj, 2);
    nm.setConvergeOn(COParameter);
    nm.SetParameter(1, 1.0, 1.0, 0.0, 2.0);
    nm.SetParameter(2, 1.0, 1.00001, 0.0, 2.0);
    nm.Minimise();
    EXPECT_TRUE(nm.MinOK());
    EXPECT_TRUE(nm.MinXTOLOK());
    EXPECT_EQ(nm.StopReason(), NelMeadStop::SimplexConverged);
    EXPECT_EQ(nm.IterationsOnConvergence(), 0);
    EXPECT_EQ(nm.Evaluations(), 3);  // the three vertices of the first simplex
    EXPECT_EQ(nm.MinFuncVal(), 6.0);
}

TEST_F(NelMeadTest, ReflectionOutsideTheBoxIsScoredWithoutCallingTheObjective)
{
    // Box [0, 1], minimum at 0.2. The first two reflections (-1, then -0.5) leave the box
    // and are not evaluated; the run contracts. The third reflection (0.5) lies inside the
    // box and must be evaluated again, not scored as out of the box.
    Objective obj([](const std::vector<double>& x) { return 1.0 + (x[1] - 0.2) * (x[1] - 0.2); });
    nm.Create(&obj, 1);
    nm.SetParameter(1, 0.0, 1.0, 0.0, 1.0);
    nm.Minimise();
    EXPECT_EQ(obj.First(6), (std::vector<double>{0.0, 1.0, 0.5, 0.25, 0.5, 0.125}));
    for (const auto& c : obj.calls) EXPECT_GE(c[0], 0.0);
    EXPECT_EQ(nm.Evaluations(), static_cast<int32_t>(obj.calls.size()));
    EXPECT_TRUE(nm.MinOK());
    EXPECT_NEAR(nm.Parameter(1), 0.2, 0.001);
}

TEST_F(NelMeadTest, IterationCapEndsTheRunUnconverged)
{
    // An unknown rule never stops: the run takes exactly the cap's steps.
    Objective obj([](const std::vector<double>& x) { return 1.0 + x[1] * x[1]; });
    nm.Create(&obj, 1);
    nm.setConvergeOn(static_cast<ConvergeType>(7));
    nm.SetParameter(1, 0.5, 1.0, -2.0, 2.0);
    nm.Minimise();
    EXPECT_FALSE(nm.MinOK());
    EXPECT_EQ(nm.StopReason(), NelMeadStop::IterationCap);
    EXPECT_EQ(nm.IterationsOnConvergence(), 500);
    EXPECT_EQ(nm.MinFuncVal(), 1.79E+308);
    EXPECT_NE(capture.Log().find("Maximum Iterations Exceeded"), std::string::npos);
    EXPECT_NE(capture.Log().find("2984"), std::string::npos);
    EXPECT_EQ(capture.ShownCount(), 0u);

    // A cap set after Create holds; one set before Create is replaced by 500.
    nm.setAmoebaIts(3);
    nm.Minimise();
    EXPECT_EQ(nm.IterationsOnConvergence(), 3);
    nm.setAmoebaIts(-1);  // takes no step rather than never ending
    nm.Minimise();
    EXPECT_EQ(nm.StopReason(), NelMeadStop::IterationCap);
    EXPECT_EQ(nm.IterationsOnConvergence(), 0);
    nm.Create(&obj, 1);
    EXPECT_EQ(nm.AmoebaIts(), 500);
    EXPECT_EQ(nm.ConvergeOn(), static_cast<ConvergeType>(7));  // Create keeps the rule
}

TEST_F(NelMeadTest, ToleranceSetAfterCreateHolds)
{
    auto run = [&](bool loose) {
        Objective obj([](const std::vector<double>& x) { return 2.0 + (x[1] - 1) * (x[1] - 1); });
        nm.Create(&obj, 1);
        if (loose) nm.setXTOL(0.1f);
        nm.SetParameter(1, 0.0, 0.5, -3.0, 3.0);
        nm.Minimise();
        return nm.IterationsOnConvergence();
    };
    nm.setXTOL(0.1f);  // before Create: replaced
    const int32_t tight = run(false);
    const int32_t loose = run(true);
    EXPECT_LT(loose, tight);
}

TEST_F(NelMeadTest, SetParameterOutOfBoundsIsShownOnceLoggedAndChangesNothing)
{
    Objective obj([](const std::vector<double>& x) { return 1.0 + (x[1] - 1) * (x[1] - 1); });
    nm.Create(&obj, 1);
    nm.SetParameter(1, 0.0, 0.5, -3.0, 3.0);
    nm.Minimise();
    const double before = nm.Parameter(1);

    nm.SetParameter(0, 9.0, 9.5, 8.0, 10.0);
    nm.SetParameter(2, 9.0, 9.5, 8.0, 10.0);
    ASSERT_EQ(capture.ShownCount(), 2u);  // once per bad call
    EXPECT_TRUE(capture.ShownContains(0, "Parameter out of Bounds"));
    EXPECT_EQ(capture.Forms().messages[0].buttons, 48);
    EXPECT_EQ(ErrorCapture::Squash(capture.Forms().messages[0].title), "clsNelMead");
    EXPECT_NE(capture.Log().find("2982"), std::string::npos);

    nm.Minimise();
    EXPECT_TRUE(nm.MinOK());
    EXPECT_EQ(nm.Parameter(1), before);
}

TEST_F(NelMeadTest, FailedRunsAreLoggedWithTheirReasonNotShown)
{
    const auto plain = [](const std::vector<double>& x) { return 1.0 + x[1]; };
    const auto keep = [](clsNelMead&) {};
    const double nan = std::nan("");
    struct Case {
        const char* name;
        std::function<double(const std::vector<double>&)> f;
        double lo, hi, boxLo, boxHi;
        std::function<void(clsNelMead&)> set;
        NelMeadStop reason;
        const char* logged;
        int32_t evaluations;
    };
    const std::vector<Case> cases = {
        {"start outside the box", plain, 0.0, 5.0, -1.0, 2.0, keep, NelMeadStop::BadStart,
         "Parameter has gone out of Range", 1},  // vertex 1 lies in the box, vertex 2 not
        {"box low above high", plain, 0.0, 0.5, 2.0, -1.0, keep, NelMeadStop::BadStart,
         "Parameter range is empty", 0},
        {"box bound not a number", plain, 0.0, 0.5, -1.0, nan, keep, NelMeadStop::BadStart,
         "Parameter range is empty", 0},
        {"FTOL 0", plain, 0.0, 0.5, -1.0, 2.0, [](clsNelMead& m) { m.setFTOL(0.0f); },
         NelMeadStop::BadStart, "Tolerances must be greater than 0", 0},
        {"XTOL negative", plain, 0.0, 0.5, -1.0, 2.0, [](clsNelMead& m) { m.setXTOL(-1E-4f); },
         NelMeadStop::BadStart, "Tolerances must be greater than 0", 0},
        {"XTOL not a number", plain, 0.0, 0.5, -1.0, 2.0, [](clsNelMead& m) { m.setXTOL(std::nanf("")); },
         NelMeadStop::BadStart, "Tolerances must be greater than 0", 0},
        // Highest and lowest values both 0: the relative spread is 0/0.
        {"all values 0", [](const std::vector<double>&) { return 0.0; }, 0.0, 1.0, -1.0, 2.0, keep,
         NelMeadStop::FunctionError, "Overflow", 2},
        {"objective fails",
         [](const std::vector<double>& x) -> double {
             if (x[1] > 0.5) throw VbError(kBase + 1, "score", "objective failed");
             return 1.0;
         },
         0.0, 1.0, -1.0, 2.0, keep, NelMeadStop::FunctionError, "objective failed", 2},
        {"objective not finite", [nan](const std::vector<double>&) { return nan; }, 0.0, 1.0, -1.0, 2.0,
         keep, NelMeadStop::FunctionError, "Overflow", 1},
    };
    for (const auto& c : cases) {
        Objective obj(c.f);
        nm.Create(&obj, 1);
        nm.SetParameter(1, c.lo, c.hi, c.boxLo, c.boxHi);
        c.set(nm);
        const std::size_t logged = capture.Log().size();
        nm.Minimise();
        EXPECT_FALSE(nm.MinOK()) << c.name;
        EXPECT_EQ(nm.StopReason(), c.reason) << c.name;
        EXPECT_EQ(nm.MinFuncVal(), 1.79E+308) << c.name;
        EXPECT_EQ(nm.Evaluations(), c.evaluations) << c.name;
        EXPECT_EQ(obj.calls.size(), static_cast<std::size_t>(c.evaluations)) << c.name;
        EXPECT_NE(capture.Log().substr(logged).find(c.logged), std::string::npos) << c.name;
    }
    EXPECT_EQ(capture.ShownCount(), 0u);

    clsNelMead unbound;  // Create without an objective
    unbound.Create(nullptr, 1);
    unbound.SetParameter(1, 0.0, 0.5, -1.0, 2.0);
    unbound.Minimise();
    EXPECT_EQ(unbound.StopReason(), NelMeadStop::BadStart);
    EXPECT_NE(capture.Log().find("Object variable or With block variable not set"), std::string::npos);
}

TEST_F(NelMeadTest, ParameterOutsideOneToNRaisesSubscriptError)
{
    Objective obj([](const std::vector<double>& x) { return 1.0; });
    for (int32_t j : {0, 1}) {
        try {
            (void)nm.Parameter(j);  // before Create
            ADD_FAILURE() << j;
        } catch (const VbError& e) {
            EXPECT_EQ(e.Number, 9);
        }
    }
    nm.Create(&obj, 2);
    EXPECT_THROW((void)nm.Parameter(3), VbError);
}

TEST(NelMeadMathsTest, RelDiffAndMax)
{
    struct Case {
        double a, b, rel;
    };
    for (const Case c : {Case{2.0, 1.0, 0.5}, Case{-4.0, 2.0, 1.5}, Case{0.0, 0.0, 0.0},
                         Case{1.79E+308, 1.0, 1.79E+308}, Case{3.0, 3.0, 0.0}}) {
        EXPECT_EQ(modNelMeadMaths::RelDiff(c.a, c.b), c.rel) << c.a << " " << c.b;
    }
    EXPECT_EQ(modNelMeadMaths::Max(-1.0, -2.0), -1.0);
}

}  // namespace
