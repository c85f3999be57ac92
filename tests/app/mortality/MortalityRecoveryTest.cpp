// Known truth: data sets simulated with known K, Linf and Z = M + F, and a selectivity
// (50% at 10) far below the lengths used, give back Z. The mean-length estimator with Lc
// above full selection should land within about 10% of Z; the simulation's sampling noise
// and its yearly recruitment pulses are what is left. Sliced into ages with the true
// curve, fish of one growth fall off by exp(-Z) a year. The figures are printed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "HeadlessProgressView.h"
#include "SimulateData.h"
#include "clsAgeSlice.h"
#include "clsBevHoltZ.h"
#include "clsSimData.h"
#include "clsVorn.h"
#include "forms/HeadlessForms.h"

namespace {

struct Truth {
    float K, Linf, M, F;
};

float Median(std::vector<float> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Mean Z over the samples of simulated data sets, one per seed.
std::vector<float> BevHoltZ(const Truth& t, float Lc, const std::vector<uint32_t>& seeds) {
    std::vector<float> out;
    for (uint32_t seed : seeds) {
        simulation::SetSeed(seed);
        clsVorn ds;
        clsSimData& sim = ds.SimData();
        sim.setMeanK(t.K);
        sim.setLinf(t.Linf);
        sim.setMVal(t.M);
        sim.setFVal(t.F);
        sim.setNPopSamps(5000);
        EXPECT_TRUE(ds.SimulateData());
        clsBevHoltZ bh;
        bh.InitialiseMe(ds);
        float lc = Lc;
        EXPECT_TRUE(bh.CalculateMortality(t.K, t.Linf, lc)) << bh.FailReason();
        std::printf("  seed %u: Lc %.1f mean Z %.4f (se %.4f)\n", seed, lc, bh.meanZ(), bh.StdErrZ());
        out.push_back(bh.meanZ());
    }
    simulation::SetSeed(std::nullopt);
    return out;
}

TEST(MortalityRecovery, BevertonHoltGivesBackZ) {
    forms::ScopedHeadlessForms ui;
    ScopedHeadlessProgress progress;
    const std::vector<uint32_t> seeds = {11, 12, 13, 14, 15};
    const Truth cases[] = {
        {0.4f, 100, 0.2f, 0.2f},
        {0.4f, 100, 0.3f, 0.5f},
        {0.8f, 60, 0.4f, 0.8f},
    };
    for (const Truth& t : cases) {
        const float z = t.M + t.F;
        for (float lc : {0.3f * t.Linf, 0.5f * t.Linf}) {
            std::printf("K %.2f Linf %.0f Z %.2f Lc %.0f\n", t.K, t.Linf, z, lc);
            const std::vector<float> zs = BevHoltZ(t, lc, seeds);
            const float m = Median(zs);
            std::printf("  median %.4f (%+.1f%%)\n", m, 100 * (m - z) / z);
            EXPECT_NEAR(m, z, 0.1f * z);
        }
    }
}

TEST(MortalityRecovery, AgeSlicesOfOneGrowthFallByZAYear) {
    forms::ScopedHeadlessForms ui;
    ScopedHeadlessProgress progress;
    // Every fish grows alike and every year brings as many recruits, so the sample at 0.5
    // holds one cohort per age k + 0.5, each in a class of its own, in numbers falling by
    // exp(-Z) a year.
    const float K = 0.4f, Linf = 100, t0 = -0.1f, z = 0.6f;
    simulation::SetSeed(21);
    clsVorn ds;
    clsSimData& sim = ds.SimData();
    sim.setNSamples(2);
    sim.setSampSpace(0.5f);
    sim.setMeanK(K), sim.setCVK(0);
    sim.setLinf(Linf), sim.setCVLinf(0);
    sim.setT0V(t0), sim.setCVT01(0), sim.setCVT02(0);
    sim.setCVRect(0);
    sim.setMVal(0.2f), sim.setFVal(z - 0.2f);
    sim.setNPopSamps(20000);
    ASSERT_TRUE(ds.SimulateData());
    simulation::SetSeed(std::nullopt);

    clsAgeSlice slices;
    slices.Create(ds, 0, K, Linf, t0, 0, 0);
    // ln(count) against age over ages 0..5: the slope is -Z.
    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    int n = 0;
    for (int16_t r = 1; r <= slices.NumAges(); ++r) {
        const int32_t age = slices.RowAge(r);
        if (age < 0 || age > 5) continue;
        const double y = std::log(slices.Slice(r, 2));
        std::printf("  age %d: %.1f fish\n", age, slices.Slice(r, 2));
        sx += age, sy += y, sxx += age * age, sxy += age * y, ++n;
    }
    ASSERT_EQ(n, 6);
    const double slope = (n * sxy - sx * sy) / (n * sxx - sx * sx);
    std::printf("Age slices: Z %.2f, from the slices %.4f (%+.1f%%)\n", z, -slope, 100 * (-slope - z) / z);
    EXPECT_NEAR(-slope, z, 0.1 * z);
}

}  // namespace
