// The Beverton-Holt report as the window shows, logs, saves and prints it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../../dlls/Vorn5_Solver/ErrorCapture.h"
#include "MVornGlobs.h"
#include "MortalityFixtures.h"
#include "clsBevHoltResult.h"
#include "clsVorn.h"

namespace {

using mortalitytest::Fill;
using mortalitytest::kTwoSamples;

TEST(clsBevHoltResult, ReportHoldsTheParametersAsTypedAndEveryZ) {
    MVornGlobs::InitGlobals();
    clsVorn v;
    Fill(v, 10, 2, kTwoSamples);
    clsBevHoltResult r(v);
    ASSERT_TRUE(r.Calculate("1.000", "30.000", "15.500")) << r.FailReason();
    EXPECT_TRUE(r.Defined());
    EXPECT_EQ(r.Estimator().Lc(), 14.0f);
    EXPECT_EQ(r.ListLines(), (std::vector<std::string>{"1        1.000", "2        3.000"}));
    EXPECT_EQ(r.MeanZText(), "2.000");
    EXPECT_EQ(r.StdErrText(), "1.0000");
    // Lc as typed, not as moved to the class bound.
    const std::vector<std::string> report{
        "BEVERTON-HOLT Z", "K = 1.000", "Linf = 30.000", "Lc = 15.500", "\r", "Dist.#1\tDist.#2\t",
        "1.000\t3.000\t",  "\r",        "Mean Z = 2.000\r", "Standard Error Z = 1.0000\r",
    };
    EXPECT_EQ(r.ReportLines(), report);
}

TEST(clsBevHoltResult, SampleWithoutZShowsADashAndStaysOutOfTheReport) {
    MVornGlobs::InitGlobals();
    clsVorn v;
    v.OpenFile(std::string(TEST_DATA_DIR) + "/bh_empty_above_lc.txt");
    clsBevHoltResult r(v);
    ASSERT_TRUE(r.Calculate("1", "30", "14")) << r.FailReason();
    EXPECT_EQ(r.ListLines(), (std::vector<std::string>{"1        1.000", "2        -"}));
    EXPECT_EQ(r.MeanZText(), "1.000");
    EXPECT_EQ(r.StdErrText(), "0.0000");
    const std::vector<std::string> report{
        "BEVERTON-HOLT Z", "K = 1", "Linf = 30", "Lc = 14",          "\r",
        "Dist.#1\t",       "1.000\t", "\r",       "Mean Z = 1.000\r", "Standard Error Z = 0.0000\r",
    };
    EXPECT_EQ(r.ReportLines(), report);
}

TEST(clsBevHoltResult, SampleWithMeanLengthAboveLinfShowsADashAndStaysOutOfTheReport) {
    // Linf 20: sample 1's mean length above Lc 14 is 22, sample 2's 18, Z (20 - 18) / 4.
    MVornGlobs::InitGlobals();
    clsVorn v;
    Fill(v, 10, 2, kTwoSamples);
    clsBevHoltResult r(v);
    ASSERT_TRUE(r.Calculate("1", "20", "14")) << r.FailReason();
    EXPECT_EQ(r.ListLines(), (std::vector<std::string>{"1        -", "2        0.500"}));
    EXPECT_EQ(r.MeanZText(), "0.500");
    EXPECT_EQ(r.StdErrText(), "0.0000");
    const std::vector<std::string> report{
        "BEVERTON-HOLT Z", "K = 1", "Linf = 20", "Lc = 14",          "\r",
        "Dist.#2\t",       "0.500\t", "\r",      "Mean Z = 0.500\r", "Standard Error Z = 0.0000\r",
    };
    EXPECT_EQ(r.ReportLines(), report);
}

TEST(clsBevHoltResult, FailedCalculationHoldsNoResultAndSaysWhy) {
    ErrorCapture errors;
    clsVorn v;
    Fill(v, 10, 2, kTwoSamples);
    clsBevHoltResult r(v);
    ASSERT_TRUE(r.Calculate("1", "30", "14"));
    struct Case {
        const char *K, *Linf, *Lc, *reason;
    };
    const Case cases[] = {
        {"x", "30", "14", "K must be a number."},
        {"1", "30", "", "Lc must be a number."},
        {"0", "30", "14", "K must be greater than 0."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reason);
        EXPECT_FALSE(r.Calculate(c.K, c.Linf, c.Lc));
        EXPECT_FALSE(r.Defined());
        EXPECT_EQ(r.FailReason(), c.reason);
        EXPECT_TRUE(r.ReportLines().empty());
        EXPECT_TRUE(r.ListLines().empty());
    }
    EXPECT_EQ(errors.ShownCount(), 0u);
}

}  // namespace
