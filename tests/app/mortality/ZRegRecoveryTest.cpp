// Known truth: data sets simulated with known growth (K, Linf), total mortality Z = M + F
// and a selectivity well below the classes used. The catch curve over the fully selected
// classes below Linf must give back Z, the Powell-Wetherall plot Linf and Z/K, each within
// about 10% (simulation noise). The figures are printed.
//
// Both methods assume a population in a steady state with smooth length distributions,
// so the simulation recruits the same number every year (no recruitment CV) and spreads
// the births of a cohort over the year (a t0 per fish), and keeps the individual spread
// of K and Linf small (a spread of Linf lifts the Powell-Wetherall Linf). Classes are 5
// wide because a measured sample is drawn in steps of 0.005 of cumulative probability.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "ErrorCapture.h"
#include "HeadlessProgressView.h"
#include "SimulateData.h"
#include "clsLCCurve.h"
#include "clsPowWeath.h"
#include "clsSimData.h"
#include "clsVorn.h"

namespace {

namespace fs = std::filesystem;

constexpr float kK = 0.4f, kLinf = 100.0f, kM = 0.2f, kF = 0.3f, kZ = kM + kF;
// Classes used: lower bounds from 25 (selectivity at L50 10 with slope 1 is above 0.9999
// there) to 75 (well below Linf, where fish of different Linf pile up).
constexpr float kFrom = 25.0f, kTo = 75.0f;

class Recovery : public ::testing::Test {
protected:
    void SetUp() override {
        old_ = fs::current_path();
        dir_ = fs::temp_directory_path() / ("zreg_recovery_" + std::to_string(std::random_device{}()));
        fs::create_directories(dir_);
        fs::current_path(dir_);
    }
    void TearDown() override {
        simulation::SetSeed(std::nullopt);
        fs::current_path(old_);
        fs::remove_all(dir_);
    }

    void Simulate(clsVorn& ds, uint32_t seed) {
        simulation::SetSeed(seed);
        clsSimData& sim = ds.SimData();
        sim.setMinLen(0.0f);
        sim.setLCWidth(5.0f);
        sim.setMeanK(kK);
        sim.setCVK(0.05f);
        sim.setLinf(kLinf);
        sim.setCVLinf(0.02f);
        sim.setCVT02(3.0f);  // t0 of a fish: -0.1 with a spread of 0.3 years
        sim.setCVRect(0.0f);
        sim.setMVal(kM);
        sim.setFVal(kF);
        sim.setSell50(10.0f);
        sim.setSELK(1.0f);
        sim.setNPopSamps(5000);
        ASSERT_TRUE(ds.SimulateData());
    }

    // Takes in exactly the classes from kFrom to kTo (those without a value stay out).
    static void UseClasses(IZReg& reg, const clsVorn& ds) {
        for (int32_t d = 1; d <= reg.NumDists(); ++d)
            for (int16_t j = 1; j <= reg.NumPoints(); ++j)
                reg.setToggledIn(d, j, ds.LBounds(j) >= kFrom && ds.LBounds(j) <= kTo);
    }

    ErrorCapture errors;
    ScopedHeadlessProgress progress;
    fs::path old_, dir_;
};

TEST_F(Recovery, CatchCurveAndPowellWetherallGiveBackTheSimulatedValues) {
    for (uint32_t seed : {1u, 2u, 3u, 4u, 5u}) {
        SCOPED_TRACE(seed);
        clsVorn ds;
        Simulate(ds, seed);

        clsLCCurve cc;
        cc.Create(ds, kK, kLinf);
        UseClasses(cc, ds);
        std::string zs;
        for (int32_t d = 1; d <= cc.NumDists(); ++d) {
            const auto z = cc.DistResults(d);
            ASSERT_TRUE(z);
            zs += " " + std::to_string((*z)(1));
        }
        const auto z = cc.MeanAndSE();

        clsPowWeath pw;
        pw.Create(ds);
        UseClasses(pw, ds);
        for (int32_t d = 1; d <= pw.NumDists(); ++d) ASSERT_TRUE(pw.DistResults(d));
        const auto p = pw.MeanAndSE();

        std::printf("seed %u: catch curve Z %.4f (se %.4f; true %.2f) per sample%s\n", seed, (*z)(1), (*z)(2), kZ,
                    zs.c_str());
        std::printf("seed %u: Powell-Wetherall Linf %.2f (se %.2f; true %.0f), Z/K %.4f (se %.4f; true %.3f)\n",
                    seed, (*p)(1), (*p)(2), kLinf, (*p)(3), (*p)(4), kZ / kK);
        EXPECT_NEAR((*z)(1), kZ, 0.1f * kZ);
        EXPECT_NEAR((*p)(1), kLinf, 0.1f * kLinf);
        EXPECT_NEAR((*p)(3), kZ / kK, 0.1f * kZ / kK);
    }
}

}  // namespace
