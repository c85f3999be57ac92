// The report of an automatic fit: its lines for both seasonal curves, the run-log block,
// the saved file and the printout, from hand-written fits.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "AutofindReport.h"
#include "ILogView.h"
#include "MVornGlobs.h"
#include "clsLog.h"
#include "forms/HeadlessForms.h"
#include "print/Printer.h"
#include "vb/VbError.h"

namespace fs = std::filesystem;

namespace {

AutofindReport::Fit HoenigFit() {
    AutofindReport::Fit f;
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
    void SetUp() override {
        MVornGlobs::InitGlobals();
        std::random_device rd;
        folder = fs::temp_directory_path() / ("vorn-autofind-report-" + std::to_string(rd()));
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    static std::string Read(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    forms::ScopedHeadlessForms forms;
    ScopedHeadlessLogViews logViews;
    fs::path folder;
};

}  // namespace

TEST_F(ReportTest, LinesOfBothCurves) {
    EXPECT_EQ(AutofindReport(HoenigFit()).Lines(), kHoenigLines);

    // Pauly with PROJMAT: line 16 names NGT, and a PROJMAT score is negative.
    AutofindReport::Fit f = HoenigFit();
    f.GrowthCurve = 2;
    f.Method = 1;
    f.NGT = 0.3f;
    f.Score = -0.0625f;
    std::vector<std::string> expected = kHoenigLines;
    expected[3] = "GROWTH CURVE: Pauly Seasonal";
    expected[4] = "METHOD: PROJMAT";
    expected[15] = "NGT :  .3";
    expected[16] = "Score Function : -.0625";
    EXPECT_EQ(AutofindReport(f).Lines(), expected);
}

TEST_F(ReportTest, LogBlockLeavesOutTheTitle) {
    clsLog log(folder.string());
    log.LogText("before\r\n");
    AutofindReport(HoenigFit()).WriteToLog(log);
    std::string expected = "before\r\n" + std::string(44, '~') + "\r\n";
    for (size_t k = 1; k < kHoenigLines.size(); ++k) expected += kHoenigLines[k] + "\r\n";
    expected += "\r\n";
    EXPECT_EQ(log.Buffer(), expected);
    // The block reached the log file too.
    EXPECT_EQ(Read(log.Filename()), expected + "\r\n");
}

TEST_F(ReportTest, SavedFileHoldsEveryLineAndAFailedSaveLeavesNothingBehind) {
    const fs::path path = folder / "fish.dat";
    AutofindReport(HoenigFit()).Save(path.string());
    std::string expected;
    for (const std::string& l : kHoenigLines) expected += l + "\r\n";
    EXPECT_EQ(Read(path), expected);

    // A name that cannot be replaced (a folder) raises, and nothing is left beside it.
    const fs::path taken = folder / "taken.dat";
    fs::create_directory(taken);
    try {
        AutofindReport(HoenigFit()).Save(taken.string());
        ADD_FAILURE() << "saved over a folder";
    } catch (const VbError& e) {
        EXPECT_EQ(e.Number, 75);
    }
    EXPECT_TRUE(fs::is_directory(taken));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 2);
}

TEST_F(ReportTest, PrintoutIsThePageNumberAndEveryLine) {
    print::ScopedRecordingPrinter printer;
    AutofindReport(HoenigFit()).Print();
    std::vector<std::string> expected{"Page 1", ""};
    for (const std::string& l : kHoenigLines) expected.push_back(l == "\r" ? "" : l == "Ranges :\r" ? "Ranges :" : l);
    EXPECT_EQ(printer->texts(), expected);
    EXPECT_EQ(printer->documentsEnded, 1);
}
