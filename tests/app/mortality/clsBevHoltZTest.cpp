// The mean-length estimator on hand-worked data sets: Z = K (Linf - Lbar) / (Lbar - Lc)
// over the fish at and above Lc counted at their class mid-points.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "../../dlls/Vorn5_Solver/ErrorCapture.h"
#include "MortalityFixtures.h"
#include "clsBevHoltZ.h"
#include "clsVorn.h"

namespace {

using mortalitytest::Fill;
using mortalitytest::kTwoSamples;

TEST(clsBevHoltZ, TwoSamplesWithZ1And3GiveMean2AndStandardError1) {
    ErrorCapture errors;
    clsVorn v;
    Fill(v, 10, 2, kTwoSamples);
    clsBevHoltZ bh;
    bh.InitialiseMe(v);
    float lc = 15.5f;  // between bounds: moved down to 14
    ASSERT_TRUE(bh.CalculateMortality(1, 30, lc));
    EXPECT_EQ(lc, 14.0f);
    EXPECT_EQ(bh.Lc(), 14.0f);
    EXPECT_EQ(bh.k(), 1.0f);
    EXPECT_EQ(bh.Linf(), 30.0f);
    EXPECT_EQ(bh.ZVals(1), 1.0f);
    EXPECT_EQ(bh.ZVals(2), 3.0f);
    EXPECT_EQ(bh.meanZ(), 2.0f);
    EXPECT_FLOAT_EQ(bh.varZ(), 2.0f);
    EXPECT_FLOAT_EQ(bh.StdErrZ(), 1.0f);
    EXPECT_EQ(bh.ZVals(0), -1.0f);
    EXPECT_EQ(bh.ZVals(3), -1.0f);
    EXPECT_EQ(errors.ShownCount(), 0u);
}

TEST(clsBevHoltZ, OneSampleHasNoSpread) {
    clsVorn v;
    Fill(v, 10, 2, {kTwoSamples[1]});
    clsBevHoltZ bh;
    bh.InitialiseMe(v);
    float lc = 14;
    ASSERT_TRUE(bh.CalculateMortality(1, 30, lc));
    EXPECT_EQ(bh.meanZ(), 3.0f);
    EXPECT_EQ(bh.varZ(), 0.0f);
    EXPECT_EQ(bh.StdErrZ(), 0.0f);
}

TEST(clsBevHoltZ, EqualZValuesGiveStandardErrorZeroNotAnError) {
    // One fish at 19: Z = 11 / 5 = 2.2, not exact in single; over three equal samples the
    // sum of squares less the squared sum / 3 comes out just below 0.
    const std::vector<float> one = {0, 0, 0, 0, 1, 0, 0, 0};
    clsVorn v;
    Fill(v, 10, 2, {one, one, one});
    clsBevHoltZ bh;
    bh.InitialiseMe(v);
    float lc = 14;
    ASSERT_TRUE(bh.CalculateMortality(1, 30, lc)) << bh.FailReason();
    EXPECT_FLOAT_EQ(bh.meanZ(), 2.2f);
    EXPECT_EQ(bh.varZ(), 0.0f);
    EXPECT_EQ(bh.StdErrZ(), 0.0f);
}

TEST(clsBevHoltZ, LcMovesDownToAClassBoundInSinglePrecision) {
    struct Case {
        float minLength, classSize;
        int16_t classes;
        float lc, expected;
    };
    const Case cases[] = {
        {10, 2, 8, 15.5f, 14},   // between bounds
        {10, 2, 8, 14, 14},      // on a bound
        {10, 2, 8, 7, 6},        // below the first class: the bound at or below it
        {10, 0.1f, 60, 14, 14},  // (14 - 10) / 0.1 is 40 in single, 39.99... in double
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lc);
        clsVorn v;
        Fill(v, c.minLength, c.classSize, {std::vector<float>(c.classes, 1.0f)});
        clsBevHoltZ bh;
        bh.InitialiseMe(v);
        float lc = c.lc;
        ASSERT_TRUE(bh.CalculateMortality(1, 100, lc)) << bh.FailReason();
        EXPECT_EQ(lc, c.expected);
        EXPECT_EQ(bh.Lc(), c.expected);
    }
}

TEST(clsBevHoltZ, SampleWithoutFishAtOrAboveLcHasNoZ) {
    // Sample 1 has one fish each at 21 and 23 above Lc 14: Lbar 22, Z = (30 - 22) / (22 - 14)
    // = 1. Sample 2 has fish below Lc only: no Z (not -Linf K / Lc), and not in the mean.
    ErrorCapture errors;
    clsVorn v;
    v.OpenFile(std::string(TEST_DATA_DIR) + "/bh_empty_above_lc.txt");
    ASSERT_EQ(v.NumDists(), 2);
    clsBevHoltZ bh;
    bh.InitialiseMe(v);
    float lc = 14;
    ASSERT_TRUE(bh.CalculateMortality(1, 30, lc)) << bh.FailReason();
    EXPECT_TRUE(bh.HasZ(1));
    EXPECT_EQ(bh.ZVals(1), 1.0f);
    EXPECT_FALSE(bh.HasZ(2));
    EXPECT_EQ(bh.meanZ(), 1.0f);
    EXPECT_EQ(bh.StdErrZ(), 0.0f);
    EXPECT_EQ(bh.varZ(), 0.0f);

    // With Lc 0 an empty sample's mean length would equal Lc: it has no Z either.
    clsVorn gap;
    Fill(gap, 10, 2, {kTwoSamples[0], std::vector<float>(8, 0.0f), kTwoSamples[1]});
    bh.InitialiseMe(gap);
    lc = 0;
    ASSERT_TRUE(bh.CalculateMortality(1, 30, lc)) << bh.FailReason();
    EXPECT_FALSE(bh.HasZ(2));
    EXPECT_TRUE(bh.HasZ(1) && bh.HasZ(3));
    EXPECT_EQ(bh.meanZ(), (bh.ZVals(1) + bh.ZVals(3)) / 2);
    EXPECT_EQ(errors.Log(), "");
}

TEST(clsBevHoltZ, SampleWhoseMeanLengthIsAtOrAboveLinfHasNoZ) {
    // Above Lc 14 the two samples have Lbar 22 and 18 (see the fixture). With Linf 20,
    // sample 1 would get Z = (20 - 22) / (22 - 14) = -0.25: no Z; sample 2 has
    // (20 - 18) / (18 - 14) = 0.5. With Linf 22 sample 1 would get 0: no Z either;
    // sample 2 has (22 - 18) / 4 = 1. The mean and the spread are sample 2's alone.
    struct Case {
        float Linf, z2;
    };
    for (const Case& c : {Case{20, 0.5f}, Case{22, 1.0f}}) {
        SCOPED_TRACE(c.Linf);
        ErrorCapture errors;
        clsVorn v;
        Fill(v, 10, 2, kTwoSamples);
        clsBevHoltZ bh;
        bh.InitialiseMe(v);
        float lc = 14;
        ASSERT_TRUE(bh.CalculateMortality(1, c.Linf, lc)) << bh.FailReason();
        EXPECT_FALSE(bh.HasZ(1));
        EXPECT_TRUE(bh.HasZ(2));
        EXPECT_EQ(bh.ZVals(2), c.z2);
        EXPECT_EQ(bh.meanZ(), c.z2);
        EXPECT_EQ(bh.varZ(), 0.0f);
        EXPECT_EQ(bh.StdErrZ(), 0.0f);
        EXPECT_EQ(errors.Log(), "");
    }

    // K 1, Linf 5, Lc 2: the samples' mean lengths are 157 / 21 = 7.476 and 257 / 25 =
    // 10.28, both above Linf (Z would be -0.452 and -0.638). No sample has a Z: the
    // calculation fails and says why.
    ErrorCapture errors;
    clsVorn v;
    v.OpenFile(std::string(TEST_DATA_DIR) + "/mean_length_above_linf.txt");
    ASSERT_EQ(v.NumDists(), 2);
    clsBevHoltZ bh;
    bh.InitialiseMe(v);
    float lc = 2;
    EXPECT_FALSE(bh.CalculateMortality(1, 5, lc));
    EXPECT_FALSE(bh.HasZ(1) || bh.HasZ(2));
    EXPECT_EQ(bh.meanZ(), 0.0f);
    EXPECT_EQ(bh.FailReason(),
              "No sample has a Z: in every sample with fish at or above Lc (2), their mean length lies at or "
              "above Linf (5).");
    EXPECT_NE(errors.Log().find(bh.FailReason()), std::string::npos);
    EXPECT_EQ(errors.ShownCount(), 0u);
}

TEST(clsBevHoltZ, FailedCalculationsAreLoggedAndHoldNoResult) {
    struct Case {
        const char* what;
        std::vector<std::vector<float>> counts;
        float K, Linf, lc;
        const char* reason;
    };
    const std::vector<float> empty(8, 0.0f);
    const Case cases[] = {
        {"K 0", kTwoSamples, 0, 30, 14, "K must be greater than 0"},
        {"Linf 0", kTwoSamples, 1, 0, 14, "Linf must be greater than 0"},
        {"Lc above the classes", kTwoSamples, 1, 40, 27, "lies above the length classes"},
        {"Lc at Linf", kTwoSamples, 1, 20, 20, "must lie below Linf"},
        {"classes all at or above Linf", kTwoSamples, 1, 10, 4, "Every length class lies at or above Linf"},
        {"no fish at or above Lc", {empty, empty}, 1, 30, 14, "No sample has fish at or above Lc"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ErrorCapture errors;
        clsVorn good, v;
        Fill(good, 10, 2, kTwoSamples);
        Fill(v, 10, 2, c.counts);
        clsBevHoltZ bh;
        bh.InitialiseMe(good);
        float lc = 14;
        ASSERT_TRUE(bh.CalculateMortality(1, 30, lc));  // a result first: the failure must not leave it
        bh.InitialiseMe(v);
        lc = c.lc;
        EXPECT_FALSE(bh.CalculateMortality(c.K, c.Linf, lc));
        EXPECT_FALSE(bh.Calculated());
        EXPECT_NE(bh.FailReason().find(c.reason), std::string::npos) << bh.FailReason();
        EXPECT_EQ(bh.meanZ(), 0.0f);
        EXPECT_EQ(bh.StdErrZ(), 0.0f);
        // Logged, not shown.
        EXPECT_EQ(errors.ShownCount(), 0u);
        EXPECT_NE(errors.Log().find(c.reason), std::string::npos);
    }
}

TEST(clsBevHoltZ, DataSetWithoutSamplesIsRefused) {
    ErrorCapture errors;
    clsVorn v;
    v.setMinLength(10);
    v.setClassSize(2);
    v.ResizeData(0, 8);
    clsBevHoltZ bh;
    bh.InitialiseMe(v);
    float lc = 14;
    EXPECT_FALSE(bh.CalculateMortality(1, 30, lc));
    EXPECT_EQ(bh.FailReason(), "The data set has no samples.");
}

}  // namespace
