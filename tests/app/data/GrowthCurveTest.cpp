// Growth-curve lengths, Pauly growing time and the lower ages of the class bounds.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "../../dlls/Vorn5_Solver/ErrorCapture.h"
#include "clsVorn.h"
#include "ErrorNumber.h"

namespace {

using testsupport::ErrorNumberOf;

float Length(const clsVorn& v, int32_t type, float t, float K, float Linf, float t0, float Ts, float C,
             float NGT)
{
    float L = -1.0f;
    v.LengthFunc(type, t, K, Linf, t0, Ts, C, NGT, L);
    return L;
}

// A data set with the given class bounds (entry 1 first) and one empty sample.
void SetBounds(clsVorn& v, const std::vector<float>& bounds)
{
    v.ResizeData(1, static_cast<int16_t>(bounds.size() - 1));
    for (std::size_t j = 0; j < bounds.size(); ++j) v.setLBounds(static_cast<int16_t>(j + 1), bounds[j]);
}

std::vector<float> Bounds(float from, float step, int count)
{
    std::vector<float> b;
    for (int i = 0; i < count; ++i) b.push_back(from + step * static_cast<float>(i));
    return b;
}

class GrowthCurveTest : public ::testing::Test {
protected:
    GrowthCurveTest() { SetBounds(set, Bounds(0.0f, 10.0f, 11)); }
    ErrorCapture capture;
    clsVorn set;
};

TEST_F(GrowthCurveTest, LengthFuncDispatch)
{
    const float K = 0.5f, Linf = 100.0f, t0 = -0.2f, Ts = 0.3f, C = 0.6f;
    // At t0 every form starts from length 0.
    EXPECT_EQ(Length(set, 0, t0, K, Linf, t0, Ts, C, 0.3f), 0.0f);
    for (float c : {0.0f, 0.6f, 1.0f}) EXPECT_EQ(Length(set, 1, t0, K, Linf, t0, Ts, c, 0.3f), 0.0f) << c;

    EXPECT_FLOAT_EQ(Length(set, 0, 1.8f, K, Linf, t0, Ts, C, 0.3f), 100.0f * (1.0f - std::exp(-1.0f)));
    // Hoenig without amplitude is the plain curve.
    for (float t : {0.1f, 0.7f, 2.45f})
        EXPECT_FLOAT_EQ(Length(set, 1, t, K, Linf, t0, Ts, 0.0f, 0.0f), Length(set, 0, t, K, Linf, t0, Ts, C, 0.0f));

    struct Case {
        const char* name;
        int32_t type;
        float t, C, NGT;
        float expected;  // NAN: compared with Hoenig of amplitude 1 instead
    };
    const std::vector<Case> cases = {
        {"Pauly without a no-growth period", 2, 1.3f, 0.2f, 0.0f, NAN},
        {"Pauly without a no-growth period, other age", 2, 3.9f, 0.9f, 0.0f, NAN},
        {"Pauly before birth", 2, -0.1f, C, 0.3f, 1.0f},
        {"Pauly NGT of a whole year", 2, 1.3f, C, 1.0f, 0.0f},
        {"Pauly NGT above a year", 2, 1.3f, C, 1.5f, 0.0f},
        {"unknown curve 3", 3, 1.3f, C, 0.3f, 0.0f},
        {"unknown curve -1", -1, 1.3f, C, 0.3f, 0.0f},
    };
    for (const auto& c : cases) {
        const float L = Length(set, c.type, c.t, K, Linf, t0, Ts, c.C, c.NGT);
        if (std::isnan(c.expected))
            EXPECT_EQ(L, Length(set, 1, c.t, K, Linf, t0, Ts, 1.0f, 0.3f)) << c.name;
        else
            EXPECT_EQ(L, c.expected) << c.name;
    }
}

TEST_F(GrowthCurveTest, PaulyLengthStandsStillDuringTheNoGrowthPeriod)
{
    // NGT 0.3, Ts 0.2: no growth from 0.55 to 0.85 of every year.
    const float K = 0.8f, Linf = 60.0f, t0 = 0.0f, Ts = 0.2f, NGT = 0.3f;
    const float atStart = Length(set, 2, 1.55f, K, Linf, t0, Ts, 0.0f, NGT);
    for (float t : {1.6f, 1.7f, 1.8f, 1.85f}) EXPECT_EQ(Length(set, 2, t, K, Linf, t0, Ts, 0.0f, NGT), atStart) << t;
    float previous = 0.0f;
    for (float t : {0.2f, 0.5f, 1.0f, 1.5f, 1.9f, 2.5f, 4.0f}) {
        const float L = Length(set, 2, t, K, Linf, t0, Ts, 0.0f, NGT);
        EXPECT_GT(L, previous) << t;
        EXPECT_LT(L, Linf) << t;
        previous = L;
    }
}

TEST_F(GrowthCurveTest, CalcTDash)
{
    struct Case {
        float t, NGT, Ts, t0, expected;
    };
    const std::vector<Case> cases = {
        // Period 0.55..0.85 inside the year.
        {1.5f, 0.3f, 0.2f, 0.0f, 1.5f - 0.3f},
        {1.7f, 0.3f, 0.2f, 0.0f, 1.0f + 0.55f - 0.3f},
        {1.9f, 0.3f, 0.2f, 0.0f, 1.9f - 0.6f},
        {0.4f, 0.3f, 0.2f, 0.0f, 0.4f},
        // Period from 0.9 over the turn of the year to 0.3 (Ts -0.4, NGT 0.4): A = -0.1,
        // B = 0.3, and as A < t0 the count of periods is one more than the year.
        {1.2f, 0.4f, -0.4f, 0.0f, 0.6f * 2 - 0.1f},               // inside, after the turn
        {1.3f, 0.4f, -0.4f, 0.0f, 0.6f * 2 - 0.1f},               // its end: continuous
        {1.5f, 0.4f, -0.4f, 0.0f, 0.6f * 2 + 0.5f - 0.3f - 0.1f}, // growing season
        {1.95f, 0.4f, -0.4f, 0.0f, 0.6f * 3 - 0.1f},              // inside, before the turn
        {2.0f, 0.4f, -0.4f, 0.0f, 0.6f * 3 - 0.1f},               // turn of the year
        // With t0 below A the count is the year itself, and the whole growing years
        // between t0 and A are taken off: G = floor((-0.5 + 0.1) / 0.6) * 0.6 = -0.6.
        {1.5f, 0.4f, -0.4f, -0.5f, 0.6f * 1 + 0.5f - 0.3f - 0.1f - 0.6f},
        // Inside the year, t0 = -1: G = floor(1 / 0.7) * 0.7 = 0.7.
        {1.5f, 0.3f, 0.2f, -1.0f, 1.5f - 0.3f - 0.7f},
        // No period: calendar time.
        {2.25f, 0.0f, 0.2f, 0.0f, 2.25f},
    };
    for (const auto& c : cases) {
        float td = -1.0f;
        set.CalcTDash(c.t, c.NGT, c.Ts, c.t0, 0.0f, td);
        EXPECT_NEAR(td, c.expected, 2E-6f) << "t " << c.t << " NGT " << c.NGT << " Ts " << c.Ts << " t0 " << c.t0;
    }
    clsVorn empty;  // no dimensions yet
    float td = -1.0f;
    empty.CalcTDash(1.5f, 0.3f, 0.2f, 0.0f, 0.0f, td);
    EXPECT_EQ(td, 0.0f);
}

TEST_F(GrowthCurveTest, NonSeasonalAgesInClosedForm)
{
    const float K = 0.4f, Linf = 75.0f, t0 = -0.3f;
    set.Calc_Lower_Age_Bounds(0, K, Linf, t0, 0.5f, 0.5f);
    EXPECT_EQ(set.Tmin(1), t0);  // bound 0
    for (int16_t j = 2; j <= 8; ++j) {
        const float lb = set.LBounds(j);
        EXPECT_NEAR(set.Tmin(j), t0 - std::log(1.0 - lb / Linf) / K, 1E-5) << j;
        EXPECT_NEAR(Length(set, 0, set.Tmin(j), K, Linf, t0, 0, 0, 0), lb, 1E-3) << j;
    }
    for (int16_t j = 9; j <= 11; ++j) EXPECT_EQ(set.Tmin(j), -999.99f) << j;  // 80 and more

    SetBounds(set, {10.0f, 75.0f});
    set.Calc_Lower_Age_Bounds(0, K, Linf, t0, 0.5f, 0.5f);
    EXPECT_EQ(set.Tmin(2), -999.99f);  // a bound equal to Linf
}

// Seasonal ages must give back their bounds: the Hoenig curve passes LBounds(j) within
// the solver's tolerance (0.01 years each way) of Tmin(j).
void ExpectSeasonalAges(const clsVorn& v, float K, float Linf, float t0, float Ts, float C, const char* name)
{
    const int16_t n = static_cast<int16_t>(v.NumClasses() + 1);
    for (int16_t j = 1; j <= n; ++j) {
        const float lb = v.LBounds(j), age = v.Tmin(j);
        if (lb >= Linf) {
            EXPECT_EQ(age, -999.99f) << name << " bound " << lb;
        } else if (lb <= 0.0f) {
            EXPECT_EQ(age, t0) << name << " bound " << lb;  // length 0 is reached at t0
        } else {
            EXPECT_LT(Length(v, 1, age - 0.011f, K, Linf, t0, Ts, C, 0), lb) << name << " bound " << lb;
            EXPECT_GT(Length(v, 1, age + 0.011f, K, Linf, t0, Ts, C, 0), lb) << name << " bound " << lb;
        }
    }
}

TEST_F(GrowthCurveTest, SeasonalAgesSatisfyTheCurve)
{
    struct Case {
        const char* name;
        std::vector<float> bounds;
        float K, Linf, t0, Ts, C;
    };
    const std::vector<Case> cases = {
        {"ordinary", Bounds(5.0f, 5.0f, 22), 0.5f, 100.0f, -0.2f, 0.3f, 0.5f},
        {"full amplitude", Bounds(2.0f, 4.0f, 20), 1.2f, 70.0f, 0.1f, 0.7f, 1.0f},
        // A first bound of 0 used to leave the search without a sign to compare with,
        // so a root beyond t0 + 1 (small K) was never bracketed.
        {"first bound 0, small K", Bounds(0.0f, 2.0f, 30), 0.02f, 80.0f, 0.0f, 0.5f, 0.8f},
        // The first age lies below the second one.
        {"first bound 0, t0 below 0", Bounds(0.0f, 1.0f, 32), 0.47f, 33.7f, -0.25f, 0.3f, 0.6f},
        // A negative first bound used to make the search double forever.
        {"negative first bound", Bounds(-2.0f, 2.0f, 25), 0.3f, 60.0f, 0.0f, 0.2f, 0.5f},
        // t0 at or below -1 used to start the doubling at or below 0, forever.
        {"t0 below -1", Bounds(1.0f, 3.0f, 20), 0.6f, 50.0f, -1.5f, 0.4f, 0.7f},
    };
    for (const auto& c : cases) {
        clsVorn v;
        SetBounds(v, c.bounds);
        v.Calc_Lower_Age_Bounds(1, c.K, c.Linf, c.t0, c.Ts, c.C);
        ExpectSeasonalAges(v, c.K, c.Linf, c.t0, c.Ts, c.C, c.name);
    }
    EXPECT_EQ(capture.ShownCount(), 0u);
}

TEST_F(GrowthCurveTest, RefusesGrowthRatesOfZeroOrLess)
{
    for (int32_t seasonal : {0, 1}) {
        for (float K : {0.0f, -0.1f}) {
            set.setTmin(3, 7.0f);
            EXPECT_EQ(ErrorNumberOf([&] { set.Calc_Lower_Age_Bounds(seasonal, K, 75.0f, 0.0f, 0.5f, 0.5f); }), 1009)
                << seasonal << " " << K;
            EXPECT_EQ(set.Tmin(3), 7.0f);
        }
    }
    clsVorn empty;  // without dimensions nothing happens at all
    EXPECT_NO_THROW(empty.Calc_Lower_Age_Bounds(1, 0.0f, 75.0f, 0.0f, 0.5f, 0.5f));
}

TEST_F(GrowthCurveTest, SeasonalSearchGivesUpWhenNoAgeReachesTheBound)
{
    // With K this small the curve never passes 97% of Linf within single range.
    SetBounds(set, {50.0f, 99.0f});
    EXPECT_EQ(ErrorNumberOf([&] { set.Calc_Lower_Age_Bounds(1, 1E-38f, 100.0f, 0.0f, 0.5f, 0.5f); }),
              vbObjectError + 2304);
}

TEST_F(GrowthCurveTest, SolverCallbackAnswersOnlyDuringTheAgeSearch)
{
    float x = 3.0f;
    EXPECT_EQ(set.Fn(x), 0.0f);
    set.Calc_Lower_Age_Bounds(1, 0.5f, 100.0f, 0.0f, 0.3f, 0.5f);
    EXPECT_NE(set.Fn(x), 0.0f);
}

}  // namespace
