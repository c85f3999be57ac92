// The length-converted catch curve on small data sets worked by hand, and on data sets
// whose catch falls exactly as exp(-Z t).
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <functional>
#include <vector>

#include "ErrorCapture.h"
#include "MortalityFixtures.h"
#include "clsLCCurve.h"
#include "clsVorn.h"
#include "modZReg.h"
#include "vb/VbError.h"

using mortalitytest::Fill;

namespace {

constexpr float kNoValue = IZReg::kNoValue;

// Classes 0-20, ..., 100-120 with K 0.5 and Linf 100: the class at 100 lies at Linf
// (age 0), so the class before it has a negative duration. Ages -ln(1 - L/100)/0.5.
class CatchCurve : public ::testing::Test {
protected:
    void SetUp() override {
        Fill(ds, 0.0f, 20.0f, {{10, 30, 25, 20, 15, 0}, {10, 0, 25, 20, 15, 30}}, {0.1f, 0.6f});
        cc.Create(ds, 0.5f, 100.0f);
    }
    ErrorCapture errors;
    clsVorn ds;
    clsLCCurve cc;
};

// Counts of one distribution whose ln(percentage / duration) is exactly c - z * mid-age.
std::vector<float> ExponentialCatch(const clsLCCurve& shape, float z, int16_t nc) {
    std::vector<float> n;
    for (int16_t j = 1; j <= nc; ++j) {
        const double d = shape.Duration(j) > 0 ? shape.Duration(j) : 0.0;
        n.push_back(static_cast<float>(1000.0 * d * std::exp(-z * shape.XData(j))));
    }
    return n;
}

TEST_F(CatchCurve, AgesDurationsPercentagesAndPointsWorkedByHand) {
    EXPECT_EQ(cc.ZType(), 0);
    EXPECT_EQ(cc.NumPoints(), 6);
    EXPECT_EQ(cc.NumDists(), 2);
    const struct {
        float lower, mid, duration;
    } classes[] = {
        {0.0f, 0.2107210f, 0.4462871f},
        {0.4462871f, 0.7133499f, 0.5753641f},
        {1.0216512f, 1.3862944f, 0.8109302f},
        {1.8325815f, 2.4079456f, 1.3862944f},
        {3.2188758f, 4.6051702f, -3.2188758f},  // the next class starts at Linf: age 0
        {0.0f, 0.0f, 0.0f},                     // at Linf; the last class keeps duration 0
    };
    for (int16_t j = 1; j <= 6; ++j) {
        SCOPED_TRACE(j);
        const auto& c = classes[j - 1];
        EXPECT_NEAR(cc.LowerAge(j), c.lower, 2e-6f * (1 + c.lower));
        EXPECT_NEAR(cc.XData(j), c.mid, 2e-6f * (1 + c.mid));
        EXPECT_NEAR(cc.Duration(j), c.duration, 2e-6f * (1 + std::fabs(c.duration)));
    }

    // y = ln(percentage / duration); no value for a count of 0, a duration not above 0
    // and the last class, and such points start excluded.
    const float y1[] = {3.1093779f, 3.9539495f, 3.4284491f, 2.6690980f, kNoValue, kNoValue};
    const float y2[] = {3.1093779f, kNoValue, 3.4284491f, 2.6690980f, kNoValue, kNoValue};
    for (int16_t j = 1; j <= 6; ++j) {
        SCOPED_TRACE(j);
        EXPECT_EQ(cc.Percentage(1, j), ds.Dists(1, j));  // both totals are 100
        for (auto [d, y] : {std::pair{1, y1[j - 1]}, std::pair{2, y2[j - 1]}}) {
            if (y == kNoValue) {
                EXPECT_EQ(cc.YData(d, j), kNoValue);
                EXPECT_FALSE(cc.ToggledIn(d, j));
            } else {
                EXPECT_NEAR(cc.YData(d, j), y, 2e-6f * y);
                EXPECT_TRUE(cc.ToggledIn(d, j));
            }
        }
    }
}

TEST_F(CatchCurve, ZIsMinusTheSlopeOverTheIncludedPoints) {
    // Least squares through (mid-age, y) of the included classes, worked by hand.
    const auto z1 = cc.DistResults(1);
    const auto z2 = cc.DistResults(2);
    ASSERT_TRUE(z1 && z2);
    EXPECT_NEAR((*z1)(1), 0.3208038f, 2e-6f);
    EXPECT_NEAR((*z2)(1), 0.1886106f, 2e-6f);
    const auto line = cc.FittedLine(1);
    ASSERT_TRUE(line);
    EXPECT_NEAR(line->A, 3.6686316f, 4e-6f);
    EXPECT_FLOAT_EQ(line->B, -(*z1)(1));
    EXPECT_FLOAT_EQ(*cc.FittedY(1, 2), cc.XData(2) * line->B + line->A);
    EXPECT_FALSE(cc.FittedY(1, 6));  // the last class has no fitted value

    const auto m = cc.MeanAndSE();
    ASSERT_TRUE(m);
    EXPECT_NEAR((*m)(1), (0.3208038f + 0.1886106f) / 2, 2e-6f);
    EXPECT_NEAR((*m)(2), (0.3208038f - 0.1886106f) / 2, 2e-6f);  // sd |z1 - z2|/sqrt(2), over sqrt(2)
}

TEST_F(CatchCurve, PointsWithoutValueAndTheLastClassNeverEnterAFit) {
    const float before = (*cc.DistResults(2))(1);
    cc.setToggledIn(2, 2, true);  // count 0
    cc.setToggledIn(2, 5, true);  // negative duration
    cc.setToggledIn(2, 6, true);  // the last class
    EXPECT_TRUE(cc.ToggledIn(2, 6));
    EXPECT_EQ((*cc.DistResults(2))(1), before);
}

TEST_F(CatchCurve, ARefitChangesOnlyItsDistributionAndTheMeansFollow) {
    const float z2 = (*cc.DistResults(2))(1);
    const auto line2 = *cc.FittedLine(2);
    cc.setToggledIn(1, 2, false);
    // Without class 2 the points are (0.2107, 3.1094), (1.3863, 3.4284), (2.4079, 2.6691).
    const auto z1 = cc.DistResults(1);
    ASSERT_TRUE(z1);
    EXPECT_NEAR((*z1)(1), 0.1886106f, 2e-6f);
    EXPECT_EQ(cc.FittedLine(2)->B, line2.B);
    EXPECT_EQ(cc.FittedLine(2)->A, line2.A);
    EXPECT_EQ((*cc.DistResults(2))(1), z2);
    const auto m = cc.MeanAndSE();
    EXPECT_NEAR((*m)(1), 0.1886106f, 2e-6f);
    EXPECT_NEAR((*m)(2), 0.0f, 1e-6f);  // two equal values
}

TEST_F(CatchCurve, TwoPointsGiveTheirLineAndFewerNoResult) {
    // Sample 2 without class 1: the line through (1.3862944, 3.4284491) and
    // (2.4079456, 2.6690980), Z = 0.7593511 / 1.0216512 = 0.7432586; nothing is logged.
    const float z1 = (*cc.DistResults(1))(1);
    cc.setToggledIn(2, 1, false);
    const auto z2 = cc.DistResults(2);
    ASSERT_TRUE(z2);
    EXPECT_NEAR((*z2)(1), 0.7432586f, 2e-6f);
    EXPECT_NEAR(*cc.FittedY(2, 3), cc.YData(2, 3), 4e-6f);
    EXPECT_NEAR(*cc.FittedY(2, 4), cc.YData(2, 4), 4e-6f);
    EXPECT_NEAR((*cc.MeanAndSE())(1), (z1 + (*z2)(1)) / 2, 2e-6f);
    EXPECT_EQ(errors.Log(), "");

    // One point or none: no result, and out of the means. Putting the points back brings
    // the result back.
    cc.setToggledIn(2, 3, false);
    EXPECT_FALSE(cc.DistResults(2));
    EXPECT_FALSE(cc.FittedLine(2));
    EXPECT_FALSE(cc.FittedY(2, 4));
    cc.setToggledIn(2, 4, false);
    EXPECT_FALSE(cc.DistResults(2));
    const auto m = cc.MeanAndSE();
    ASSERT_TRUE(m);
    EXPECT_EQ((*m)(1), z1);
    EXPECT_EQ((*m)(2), 0.0f);

    for (int16_t j : {1, 2, 3}) cc.setToggledIn(1, j, false);
    EXPECT_FALSE(cc.DistResults(1));
    EXPECT_FALSE(cc.MeanAndSE());

    for (int16_t j : {1, 3, 4}) cc.setToggledIn(2, j, true);
    ASSERT_TRUE(cc.DistResults(2));
    EXPECT_NEAR((*cc.DistResults(2))(1), 0.1886106f, 2e-6f);
    EXPECT_TRUE(cc.MeanAndSE());
}

TEST(CatchCurveFile, ASampleWithTwoPointsHasTheSlopeOfTheirLine) {
    // Sample 2: 25 and 20 of 75 fish in 20-40 and 40-60 (K 0.5, Linf 100): y = ln(100 n / 75
    // / duration) at the mid-ages 0.7133499 and 1.3862944, Z 0.8415589.
    ErrorCapture errors;
    clsVorn ds;
    ds.OpenFile(std::string(TEST_DATA_DIR) + "/cc_two_points.txt");
    clsLCCurve cc;
    cc.Create(ds, 0.5f, 100.0f);
    const auto z = cc.DistResults(2);
    ASSERT_TRUE(z);
    EXPECT_NEAR((*z)(1), 0.8415589f, 2e-6f);
    cc.MeanAndSE();
    EXPECT_EQ(errors.Log(), "");
}

TEST(CatchCurveExact, ExponentialCatchGivesBackZAndTheMeans) {
    ErrorCapture errors;
    // Shape of the classes (K 0.4, Linf 120, classes of 5 from 10), then catches that fall
    // exactly as exp(-Z t): Z 1 and 3 give mean 2 and standard error 1.
    clsVorn shapeSet;
    Fill(shapeSet, 10.0f, 5.0f, {{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}}, {0.0f});
    clsLCCurve shape;
    shape.Create(shapeSet, 0.4f, 120.0f);

    clsVorn ds;
    Fill(ds, 10.0f, 5.0f, {ExponentialCatch(shape, 1.0f, 16), ExponentialCatch(shape, 3.0f, 16)}, {0.0f, 0.5f});
    clsLCCurve cc;
    cc.Create(ds, 0.4f, 120.0f);
    EXPECT_NEAR((*cc.DistResults(1))(1), 1.0f, 2e-5f);
    EXPECT_NEAR((*cc.DistResults(2))(1), 3.0f, 6e-5f);
    const auto m = cc.MeanAndSE();
    EXPECT_NEAR((*m)(1), 2.0f, 5e-5f);
    EXPECT_NEAR((*m)(2), 1.0f, 5e-5f);

    // One distribution: standard error 0.
    clsVorn one;
    Fill(one, 10.0f, 5.0f, {ExponentialCatch(shape, 1.0f, 16)}, {0.0f});
    clsLCCurve single;
    single.Create(one, 0.4f, 120.0f);
    EXPECT_EQ((*single.MeanAndSE())(2), 0.0f);
}

TEST(CatchCurveExact, AYOfExactlyZeroStartsExcludedButKeepsItsValue) {
    ErrorCapture errors;
    // K = -ln(0.8): class 1 (0-20 of Linf 100) takes exactly one year, and 1 fish in 100
    // is 1 percent, so y = ln(1/1) = 0.
    const auto K = static_cast<float>(-std::log(static_cast<double>(0.8f)));
    clsVorn ds;
    Fill(ds, 0.0f, 20.0f, {{1, 40, 30, 20, 9, 0}}, {0.0f});
    clsLCCurve cc;
    cc.Create(ds, K, 100.0f);
    ASSERT_EQ(cc.Duration(1), 1.0f);
    EXPECT_EQ(cc.YData(1, 1), 0.0f);
    EXPECT_FALSE(cc.ToggledIn(1, 1));
    EXPECT_TRUE(cc.ToggledIn(1, 2));
    const float without = (*cc.DistResults(1))(1);
    cc.setToggledIn(1, 1, true);
    EXPECT_NE((*cc.DistResults(1))(1), without);
}

TEST(CatchCurveExact, EmptyDistributionHasNoValuesAndNoResult) {
    ErrorCapture errors;
    clsVorn ds;
    Fill(ds, 0.0f, 20.0f, {{10, 30, 25, 20, 15, 0}, {0, 0, 0, 0, 0, 0}}, {0.0f, 0.5f});
    clsLCCurve cc;
    cc.Create(ds, 0.5f, 100.0f);
    for (int16_t j = 1; j <= 6; ++j) {
        EXPECT_EQ(cc.YData(2, j), kNoValue);
        EXPECT_FALSE(cc.ToggledIn(2, j));
        EXPECT_EQ(cc.Percentage(2, j), 0.0f);
    }
    EXPECT_FALSE(cc.DistResults(2));
    EXPECT_EQ((*cc.MeanAndSE())(1), (*cc.DistResults(1))(1));
}

TEST(CatchCurveExact, RefusesWhatCannotBeFitted) {
    ErrorCapture errors;
    clsVorn ds;
    Fill(ds, 0.0f, 20.0f, {{10, 30, 25, 20, 15, 0}}, {0.0f});
    clsVorn atLinf;  // every class at or above Linf 50
    Fill(atLinf, 50.0f, 10.0f, {{5, 4, 3, 2}, {1, 2, 3, 4}}, {0.0f, 1.0f});
    clsVorn oneClass;  // one class below Linf with a duration, and the last one
    Fill(oneClass, 0.0f, 60.0f, {{5, 4, 3}}, {0.0f});
    clsVorn empty;
    clsVorn allZero;
    Fill(allZero, 0.0f, 20.0f, {{0, 0, 0, 0, 0, 0}}, {0.0f});
    const struct {
        const char* what;
        const clsVorn& set;
        float K, Linf;
        const char* text;
    } cases[] = {
        {"K 0", ds, 0.0f, 100.0f, "K must be greater than 0."},
        {"K negative", ds, -0.5f, 100.0f, "K must be greater than 0."},
        {"Linf 0", ds, 0.5f, 0.0f, "Linf must be greater than 0."},
        {"no data", empty, 0.5f, 100.0f, "The data set has no samples or no length classes."},
        {"all at or above Linf", atLinf, 0.5f, 50.0f, "No distribution could be fitted"},
        {"one class below Linf", oneClass, 0.5f, 100.0f, "No distribution could be fitted"},
        {"empty sample", allZero, 0.5f, 100.0f, "No distribution could be fitted"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        clsLCCurve cc;
        try {
            cc.Create(c.set, c.K, c.Linf);
            ADD_FAILURE() << "accepted";
        } catch (const VbError& e) {
            EXPECT_EQ(e.Number, 1009);
            EXPECT_EQ(e.Description.rfind(c.text, 0), 0u) << e.Description;
        }
    }
}

TEST_F(CatchCurve, IndicesOutsideTheDataRaiseSubscriptErrors) {
    for (auto call : std::vector<std::function<void()>>{
             [&] { cc.YData(0, 1); }, [&] { cc.YData(3, 1); }, [&] { cc.YData(1, 7); },
             [&] { cc.ToggledIn(1, 0); }, [&] { cc.setToggledIn(3, 1, true); }, [&] { cc.XData(7); },
             [&] { cc.DistResults(3); }}) {
        try {
            call();
            ADD_FAILURE() << "no error";
        } catch (const VbError& e) {
            EXPECT_EQ(e.Number, 9);
        }
    }
}

TEST(ZRegMeans, StandardErrorOfEqualValuesIsZeroNotAnError) {
    // In single precision 3 x 1.1 leaves the radicand at -1.2E-7.
    const auto m = modZReg::MeanAndSE({1.1f, 1.1f, 1.1f});
    ASSERT_TRUE(m);
    EXPECT_FLOAT_EQ(m->mean, 1.1f);
    EXPECT_EQ(m->se, 0.0f);
    EXPECT_FALSE(modZReg::MeanAndSE({}));
}

TEST(ZRegMeans, NoValueMarkerIsTheSingleWithItsBitPattern) {
    EXPECT_EQ(std::bit_cast<uint32_t>(IZReg::kNoValue), 0x7F7FC99Eu);
}

}  // namespace
