// The Powell-Wetherall plot on small data sets worked by hand.
#include <gtest/gtest.h>

#include <string>

#include "ErrorCapture.h"
#include "IZReg.h"
#include "MortalityFixtures.h"
#include "clsPowWeath.h"
#include "clsVorn.h"
#include "vb/VbError.h"

using mortalitytest::Fill;

namespace {

TEST(PowWeath, MeanLengthsAboveEachLimitAndAnExactLine) {
    ErrorCapture errors;
    // Classes 10-20 .. 40-50 (mid-points 15 .. 45) with 4, 3, 2, 1 fish: Lbar 25, 190/6,
    // 115/3, 45; Lbar - L' = 15, 11.667, 8.333, 5 falls by exactly 1/3 per unit of L', so
    // B = -1/3, A = 55/3, Linf = -A/B = 55 (where the line crosses 0), Z/K = -(1+B)/B = 2.
    // The second sample holds the same shape twice over and a 0 in class 2, which starts
    // excluded but still has its Lbar. Class 5 (of sample 2, classes 4 and 5) has no fish
    // at or above it: Lbar 0, and its point has no value.
    clsVorn ds;
    Fill(ds, 10.0f, 10.0f, {{4, 3, 2, 1, 0}, {4, 0, 2, 0, 0}}, {0.0f, 0.5f});
    clsPowWeath pw;
    pw.Create(ds);
    EXPECT_EQ(pw.ZType(), 1);
    EXPECT_EQ(pw.NumPoints(), 5);
    EXPECT_EQ(pw.NumDists(), 2);

    const float lbar1[] = {25.0f, 190.0f / 6, 115.0f / 3, 45.0f, 0.0f};
    const bool in1[] = {true, true, true, true, false};
    const float lbar2[] = {130.0f / 6, 35.0f, 35.0f, 0.0f, 0.0f};
    const bool in2[] = {true, false, true, false, false};
    for (int16_t i = 1; i <= 5; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(pw.XData(i), 10.0f * i);
        EXPECT_FLOAT_EQ(pw.Lbar(1, i), lbar1[i - 1]);
        if (i < 5) EXPECT_FLOAT_EQ(pw.YData(1, i), lbar1[i - 1] - 10.0f * i);
        else EXPECT_EQ(pw.YData(1, i), IZReg::kNoValue);
        EXPECT_EQ(pw.ToggledIn(1, i), in1[i - 1]);
        EXPECT_FLOAT_EQ(pw.Lbar(2, i), lbar2[i - 1]);
        EXPECT_EQ(pw.ToggledIn(2, i), in2[i - 1]);
    }
    EXPECT_EQ(pw.YData(2, 4), IZReg::kNoValue);
    EXPECT_EQ(pw.YData(2, 5), IZReg::kNoValue);

    const auto r1 = pw.DistResults(1);
    ASSERT_TRUE(r1);
    EXPECT_NEAR((*r1)(1), 55.0f, 1e-4f);
    EXPECT_NEAR((*r1)(2), 2.0f, 1e-5f);
    const auto line = pw.FittedLine(1);
    EXPECT_NEAR(line->B, -1.0f / 3, 1e-6f);
    EXPECT_NEAR(line->A, 55.0f / 3, 1e-5f);
    EXPECT_NEAR(*pw.FittedY(1, 5), 55.0f / 3 - 50.0f / 3, 1e-5f);

    // Sample 2 has two included points: the line through (10, 130/6 - 10 = 11.667) and
    // (30, 5), B = -1/3, A = 15, gives Linf 45 and Z/K 2, with nothing logged. Means: Linf
    // 50, standard error |55 - 45| / 2 = 5; Z/K 2 and 0.
    const auto two = pw.DistResults(2);
    ASSERT_TRUE(two);
    EXPECT_NEAR((*two)(1), 45.0f, 1e-4f);
    EXPECT_NEAR((*two)(2), 2.0f, 1e-5f);
    EXPECT_NEAR(*pw.FittedY(2, 3), 5.0f, 1e-5f);
    auto m = pw.MeanAndSE();
    ASSERT_TRUE(m);
    EXPECT_NEAR((*m)(1), 50.0f, 1e-4f);
    EXPECT_NEAR((*m)(2), 5.0f, 1e-4f);
    EXPECT_NEAR((*m)(3), 2.0f, 1e-5f);
    EXPECT_NEAR((*m)(4), 0.0f, 1e-5f);
    EXPECT_EQ(errors.Log(), "");

    // One point left: no result, and the means are those of sample 1 alone.
    pw.setToggledIn(2, 3, false);
    EXPECT_FALSE(pw.DistResults(2));
    EXPECT_FALSE(pw.FittedY(2, 1));
    m = pw.MeanAndSE();
    EXPECT_EQ((*m)(1), (*r1)(1));
    EXPECT_EQ((*m)(2), 0.0f);
    EXPECT_EQ((*m)(3), (*r1)(2));
    pw.setToggledIn(2, 3, true);

    // Class 2 taken in: (10, 11.667), (20, 15), (30, 5) give B = -1/3, A = 17.222,
    // Linf 51.667, Z/K 2; sample 1 stays as it was.
    pw.setToggledIn(2, 2, true);
    const auto r2 = pw.DistResults(2);
    ASSERT_TRUE(r2);
    EXPECT_NEAR((*r2)(1), 51.66667f, 1e-4f);
    EXPECT_NEAR((*r2)(2), 2.0f, 1e-5f);
    EXPECT_EQ((*pw.DistResults(1))(1), (*r1)(1));
    m = pw.MeanAndSE();
    // Linf 55 and 51.667: mean 53.333, standard error |difference|/2.
    EXPECT_NEAR((*m)(1), 53.33333f, 1e-4f);
    EXPECT_NEAR((*m)(2), 1.66667f, 1e-4f);
    EXPECT_NEAR((*m)(3), 2.0f, 1e-5f);
    EXPECT_NEAR((*m)(4), 0.0f, 1e-5f);
}

TEST(PowWeath, PointsWithoutFishAtOrAboveThemHaveNoValueAndCannotBeIncluded) {
    ErrorCapture errors;
    // Classes 2-4 .. 16-18. Sample 1 has no fish from length 12 on, sample 2 none at 16.
    // The points with fish, Lbar - L' worked by hand: sample 1 (2, 157/21 - 2), (4, 3.7),
    // (6, 139/17 - 6), (8, 1.5), (10, 1): B = -0.5576190, A = 6.1162465, Linf 10.968504,
    // Z/K 0.7933390.
    clsVorn ds;
    ds.OpenFile(std::string(TEST_DATA_DIR) + "/mean_length_above_linf.txt");
    clsPowWeath pw;
    pw.Create(ds);
    ASSERT_EQ(pw.NumPoints(), 8);
    for (int32_t i = 1; i <= 8; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(pw.YData(1, i) == IZReg::kNoValue, i >= 6);
        EXPECT_EQ(pw.YData(2, i) == IZReg::kNoValue, i == 8);
    }
    EXPECT_FLOAT_EQ(pw.YData(2, 1), 257.0f / 25 - 2);  // count 0, but fish above: a value
    const auto before = pw.DistResults(1);
    ASSERT_TRUE(before);
    EXPECT_NEAR((*before)(1), 10.968504f, 1e-4f);
    EXPECT_NEAR((*before)(2), 0.7933390f, 1e-5f);

    // Asked to take them in, they stay out, and the fit is as it was.
    for (int32_t i : {6, 7, 8}) pw.setToggledIn(1, i, true);
    pw.setToggledIn(2, 8, true);
    for (int32_t i : {6, 7, 8}) EXPECT_FALSE(pw.ToggledIn(1, i));
    EXPECT_FALSE(pw.ToggledIn(2, 8));
    EXPECT_EQ((*pw.DistResults(1))(1), (*before)(1));
    EXPECT_EQ((*pw.DistResults(1))(2), (*before)(2));
    // A point with a value still comes in.
    pw.setToggledIn(2, 1, true);
    EXPECT_TRUE(pw.ToggledIn(2, 1));
}

TEST(PowWeath, AFlatLineHasNoResult) {
    ErrorCapture errors;
    // 1300, 300, 63 and 27 fish in classes 10-20 .. 40-50: Lbar 18, 28, 38, 45, so
    // Lbar - L' = 8, 8, 8, 5. All four points fit; without the last the slope is exactly
    // 0 and Z/K would divide by it.
    clsVorn ds;
    Fill(ds, 10.0f, 10.0f, {{1300, 300, 63, 27}, {4, 3, 2, 1}}, {0.0f, 1.0f});
    clsPowWeath pw;
    pw.Create(ds);
    ASSERT_TRUE(pw.DistResults(1));
    pw.setToggledIn(1, 4, false);
    EXPECT_FALSE(pw.DistResults(1));
    EXPECT_FALSE(pw.FittedLine(1));
    EXPECT_NEAR((*pw.MeanAndSE())(1), 55.0f, 1e-4f);  // sample 2 alone
    EXPECT_NE(errors.Log().find("Division by zero"), std::string::npos);
}

TEST(PowWeath, EveryRecordIsBuiltEvenWhenAnEarlierSampleCannotBeFitted) {
    ErrorCapture errors;
    // Sample 1 is empty and sample 2 has fish in one class only; sample 3 fits. Every
    // sample keeps its points.
    clsVorn ds;
    Fill(ds, 10.0f, 10.0f, {{0, 0, 0}, {0, 3, 0}, {4, 3, 2}}, {0.0f, 0.5f, 1.0f});
    clsPowWeath pw;
    pw.Create(ds);
    EXPECT_FALSE(pw.DistResults(1));
    EXPECT_FALSE(pw.DistResults(2));
    ASSERT_TRUE(pw.DistResults(3));
    EXPECT_FLOAT_EQ(pw.Lbar(2, 1), 25.0f);
    EXPECT_FALSE(pw.ToggledIn(2, 1));
    EXPECT_FLOAT_EQ(pw.Lbar(3, 1), (60.0f + 75.0f + 70.0f) / 9);
    for (int16_t i = 1; i <= 3; ++i) {
        EXPECT_EQ(pw.Lbar(1, i), 0.0f);
        EXPECT_FALSE(pw.ToggledIn(1, i));
    }
}

TEST(PowWeath, RefusesWhatCannotBeFitted) {
    ErrorCapture errors;
    clsVorn oneClass;
    Fill(oneClass, 10.0f, 10.0f, {{0, 7, 0}}, {0.0f});
    clsVorn oneClassEach;
    Fill(oneClassEach, 10.0f, 10.0f, {{4, 0, 0}, {0, 0, 2}}, {0.0f, 1.0f});
    clsVorn empty;
    const struct {
        const char* what;
        const clsVorn& set;
        const char* text;
    } cases[] = {
        {"one class with fish", oneClass, "No distribution could be fitted"},
        {"one class with fish in each sample", oneClassEach, "No distribution could be fitted"},
        {"no data", empty, "The data set has no samples or no length classes."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        clsPowWeath pw;
        try {
            pw.Create(c.set);
            ADD_FAILURE() << "accepted";
        } catch (const VbError& e) {
            EXPECT_EQ(e.Number, 1009);
            EXPECT_EQ(e.Source, "clsPowWeath.Create");
            EXPECT_EQ(e.Description.rfind(c.text, 0), 0u) << e.Description;
        }
    }
}

TEST(PowWeath, MeansOfLargeLengthsStayNumbers) {
    ErrorCapture errors;
    // The first test's samples with every length 1E+18 times larger: Linf 5.5E+19 and
    // 5.1667E+19, whose squares no single holds. Mean 5.3333E+19, standard error
    // |difference| / 2 = 1.6667E+18; Z/K stays 2.
    clsVorn ds;
    Fill(ds, 1E+19f, 1E+19f, {{4, 3, 2, 1, 0}, {4, 0, 2, 0, 0}}, {0.0f, 0.5f});
    clsPowWeath pw;
    pw.Create(ds);
    pw.setToggledIn(2, 2, true);
    ASSERT_TRUE(pw.DistResults(2));
    const auto m = pw.MeanAndSE();
    ASSERT_TRUE(m);
    EXPECT_NEAR((*m)(1), 5.333333E+19f, 1E+15f);
    EXPECT_NEAR((*m)(2), 1.666667E+18f, 1E+14f);
    EXPECT_NEAR((*m)(3), 2.0f, 1e-5f);
    EXPECT_NEAR((*m)(4), 0.0f, 1e-5f);
}

TEST(PowWeath, ReadsTheDataSetItWasMadeOn) {
    ErrorCapture errors;
    clsVorn ds;
    Fill(ds, 10.0f, 10.0f, {{4, 3, 2, 1}}, {0.0f});
    clsPowWeath pw;
    pw.Create(ds);
    ds.setMinLength(20.0f);
    ds.Refresh();  // the class bounds move by 10
    EXPECT_EQ(pw.XData(1), 20.0f);
    EXPECT_FLOAT_EQ(pw.YData(1, 1), 25.0f - 20.0f);
}

}  // namespace
