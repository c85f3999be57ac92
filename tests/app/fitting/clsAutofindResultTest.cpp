// The report of an automatic fit: its lines for both seasonal curves and the run log's
// block, from hand-written fits.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MVornGlobs.h"
#include "clsAutofindResult.h"

namespace {

clsAutofindResult::Fit HoenigFit() {
    clsAutofindResult::Fit f;
    f.GrowthCurve = 1;
    f.Method = 2;
    f.ParamLo = {0.1f, 60.0f};
    f.ParamHi = {1.0f, 92.0f};
    f.k = 0.5f, f.Linf = 80.25f, f.T0 = -0.375f, f.Ts = 0.25f, f.c = 0.75f, f.NGT = 0.25f;
    f.Score = 0.625f;
    return f;
}

const std::vector<std::string> kHoenigLines{
    "Vorn 5.0",
    "RESULTS OF SEASONAL GROWTH CURVE SEARCH",
    "-------------------------------------------",
    "GROWTH CURVE: Hoenig Seasonal",
    "METHOD: ELEFAN",
    "\r",
    "Ranges :\r",
    "K :  .1   -    1",
    "Linf :  60   -    92",
    "\r",
    "Parameter Estimates:",
    "K :  .5",
    "Linf :  80.25",
    "Tzero : -.375",
    "Ts :  .25",
    "C :  .75",
    "Score Function :  .625",
};

class ReportTest : public ::testing::Test {
protected:
    void SetUp() override { MVornGlobs::InitGlobals(); }
};

}  // namespace

TEST_F(ReportTest, LinesOfBothCurves) {
    EXPECT_EQ(clsAutofindResult(HoenigFit()).Lines(), kHoenigLines);

    // Pauly with PROJMAT: line 16 names NGT, and a PROJMAT score is negative.
    clsAutofindResult::Fit f = HoenigFit();
    f.GrowthCurve = 2;
    f.Method = 1;
    f.NGT = 0.3f;
    f.Score = -0.0625f;
    std::vector<std::string> expected = kHoenigLines;
    expected[3] = "GROWTH CURVE: Pauly Seasonal";
    expected[4] = "METHOD: PROJMAT";
    expected[15] = "NGT :  .3";
    expected[16] = "Score Function : -.0625";
    EXPECT_EQ(clsAutofindResult(f).Lines(), expected);
}

TEST_F(ReportTest, LogBlockLeavesOutTheTitle) {
    std::vector<std::string> expected(kHoenigLines.begin() + 1, kHoenigLines.end());
    expected.push_back("");
    EXPECT_EQ(clsAutofindResult(HoenigFit()).LogLines(), expected);
}
