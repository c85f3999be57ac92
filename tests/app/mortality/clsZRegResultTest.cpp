// What the regression window shows and logs, from the estimators on hand-worked data.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ErrorCapture.h"
#include "MortalityFixtures.h"
#include "clsLCCurve.h"
#include "clsPowWeath.h"
#include "clsVorn.h"
#include "clsZRegResult.h"

using mortalitytest::Fill;
using Lines = std::vector<std::string>;

namespace {

// Z 0.3208 and 0.1886 (worked by hand in the catch-curve tests).
class CatchCurveReport : public ::testing::Test {
protected:
    void SetUp() override {
        Fill(ds, 0.0f, 20.0f, {{10, 30, 25, 20, 15, 0}, {10, 0, 25, 20, 15, 30}}, {0.1f, 0.6f});
        cc.Create(ds, 0.5f, 100.0f);
    }
    ErrorCapture errors;
    clsVorn ds;
    clsLCCurve cc;
};

TEST_F(CatchCurveReport, LinesMeansMarksAndTheLogBlock) {
    clsZRegResult r(cc);
    EXPECT_EQ(r.HelpContext(), 67);
    EXPECT_EQ(r.Header2(), "Z");
    EXPECT_EQ(r.Header3(), "");
    EXPECT_EQ(r.Lines(), (Lines{"    1        0.32", "    2        0.19"}));
    // Mean (0.3208 + 0.1886)/2 = 0.2547; standard error |0.3208 - 0.1886|/2 = 0.0661.
    EXPECT_EQ(r.MeanLabels(), (Lines{"Mean Z: 0.25", "Std. Error: 0.066"}));

    using chart::PointMark;
    const PointMark marks[] = {PointMark::Included, PointMark::NoValue, PointMark::Included,
                               PointMark::Included, PointMark::NoValue, PointMark::NoValue};
    for (int16_t j = 1; j <= 6; ++j) EXPECT_EQ(r.Mark(2, j), marks[j - 1]) << j;

    EXPECT_EQ(r.LogLines("Length Converted Catch Curve"),
              (Lines{"Length Converted Catch Curve", "", "Dist.        1            Z = 0.321",
                     "Dist.        2            Z = 0.189", "", "Mean Z: 0.25", "Std. Error: 0.066", ""}));
}

TEST_F(CatchCurveReport, AToggleRefitsAndADistributionWithoutResultShowsADash) {
    clsZRegResult r(cc);
    r.Toggle(1, 2);  // leaves classes 1, 3, 4: the same points as sample 2
    EXPECT_EQ(r.Mark(1, 2), chart::PointMark::Excluded);
    EXPECT_EQ(r.Lines(), (Lines{"    1        0.19", "    2        0.19"}));
    EXPECT_EQ(r.MeanLabels(), (Lines{"Mean Z: 0.19", "Std. Error: 0.000"}));

    r.Toggle(2, 1);  // two points left: Z is the slope of their line
    EXPECT_EQ(r.Lines()[1], "    2        0.74");
    EXPECT_TRUE(r.FittedLine(2));
    r.Toggle(2, 3);  // one point left: no result
    EXPECT_EQ(r.Lines()[1], "    2        -");
    EXPECT_FALSE(r.FittedLine(2));
    EXPECT_EQ(r.MeanLabels(), (Lines{"Mean Z: 0.19", "Std. Error: 0.000"}));
    EXPECT_EQ(r.LogLines("CC"),
              (Lines{"CC", "", "Dist.        1            Z = 0.189", "", "Mean Z: 0.19", "Std. Error: 0.000", ""}));

    // A point without a value toggles its mark but changes no fit.
    r.Toggle(2, 2);
    EXPECT_EQ(r.Mark(2, 2), chart::PointMark::Included);
    EXPECT_EQ(r.Lines()[1], "    2        -");

    r.Toggle(1, 1);
    r.Toggle(1, 3);  // no distribution has a result: nothing to log
    EXPECT_FALSE(r.AnyResult());
    EXPECT_EQ(r.MeanLabels(), (Lines{"Mean Z: -", "Std. Error: -"}));
    EXPECT_TRUE(r.LogLines("CC").empty());
}

TEST(ZRegReport, PowellWetherallLinesAndTenOrMoreDistributions) {
    ErrorCapture errors;
    // Ten samples: nine of the exact line (Linf 55, Z/K 2), the tenth with one class.
    std::vector<float> times;
    std::vector<std::vector<float>> counts;
    for (int d = 1; d <= 10; ++d) {
        times.push_back(0.1f * d);
        counts.push_back(d < 10 ? std::vector<float>{4, 3, 2, 1} : std::vector<float>{0, 0, 0, 1});
    }
    clsVorn ds;
    Fill(ds, 10.0f, 10.0f, counts, times);
    clsPowWeath pw;
    pw.Create(ds);
    clsZRegResult r(pw);
    EXPECT_EQ(r.HelpContext(), 69);
    EXPECT_EQ(r.Header2(), "Linf");
    EXPECT_EQ(r.Header3(), "Z/K");
    ASSERT_EQ(r.Lines().size(), 10u);
    EXPECT_EQ(r.Lines()[0], "    1        55.00     2.00");
    EXPECT_EQ(r.Lines()[8], "    9        55.00     2.00");
    EXPECT_EQ(r.Lines()[9], "    10      -     -");
    // (The standard errors of nine equal values are left to single-precision rounding.)
    ASSERT_EQ(r.MeanLabels().size(), 4u);
    EXPECT_EQ(r.MeanLabels()[0], "Mean Linf: 55.00");
    EXPECT_EQ(r.MeanLabels()[2], "Mean Z/K: 2.00");
    const Lines log = r.LogLines("Powell Wetherall Mortality Estimator");
    ASSERT_EQ(log.size(), 2u + 9u + 1u + 4u + 1u);
    EXPECT_EQ(log[2], "Dist.        1            Linf = 55.000  Z/K = 2.000");
    EXPECT_EQ(log[11], "");
    EXPECT_EQ(log[12], "Mean Linf: 55.00");
}

}  // namespace
