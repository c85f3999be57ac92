// Age slicing on hand-worked data sets. With Linf 100, K ln 2 and t0 0 the curve reaches
// 50 at age 1, 75 at 2, 87.5 at 3 and 93.75 at 4, so the shares of a class are ratios of
// these lengths.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "chart/HeadlessChart.h"
#include "clsAgeSlice.h"
#include "clsMultiLFGraph.h"
#include "clsVorn.h"
#include "MortalityFixtures.h"
#include "vb/VbError.h"

namespace {

using mortalitytest::Fill;

const float kLn2 = 0.6931472f;
constexpr float kTol = 2E-4f;

// Classes 20-40, 40-60, 60-80, 80-100 (the last ends at Linf).
//   20-40 (ages 0.32 to 0.74) lies within age 0: all 8 fish to age 0.
//   40-60 (ages 0.74 to 1.32) spans the first birthday at 50: half each to ages 0 and 1.
//   60-80 (ages 1.32 to 2.32) spans the second at 75: 3/4 to age 1, 1/4 to age 2.
//   80-100 reaches Linf: no age, nothing.
const std::vector<float> kSample = {8, 4, 20, 3};

std::vector<float> Column(const clsAgeSlice& a, int16_t d) {
    std::vector<float> out;
    for (int16_t r = 1; r <= a.NumAges(); ++r) out.push_back(a.Slice(r, d));
    return out;
}

void ExpectColumn(const clsAgeSlice& a, int16_t d, const std::vector<float>& expected) {
    const std::vector<float> got = Column(a, d);
    ASSERT_EQ(got.size(), expected.size());
    for (size_t r = 0; r < got.size(); ++r) EXPECT_NEAR(got[r], expected[r], kTol) << "row " << r + 1;
}

TEST(clsAgeSlice, ClassesAreSharedAmongTheYearsTheySpan) {
    clsVorn v;
    const std::vector<float> empty(4, 0.0f);
    Fill(v, 20, 20, {kSample, empty});
    clsAgeSlice a;
    a.Create(v, 0, kLn2, 100, 0, 0, 0);
    EXPECT_EQ(a.Shift(), 0);
    EXPECT_EQ(a.NumAges(), 3);
    EXPECT_EQ(a.RowAge(1), 0);
    ExpectColumn(a, 1, {8 + 2, 2 + 15, 5});
    // The counts add up to the fish of the classes that take part (all but 80-100).
    float total = 0;
    for (float c : Column(a, 1)) total += c;
    EXPECT_NEAR(total, 32, kTol);
    ExpectColumn(a, 2, {0, 0, 0});
    // The caller's data set keeps its ages.
    EXPECT_EQ(v.Tmin(1), 0.0f);
}

TEST(clsAgeSlice, WideClassIsSharedOverEveryYear) {
    // One class 10-90 (ages 0.15 to 3.32): 80 fish shared as (50 - 10), (75 - 50),
    // (87.5 - 75) and (90 - 87.5) parts of its 80 units.
    clsVorn v;
    Fill(v, 10, 80, {{80}});
    clsAgeSlice a;
    a.Create(v, 0, kLn2, 100, 0, 0, 0);
    EXPECT_EQ(a.NumAges(), 4);
    ExpectColumn(a, 1, {40, 25, 12.5f, 2.5f});
}

TEST(clsAgeSlice, NegativeFirstAgeShiftsTheRows) {
    // t0 -0.4: the bound 0 has age -0.4, so age -1 takes row 1. The class 0-20 lies in
    // age -1; 20-40 spans age 0 at L(0) = 100 (1 - 2^-0.4) = 24.2142.
    clsVorn v;
    Fill(v, 0, 20, {{10, 20}});
    clsAgeSlice a;
    a.Create(v, 0, kLn2, 100, -0.4f, 0, 0);
    EXPECT_EQ(a.Shift(), 1);
    EXPECT_EQ(a.NumAges(), 2);
    EXPECT_EQ(a.RowAge(1), -1);
    EXPECT_EQ(a.RowAge(2), 0);
    const float f = (24.2141717f - 20) / 20;
    ExpectColumn(a, 1, {10 + 20 * f, 20 * (1 - f)});
}

TEST(clsAgeSlice, SeasonalCurveSharesByItsLengthsAtTheBirthdays) {
    // With t0 0 and Ts 0 the seasonal wave is 0 at whole ages, so the birthday lengths are
    // the non-seasonal 50, 75, 87.5 whatever C, while the class bounds' ages move (and stay
    // in the same years).
    clsVorn v;
    Fill(v, 20, 20, {kSample});
    clsAgeSlice a;
    a.Create(v, 1, kLn2, 100, 0, 0, 1);
    EXPECT_EQ(a.NumAges(), 3);
    ExpectColumn(a, 1, {10, 17, 5});
}

TEST(clsAgeSlice, SeasonalCurveWithPhaseStartsItsFirstClassAtT0) {
    // Hoenig, K ln 2, Linf 100, t0 -0.25, Ts 0.25, C 1: sin(2 pi (t0 - Ts)) = 0 and
    // sin(2 pi (k - Ts)) = -1 at every whole age k, so L(k) = 100 (1 - 2^-(k + 0.25 - 1/2pi))
    // = 6.10274, 53.05137, 76.52569 at ages 0, 1, 2 (non-seasonal: 15.9, 58.0, 79.0).
    // The bound 0 has the age t0, so age -1 takes row 1:
    //   0-20 spans age 0 at 6.10274; 20-40 lies in age 0; 40-60 spans age 1 at 53.05137;
    //   60-80 spans age 2 at 76.52569; 80-100 reaches Linf.
    clsVorn v;
    Fill(v, 0, 20, {{10, 8, 4, 20, 3}});
    clsAgeSlice a;
    a.Create(v, 1, kLn2, 100, -0.25f, 0.25f, 1);
    EXPECT_EQ(a.Shift(), 1);
    EXPECT_EQ(a.RowAge(1), -1);
    const float f0 = 6.102741f / 20, f1 = (53.051371f - 40) / 20, f2 = (76.525685f - 60) / 20;
    ExpectColumn(a, 1, {10 * f0, 10 * (1 - f0) + 8 + 4 * f1, 4 * (1 - f1) + 20 * f2, 20 * (1 - f2)});
}

TEST(clsAgeSlice, SeasonalCurveWithoutAmplitudeSlicesAsTheNonSeasonalOne) {
    // With C 0 the seasonal curve is the non-seasonal one, also for a set starting at
    // length 0 with t0 below 0: ten samples of 32 classes of width 1.
    std::vector<std::vector<float>> samples(10, std::vector<float>(32));
    for (size_t d = 0; d < samples.size(); ++d)
        for (size_t j = 0; j < 32; ++j) samples[d][j] = static_cast<float>((d * 7 + j * 3) % 11 + 1);
    clsVorn v;
    Fill(v, 0, 1, samples);
    clsAgeSlice plain, seasonal;
    plain.Create(v, 0, 0.47f, 33.7f, -0.25f, 0, 0);
    seasonal.Create(v, 1, 0.47f, 33.7f, -0.25f, 0, 0);
    ASSERT_EQ(plain.NumAges(), 8);
    ASSERT_EQ(seasonal.NumAges(), plain.NumAges());
    EXPECT_EQ(seasonal.Shift(), plain.Shift());
    // The seasonal ages come from a root search (to 0.01 years): a class with a bound that
    // close to a birthday can put a few hundredths of a fish in the other year.
    for (int16_t d = 1; d <= 10; ++d)
        for (int16_t r = 1; r <= plain.NumAges(); ++r)
            EXPECT_NEAR(seasonal.Slice(r, d), plain.Slice(r, d), 0.1f) << "row " << r << " sample " << d;
}

TEST(clsAgeSlice, RowsOutsideTheTableAreRefusedAndTheTableIsKept) {
    clsVorn wide;
    Fill(wide, 10, 80, {{80}});
    clsVorn young;
    Fill(young, 0, 20, {{10, 20}});
    struct Case {
        const char* what;
        const clsVorn* data;
        float K, t0;
    };
    const Case cases[] = {
        {"an age below -1", &young, kLn2, -1.5f},
        {"an age past row 101 (90 reached at age 230)", &wide, 0.01f, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        clsAgeSlice a;
        a.Create(wide, 0, kLn2, 100, 0, 0, 0);
        try {
            a.Create(*c.data, 0, c.K, 100, c.t0, 0, 0);
            ADD_FAILURE() << "no error";
        } catch (const VbError& e) {
            EXPECT_EQ(e.Number, 9);
        }
        EXPECT_EQ(a.NumAges(), 4);
        ExpectColumn(a, 1, {40, 25, 12.5f, 2.5f});
    }
    clsAgeSlice a;
    EXPECT_THROW(a.Slice(1, 1), VbError);  // nothing made yet
    a.Create(wide, 0, kLn2, 100, 0, 0, 0);
    EXPECT_THROW(a.Slice(0, 1), VbError);
    EXPECT_THROW(a.Slice(102, 1), VbError);
    EXPECT_THROW(a.Slice(1, 2), VbError);
    EXPECT_EQ(a.Slice(101, 1), 0.0f);
}

TEST(clsAgeSlice, PlotHasBarsPerSampleReachingBackTowardsThePreviousSample) {
    chart::ScopedHeadlessChart chart;
    clsVorn v;
    Fill(v, 20, 20, {{0, 0, 0, 0}, kSample}, {0.5f, 1.25f});
    clsAgeSlice a;
    a.Create(v, 0, kLn2, 100, 0, 0, 0);
    a.Show();
    ASSERT_NE(a.Plot(), nullptr);
    EXPECT_TRUE(a.Plot()->Visible());
    // The empty first sample has no bars; the second's longest bar (17 fish at age 1)
    // covers 95% of the 0.75 back to the first. The series is named with its sample time
    // as plain text.
    const auto sets = chart->callsTo("WGDefineGroupDataSetVB");
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(sets[0].s(0), "1.25");
    EXPECT_EQ(sets[0].vd(1), (std::vector<double>{0, 1, 2}));
    const std::vector<double>& ends = sets[0].vd(2);
    ASSERT_EQ(ends.size(), 6u);
    EXPECT_NEAR(ends[0], 1.25, 1E-6);
    EXPECT_NEAR(ends[1], 1.25 - 10.0 / 17 * 0.75 * 0.95, 1E-5);
    EXPECT_NEAR(ends[3], 1.25 - 0.75 * 0.95, 1E-6);
    EXPECT_NEAR(ends[5], 1.25 - 5.0 / 17 * 0.75 * 0.95, 1E-5);
    const auto titles = chart->callsTo("WGTitleGraph");
    ASSERT_EQ(titles.size(), 1u);
    EXPECT_EQ(titles[0].s(2), "Age Slice");

    // Shown again while open: the same page.
    a.Show();
    EXPECT_EQ(chart->count("WGCreatePage"), 1u);
    // Closed by the user: a new page.
    chart->UserClosesPage(chart->lastPage());
    a.Show();
    EXPECT_EQ(chart->count("WGCreatePage"), 2u);
    a.ClosePlot();
    EXPECT_FALSE(a.Plot()->Visible());
}

TEST(clsAgeSlice, PlotPositionsAreNominalAgesAndOneSampleSpansAYear) {
    chart::ScopedHeadlessChart chart;
    clsVorn v;
    Fill(v, 0, 20, {{10, 20}}, {2});
    clsAgeSlice a;
    a.Create(v, 0, kLn2, 100, -0.4f, 0, 0);
    a.Show();
    const auto sets = chart->callsTo("WGDefineGroupDataSetVB");
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(sets[0].vd(1), (std::vector<double>{-1, 0}));
    // The longest bar (age 0, 15.79 fish) reaches 0.95 back from time 2.
    EXPECT_NEAR(sets[0].vd(2)[3], 2 - 0.95, 1E-6);
}

TEST(clsAgeSlice, NothingToPlotIsAnErrorBeforeAnyPage) {
    chart::ScopedHeadlessChart chart;
    clsVorn v;
    Fill(v, 20, 20, {{0, 0, 0, 0}});
    clsAgeSlice a;
    EXPECT_THROW(a.Show(), VbError);  // not calculated
    a.Create(v, 0, kLn2, 100, 0, 0, 0);
    EXPECT_THROW(a.Show(), VbError);  // no fish in any sample
    clsVorn big;
    Fill(big, 20, 20, {kSample});
    a.Create(big, 0, kLn2, 15, 0, 0, 0);  // every class at or above Linf: no age at all
    EXPECT_EQ(a.NumAges(), 0);
    EXPECT_THROW(a.Show(), VbError);
    EXPECT_EQ(chart->count("WGCreatePage"), 0u);
}

}  // namespace
