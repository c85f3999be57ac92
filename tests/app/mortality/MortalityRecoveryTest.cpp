// Known truth: data sets simulated with known K, Linf and Z = M + F, and a selectivity
// (50% at 10) far below the lengths used, give back Z. The mean-length estimator with Lc
// above full selection should land within about 10% of Z; the simulation's sampling noise
// and its yearly recruitment pulses are what is left. The figures are printed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "HeadlessProgressView.h"
#include "SimulateData.h"
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

}  // namespace
