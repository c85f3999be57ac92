#include "clsRegression.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "../Vorn5_Solver/ErrorCapture.h"

namespace {

// Arrays are read at 1..n; element 0 is a filler.
std::vector<double> V(std::initializer_list<double> values)
{
    std::vector<double> v{0.0};
    v.insert(v.end(), values);
    return v;
}

class RegressionTest : public ::testing::Test {
protected:
    void Load(const std::vector<double>& x, const std::vector<double>& y)
    {
        reg.Create(static_cast<int32_t>(x.size() - 1));
        reg.setX(x);
        reg.setY(y);
    }
    ErrorCapture capture;
    clsRegression reg;
};

TEST_F(RegressionTest, ExactLine)
{
    Load(V({1, 2, 3}), V({3, 5, 7}));
    ASSERT_TRUE(reg.Fit());
    EXPECT_EQ(reg.A(), 1.0);
    EXPECT_EQ(reg.B(), 2.0);
    EXPECT_EQ(reg.Chi2(), 0.0);
    EXPECT_EQ(reg.SigA(), 0.0);
    EXPECT_EQ(reg.SigB(), 0.0);
    EXPECT_EQ(reg.VarY(), 0.0);
    EXPECT_EQ(reg.NoConstantB(), 34.0 / 14.0);
    // Syy - Sxy^2/Sxx over S: (83 - 34^2/14)/3
    EXPECT_DOUBLE_EQ(reg.NoConstantVarY(), (83.0 - 34.0 * 34.0 / 14.0) / 3.0);
    EXPECT_DOUBLE_EQ(reg.NoConstantSEb(), std::sqrt(reg.NoConstantVarY() / 14.0));
    EXPECT_EQ(capture.Log(), "");
}

TEST_F(RegressionTest, ScatteredPointsUnweighted)
{
    // x 1..5, y 2, 4, 5, 4, 5: textbook values a = 2.2, b = 0.6, residual SS 2.4.
    Load(V({1, 2, 3, 4, 5}), V({2, 4, 5, 4, 5}));
    ASSERT_TRUE(reg.Fit());
    EXPECT_NEAR(reg.A(), 2.2, 1E-12);
    EXPECT_NEAR(reg.B(), 0.6, 1E-12);
    EXPECT_NEAR(reg.Chi2(), 2.4, 1E-12);
    EXPECT_NEAR(reg.VarY(), 2.4 / 5, 1E-12);
    // Scaled by sqrt(chi2/(n - 2)): SigB = sqrt(1/10) * sqrt(0.8), SigA = sqrt((1 + 225/50)/5) * sqrt(0.8)
    EXPECT_NEAR(reg.SigB(), std::sqrt(0.1 * 0.8), 1E-12);
    EXPECT_NEAR(reg.SigA(), std::sqrt(1.1 * 0.8), 1E-12);
}

TEST_F(RegressionTest, WeightsOfOneKeepTheLineButNotTheScaling)
{
    Load(V({1, 2, 3, 4, 5}), V({2, 4, 5, 4, 5}));
    reg.setWeights(V({1, 1, 1, 1, 1}));
    ASSERT_TRUE(reg.Fit());
    EXPECT_NEAR(reg.A(), 2.2, 1E-12);
    EXPECT_NEAR(reg.B(), 0.6, 1E-12);
    EXPECT_NEAR(reg.SigB(), std::sqrt(0.1), 1E-12);
    EXPECT_NEAR(reg.SigA(), std::sqrt(1.1), 1E-12);
}

TEST_F(RegressionTest, PointOfWeightZeroCountsNowhere)
{
    Load(V({1, 2, 3, 100}), V({3, 5, 7, -50}));
    reg.setWeights(V({1, 1, 1, 0}));
    ASSERT_TRUE(reg.Fit());
    EXPECT_DOUBLE_EQ(reg.A(), 1.0);
    EXPECT_DOUBLE_EQ(reg.B(), 2.0);
    EXPECT_NEAR(reg.Chi2(), 0.0, 1E-20);
    EXPECT_EQ(reg.NoConstantB(), 34.0 / 14.0);

    // The object stays weighted after Create: all weights are then 0, so the sums vanish
    // and the fit fails (logged) instead of fitting unweighted.
    Load(V({1, 2, 3}), V({3, 5, 7}));
    EXPECT_FALSE(reg.Fit());
}

TEST_F(RegressionTest, FailuresReturnFalseAndAreLoggedNotShown)
{
    struct Case {
        const char* name;
        std::vector<double> x, y;
    };
    const std::vector<Case> cases = {
        {"two points unweighted", V({1, 2}), V({3, 5})},
        {"all x equal", V({2, 2, 2}), V({1, 2, 3})},
    };
    for (const auto& c : cases) {
        clsRegression r;
        r.Create(static_cast<int32_t>(c.x.size() - 1));
        r.setX(c.x);
        r.setY(c.y);
        const std::string before = capture.Log();
        EXPECT_FALSE(r.Fit()) << c.name;
        EXPECT_GT(capture.Log().size(), before.size()) << c.name;
    }
    // Two points: the slope is found before the scaling divides by n - 2 = 0.
    EXPECT_NE(capture.Log().find("clsRegression"), std::string::npos);
    EXPECT_EQ(capture.ShownCount(), 0u);

    clsRegression never;
    EXPECT_FALSE(never.Fit());
    EXPECT_NE(capture.Log().find("Cannot Regress with Zero Points."), std::string::npos);
    EXPECT_NE(capture.Log().find("2281"), std::string::npos);
}

TEST_F(RegressionTest, TwoPointsKeepTheSlopeFoundBeforeTheFailure)
{
    Load(V({1, 2}), V({3, 5}));
    EXPECT_FALSE(reg.Fit());
    EXPECT_EQ(reg.B(), 2.0);
    EXPECT_EQ(reg.A(), 1.0);
}

TEST_F(RegressionTest, CreateAndSettersRaiseToTheCaller)
{
    EXPECT_THROW(reg.Create(0), VbError);
    reg.Create(3);
    EXPECT_THROW(reg.setX(V({1, 2})), VbError);  // fewer than n elements
    EXPECT_NO_THROW(reg.setY(std::vector<float>{0.0f, 1.5f, 2.5f, 3.5f}));
}

}  // namespace
