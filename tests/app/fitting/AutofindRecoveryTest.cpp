// Recovery of known seasonal growth by the automatic fit. Data sets are simulated with
// Hoenig seasonal growth (little variation between fish, thirteen monthly samples over a
// year) and fitted with each method: C and Ts come out near the truth (Ts as a phase),
// K and Linf no worse than a non-seasonal K x Linf grid of the same method on the same
// data. On non-seasonal data the fit finds almost no seasonality. The figures are printed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "HeadlessProgressUnknownView.h"
#include "HeadlessProgressView.h"
#include "ILogView.h"
#include "MVornGlobs.h"
#include "SimulateData.h"
#include "clsAutofind.h"
#include "clsELEFAN.h"
#include "clsGrowthParams.h"
#include "clsLFDSearch.h"
#include "clsLog.h"
#include "clsPROJMAT.h"
#include "clsSimData.h"
#include "clsVorn.h"
#include "forms/HeadlessForms.h"

namespace fs = std::filesystem;

namespace {

struct Truth {
    const char* name;
    float C, Ts;   // C 0: non-seasonal
    uint32_t seed;
};

const Truth kTruths[] = {
    {"C05_Ts02", 0.5f, 0.2f, 11u},
    {"C08_Ts02", 0.8f, 0.2f, 12u},
    {"C05_Ts06", 0.5f, 0.6f, 13u},
    {"C08_Ts06", 0.8f, 0.6f, 14u},
    {"NonSeasonal", 0.0f, 0.0f, 15u},
};

constexpr float kK = 0.5f, kLinf = 80.0f;

// Distance between two phases of a year.
float PhaseGap(float a, float b) { return std::fabs(std::remainder(a - b, 1.0f)); }

const char* MethodName(int32_t m) { return m == 1 ? "PROJMAT" : "ELEFAN"; }

}  // namespace

class AutofindRecoveryTest : public ::testing::TestWithParam<std::tuple<int32_t, int>> {
protected:
    void SetUp() override {
        MVornGlobs::InitGlobals();
        MVornGlobs::CancelRequested = false;
        std::random_device rd;
        folder = fs::temp_directory_path() / ("vorn-autofind-recovery-" + std::to_string(rd()));
        fs::create_directories(folder);
        old = fs::current_path();
        fs::current_path(folder);
    }
    void TearDown() override {
        simulation::SetSeed(std::nullopt);
        fs::current_path(old);
        fs::remove_all(folder);
    }

    forms::ScopedHeadlessForms ui;
    ScopedHeadlessProgress progress;
    ScopedHeadlessProgressUnknown waits;
    ScopedHeadlessLogViews logViews;
    fs::path folder, old;
};

TEST_P(AutofindRecoveryTest, FindsTheSimulatedSeasonalGrowth) {
    const int32_t method = std::get<0>(GetParam());
    const Truth& truth = kTruths[std::get<1>(GetParam())];

    simulation::SetSeed(truth.seed);
    clsVorn data;
    clsSimData& sim = data.SimData();
    sim.setGC(truth.C > 0 ? 1 : 0);
    sim.setMeanK(kK);
    sim.setCVK(0.05f);
    sim.setLinf(kLinf);
    sim.setCVLinf(0.03f);
    sim.setT0V(-0.1f);
    sim.setCVT01(0.05f);
    sim.setMeanC(truth.C > 0 ? truth.C : 0.5f);
    sim.setCVC(0.05f);
    sim.setMeanTS(truth.C > 0 ? truth.Ts : 0.5f);
    sim.setCVTS(0.02f);
    sim.setNSamples(13);
    sim.setSampSpace(1.0f / 12.0f);
    sim.setNPopSamps(2000);
    ASSERT_TRUE(data.SimulateData());

    clsGrowthParams params;
    params.setLinf(data.maxlength());
    clsLog log(folder.string());
    clsAutofind fit;
    fit.Create(data, params, log);
    clsAutofind::SetInputDialog([method](clsGrowthParams&, clsAutofind::Choice& c) {
        c.Method = method;
        return true;
    });
    fit.setVerbose(true);
    fit.AutoFind();
    clsAutofind::SetInputDialog({});
    ASSERT_TRUE(fit.Success()) << (ui->messages.empty() ? "" : ui->messages.back().prompt);

    // The non-seasonal grid of the same method over the fit's own ranges.
    std::unique_ptr<IMeth> meth;
    if (method == 1) meth = std::make_unique<clsPROJMAT>();
    else meth = std::make_unique<clsELEFAN>();
    meth->Create(data);
    clsLFDSearch grid;
    ASSERT_TRUE(grid.GridSearch(*meth, 0, fit.ParamLo(0), fit.ParamHi(0), 46, fit.ParamLo(1), fit.ParamHi(1), 33));

    std::printf("%-7s %-11s Linf range %2.0f-%2.0f | fit K %.3f Linf %5.2f C %.3f Ts %6.3f T0 %6.3f score %9.5f | "
                "grid K %.3f Linf %5.2f score %9.5f\n",
                MethodName(method), truth.name, fit.ParamLo(1), fit.ParamHi(1), params.k(), params.Linf(), params.c(),
                params.Ts(), params.T0(), fit.Score(), grid.P1(), grid.P2(), grid.MaxScore());

    if (truth.C > 0) {
        EXPECT_NEAR(params.c(), truth.C, 0.2f);
        EXPECT_LT(PhaseGap(params.Ts(), truth.Ts), 0.1f);
    } else {
        EXPECT_LT(params.c(), 0.15f);
    }
    // No worse than the grid: at least its score, and K and Linf within its error plus one
    // grid step, or within 10% of the truth, where both lie on the ridge along which K and
    // Linf trade against each other.
    EXPECT_GE(fit.Score(), grid.MaxScore());
    const float kStep = (fit.ParamHi(0) - fit.ParamLo(0)) / 45, lStep = (fit.ParamHi(1) - fit.ParamLo(1)) / 32;
    EXPECT_LE(std::fabs(params.k() - kK), std::max(std::fabs(grid.P1() - kK) + kStep, 0.1f * kK));
    EXPECT_LE(std::fabs(params.Linf() - kLinf), std::max(std::fabs(grid.P2() - kLinf) + lStep, 0.1f * kLinf));
}

INSTANTIATE_TEST_SUITE_P(Methods, AutofindRecoveryTest,
                         ::testing::Combine(::testing::Values(2, 1), ::testing::Values(0, 1, 2, 3, 4)),
                         [](const auto& info) {
                             return std::string(MethodName(std::get<0>(info.param))) + "_" +
                                    kTruths[std::get<1>(info.param)].name;
                         });
