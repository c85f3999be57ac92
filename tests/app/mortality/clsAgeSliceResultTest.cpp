// The age slicing report: the result table, the status line, the heading and table lines
// of the log and the printout, all labelling a row with the nominal age it holds.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MVornGlobs.h"
#include "MortalityFixtures.h"
#include "clsAgeSliceResult.h"
#include "clsVorn.h"

namespace {

using mortalitytest::Fill;

// K ln 2, Linf 100, t0 -0.4: the bound 0 has age -0.4, so row 1 holds age -1. Class 0-20
// lies in age -1; 20-40 spans age 0 at L(0) = 24.2142: 10 + 20 x 0.2107 = 14.214 fish of
// age -1 and 15.786 of age 0.
const std::array<std::string, 5> kTexts = {"0.6931472", "100", "-0.4", "0", "0"};

class AgeSliceResultTest : public ::testing::Test {
protected:
    void SetUp() override {
        MVornGlobs::InitGlobals();
        Fill(data, 0, 20, {{10, 20}, {0, 0}});
    }
    clsVorn data;
    clsAgeSliceResult r;
};

TEST_F(AgeSliceResultTest, TableAndReportLabelRowsWithTheirNominalAge) {
    ASSERT_TRUE(r.Calculate(data, 0, kTexts));
    EXPECT_EQ(r.Slices().Shift(), 1);
    ASSERT_EQ(r.TableRows(), 3);
    ASSERT_EQ(r.TableCols(), 3);
    const std::vector<std::vector<std::string>> table{
        {"", "Dist. 1", "Dist. 2"},
        {"-1", "14.214", "0.000"},
        {"0", "15.786", "0.000"},
    };
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col) EXPECT_EQ(r.TableText(row, col), table[row][col]) << row << "," << col;
    EXPECT_EQ(r.StatusText(), "Growth Curve = Von Bertalanffy. K = 0.6931472. Linf = 100. Tzero = -0.4");

    const std::vector<std::string> heading{"AGE SLICING", "Growth Curve: Non Seasonal", "K: 0.6931472",
                                           "Linf: 100", "Tzero: -0.4", "Ts: 0", "C: 0", "\r"};
    const std::vector<std::string> lines{"Age\tDist.#1\tDist.#2\t", "-1\t14.21\t0.00\t", "0\t15.79\t0.00\t", "\r"};
    EXPECT_EQ(r.HeadingLines(), heading);
    EXPECT_EQ(r.TableLines(), lines);
    std::vector<std::string> log = heading;
    log.insert(log.end(), lines.begin(), lines.end());
    EXPECT_EQ(r.LogLines(), log);
    EXPECT_EQ(r.PrintReport(true, false).Lines(), heading);
    EXPECT_EQ(r.PrintReport(false, true).Lines(), lines);
    EXPECT_TRUE(r.PrintReport(false, false).Lines().empty());
}

TEST_F(AgeSliceResultTest, SeasonalCurveNamesTsAndC) {
    ASSERT_TRUE(r.Calculate(data, 1, {"0.6931472", "100", "-0.4", "0.2", "0.5"}));
    EXPECT_EQ(r.StatusText(), "Growth Curve = Hoenig. K = 0.6931472. Linf = 100. Tzero = -0.4. Ts = 0.2. C = 0.5");
    EXPECT_EQ(r.HeadingLines()[1], "Growth Curve: Hoenig Seasonal");
}

TEST_F(AgeSliceResultTest, NoTableIsNoResult) {
    ASSERT_TRUE(r.Calculate(data, 0, kTexts));
    struct Case {
        const char* what;
        std::array<std::string, 5> texts;
    };
    const Case cases[] = {
        {"not a number", {"K", "100", "-0.4", "0", "0"}},
        {"an age below -1", {"0.6931472", "100", "-1.5", "0", "0"}},
        {"every class at or above Linf", {"0.6931472", "0", "-0.4", "0", "0"}},
        {"K 0", {"0", "100", "-0.4", "0", "0"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(r.Calculate(data, 0, c.texts));
        EXPECT_FALSE(r.Defined());
    }
    clsVorn high;
    Fill(high, 20, 20, {{1, 2, 3}});
    EXPECT_FALSE(r.Calculate(high, 0, {"0.6931472", "20", "0", "0", "0"}));
}

}  // namespace
