// Data sets simulated with the default parameters (non-seasonal, K 0.4, Linf 100, six
// samples over one year) are fitted by an ELEFAN grid search over K x Linf and a simplex
// search around the best node. Six samples in one year show the growth of the young fish
// clearly but leave K and Linf free to trade against each other along a ridge, so a single
// data set can land some way along it; what must hold is that every fitted curve follows
// the true one over the sampled ages, and that over several data sets the fits centre on
// the true K and Linf. The figures are printed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "HeadlessProgressView.h"
#include "MVornGlobs.h"
#include "SimulateData.h"
#include "clsELEFAN.h"
#include "clsLFDSearch.h"
#include "clsSimData.h"
#include "clsVorn.h"
#include "forms/HeadlessForms.h"
#include "ScratchPath.h"

namespace {

namespace fs = std::filesystem;

float Length(float K, float Linf, float t0, float age) { return Linf * (1.0f - std::exp(-K * (age - t0))); }

float Median(std::vector<float> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

TEST(SimulatedFit, ElefanFollowsTheSimulatedGrowth) {
    forms::ScopedHeadlessForms ui;
    ScopedHeadlessProgress progress;
    MVornGlobs::CancelRequested = false;
    const auto old = fs::current_path();
    const fs::path dir = testsupport::ScratchPath("simulated_fit");
    fs::create_directories(dir);
    fs::current_path(dir);

    const clsSimData defaults;
    const float K = defaults.MeanK(), Linf = defaults.Linf(), t0 = defaults.T0V();
    const float kLo = 0.1f, kHi = 1.0f, lLo = 60.0f, lHi = 140.0f;
    const int16_t kN = 46, lN = 41;
    const float dk = (kHi - kLo) / (kN - 1), dl = (lHi - lLo) / (lN - 1);

    std::vector<float> gridK, gridLinf, simplexK, simplexLinf;
    for (uint32_t seed : {20240607u, 2u, 3u, 4u, 5u, 6u, 7u}) {
        SCOPED_TRACE(seed);
        simulation::SetSeed(seed);
        clsVorn ds;
        ASSERT_TRUE(ds.SimulateData());
        clsELEFAN meth;
        meth.Create(ds);
        clsLFDSearch grid;
        ASSERT_TRUE(grid.GridSearch(meth, 0, kLo, kHi, kN, lLo, lHi, lN));
        clsLFDSearch simplex;
        ASSERT_TRUE(simplex.AmoebaSearch(meth, 0, grid.P1() - 2 * dk, grid.P1() + 2 * dk, grid.P2() - 2 * dl,
                                         grid.P2() + 2 * dl));
        std::printf("seed %8u: grid K %.3f Linf %6.2f t0 %6.3f score %.5f | simplex K %.4f Linf %6.2f t0 %6.3f "
                    "score %.5f\n",
                    seed, grid.P1(), grid.P2(), grid.TZero(), grid.MaxScore(), simplex.P1(), simplex.P2(),
                    simplex.TZero(), simplex.MaxScore());
        EXPECT_GE(simplex.MaxScore(), grid.MaxScore());
        // Over the ages the samples cover the fitted curves stay within 6 length units
        // (three classes) of the true curve.
        for (float age = 0.2f; age <= 1.01f; age += 0.2f) {
            EXPECT_NEAR(Length(grid.P1(), grid.P2(), grid.TZero(), age), Length(K, Linf, t0, age), 6.0f) << age;
            EXPECT_NEAR(Length(simplex.P1(), simplex.P2(), simplex.TZero(), age), Length(K, Linf, t0, age), 6.0f)
                << age;
        }
        gridK.push_back(grid.P1());
        gridLinf.push_back(grid.P2());
        simplexK.push_back(simplex.P1());
        simplexLinf.push_back(simplex.P2());
    }
    simulation::SetSeed(std::nullopt);
    fs::current_path(old);
    fs::remove_all(dir);

    EXPECT_NEAR(Median(gridK), K, 0.15f * K);
    EXPECT_NEAR(Median(gridLinf), Linf, 0.15f * Linf);
    EXPECT_NEAR(Median(simplexK), K, 0.15f * K);
    EXPECT_NEAR(Median(simplexLinf), Linf, 0.15f * Linf);
}

}  // namespace
