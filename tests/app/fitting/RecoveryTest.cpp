// Recovery of known growth: on data made from a known non-seasonal curve, each method
// scores the true K and Linf above points 20% off in either, its K x Linf grid search finds
// its best node near the truth, and the simplex search over the grid cells around that
// node does no worse. The figures are printed.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>

#include "MVornGlobs.h"
#include "SyntheticData.h"
#include "clsELEFAN.h"
#include "clsLFDSearch.h"
#include "clsPROJMAT.h"
#include "clsSLCA.h"
#include "clsVorn.h"
#include "forms/HeadlessForms.h"

namespace {

std::unique_ptr<IMeth> makeMethod(int32_t type) {
    switch (type) {
    case 0: return std::make_unique<clsSLCA>();
    case 1: return std::make_unique<clsPROJMAT>();
    default: return std::make_unique<clsELEFAN>();
    }
}

const char* methodName(int32_t type) { return type == 0 ? "SLCA" : type == 1 ? "PROJMAT" : "ELEFAN"; }

struct Truth {
    const char* name;
    float K, Linf, t0, classSize;
    int16_t numClasses;
    int samples;
};

// Three curves, each sampled evenly through one year.
const Truth kTruths[] = {
    {"K05_Linf80", 0.5f, 80.0f, -0.2f, 2.0f, 50, 8},
    {"K08_Linf60", 0.8f, 60.0f, -0.4f, 1.5f, 55, 6},
    {"K03_Linf95", 0.3f, 95.0f, -0.7f, 2.0f, 50, 12},
};

// ELEFAN's ridge of nearly constant K x Linf makes a few percent off normal.
constexpr float kTolerance = 0.12f;

float relErr(float got, float truth) { return std::fabs(got - truth) / truth; }

}  // namespace

class RecoveryTest : public ::testing::TestWithParam<std::tuple<int32_t, int>> {
protected:
    void SetUp() override {
        MVornGlobs::CancelRequested = false;
        const Truth& truth = kTruths[std::get<1>(GetParam())];
        g.K = truth.K;
        g.Linf = truth.Linf;
        g.t0 = truth.t0;
        g.ClassSize = truth.classSize;
        g.NumClasses = truth.numClasses;
        g.sampleTimes = synthetic::EvenTimes(truth.samples);
        synthetic::Build(ds, g);
        meth = makeMethod(type());
        meth->Create(ds);
    }
    int32_t type() const { return std::get<0>(GetParam()); }
    const Truth& truth() const { return kTruths[std::get<1>(GetParam())]; }

    forms::ScopedHeadlessForms forms;
    synthetic::Growth g;
    clsVorn ds;
    std::unique_ptr<IMeth> meth;
};

TEST_P(RecoveryTest, TrueGrowthScoresAboveTwentyPercentOff) {
    auto score = [&](float K, float Linf) {
        float s = 0, t0 = 0;
        meth->CalcScoreT0(K, Linf, s, t0);
        return s;
    };
    const float best = score(g.K, g.Linf);
    for (float f : {0.8f, 1.2f}) {
        EXPECT_GT(best, score(g.K * f, g.Linf)) << "K x " << f;
        EXPECT_GT(best, score(g.K, g.Linf * f)) << "Linf x " << f;
    }
}

TEST_P(RecoveryTest, GridAndSimplexFindTheTrueGrowth) {
    // K 0.1..1.5 by 0.02; Linf from 0.6 to 1.4 times the truth in 80 steps.
    const float kLo = 0.1f, kHi = 1.5f, lLo = 0.6f * g.Linf, lHi = 1.4f * g.Linf;
    const int16_t kN = 71, lN = 81;
    clsLFDSearch grid;
    ASSERT_TRUE(grid.GridSearch(*meth, 0, kLo, kHi, kN, lLo, lHi, lN));

    const float dk = (kHi - kLo) / (kN - 1), dl = (lHi - lLo) / (lN - 1);
    clsLFDSearch simplex;
    ASSERT_TRUE(simplex.AmoebaSearch(*meth, 0, grid.P1() - 2 * dk, grid.P1() + 2 * dk,
                                     grid.P2() - 2 * dl, grid.P2() + 2 * dl));

    std::printf("%-7s %-12s grid K %.3f Linf %6.2f score %10.5f t0 %6.3f | simplex K %.4f Linf %6.2f "
                "score %10.5f t0 %6.3f\n",
                methodName(type()), truth().name, grid.P1(), grid.P2(), grid.MaxScore(), grid.TZero(),
                simplex.P1(), simplex.P2(), simplex.MaxScore(), simplex.TZero());

    EXPECT_LT(relErr(grid.P1(), g.K), kTolerance);
    EXPECT_LT(relErr(grid.P2(), g.Linf), kTolerance);
    EXPECT_GE(simplex.MaxScore(), grid.MaxScore());
    EXPECT_LT(relErr(simplex.P1(), g.K), kTolerance);
    EXPECT_LT(relErr(simplex.P2(), g.Linf), kTolerance);
    EXPECT_NEAR(grid.TZero(), g.t0, 0.1f);
}

INSTANTIATE_TEST_SUITE_P(Methods, RecoveryTest,
                         ::testing::Combine(::testing::Values(2, 0, 1), ::testing::Values(0, 1, 2)),
                         [](const auto& info) {
                             return std::string(methodName(std::get<0>(info.param))) + "_" +
                                    kTruths[std::get<1>(info.param)].name;
                         });
