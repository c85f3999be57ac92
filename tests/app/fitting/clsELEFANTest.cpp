// ELEFAN: restructuring of the samples, the score at one t0 and the t0 scans.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "MethFixtures.h"
#include "SyntheticData.h"
#include "clsELEFAN.h"
#include "clsVorn.h"
#include "vb/VbError.h"

namespace {

using methfix::Fill;
using methfix::OneBased;
using methfix::Row;

// The sample values the curve passes over at length L, between class midpoints.
double Contribution(const std::vector<float>& R, int n, float L, float minLength, float cs) {
    const int j = static_cast<int>(std::floor((L - minLength) / cs)) + 1;
    const double f = (L - (minLength + (j - 1) * cs)) / cs;
    if (f >= 0.5) return (1.5 - f) * R[j] + (j < n ? (f - 0.5) * R[j + 1] : 0.0);
    return (f + 0.5) * R[j] + (j > 1 ? (0.5 - f) * R[j - 1] : 0.0);
}

float Length(const clsVorn& ds, float t, float K, float Linf, float t0) {
    float L = 0;
    ds.LengthFunc(0, t, K, Linf, t0, 0.6f, 0.2f, 0.3f, L);
    return L;
}

}  // namespace

TEST(ELEFANRestructure, MovingAverageWidthRule) {
    // nearest integer of span/5, made odd, at least 5
    const struct { int span, w; } cases[] = {{1, 5}, {12, 5}, {24, 5}, {28, 7}, {35, 7},
                                             {38, 9}, {48, 11}, {60, 13}};
    for (const auto& c : cases) EXPECT_EQ(clsELEFAN::MovingAverageWidth(c.span), c.w) << c.span;
}

TEST(ELEFANRestructure, HandWorkedSamples) {
    // Worked by hand with w = 5 (h = 2).
    const struct {
        const char* what;
        std::vector<float> F, R;
        float asp;
    } cases[] = {
        // A lone spike: MA 2 on classes 3..7, R = 4 divided by 2^4 for its four empty
        // neighbours, by sqrt(1 + 2/4); the troughs (-1/8 / sqrt(1.5)) scaled by 0.5.
        {"spike", {0, 0, 0, 0, 10, 0, 0, 0, 0},
         {0, 0, -0.0510310f, -0.0510310f, 0.2041241f, -0.0510310f, -0.0510310f, 0, 0}, 0.2041241f},
        // Flat counts: the edge classes average over 3 classes but divide by 5, so they come
        // out as peaks (halved for each neighbour beyond the ends); two runs, two maxima.
        {"flat", {5, 5, 5, 5, 5, 5, 5, 5},
         {0.0804882f, 0.0079899f, -0.0442391f, -0.0442391f, -0.0442391f, -0.0442391f, 0.0079899f,
          0.0804882f},
         0.1609764f},
        // Two modes: ASP is the sum of the two peak values.
        {"two modes", {1, 4, 9, 4, 1, 0, 2, 6, 2},
         {-0.1404734f, -0.0071343f, 1.0272436f, -0.0071343f, -0.3045183f, -0.8085490f, -0.0756616f,
          0.3378316f, -0.0216043f},
         1.3650752f},
        // No fish: nothing to restructure.
        {"empty", {0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}, 0.0f},
    };
    for (const auto& c : cases) {
        const int n = static_cast<int>(c.F.size());
        std::vector<float> R;
        const float asp = clsELEFAN::Restructure(OneBased(c.F), n, 5, R);
        EXPECT_NEAR(asp, c.asp, 2e-6) << c.what;
        double sum = 0;
        for (int j = 1; j <= n; ++j) {
            EXPECT_NEAR(R[j], c.R[j - 1], 2e-6) << c.what << " class " << j;
            sum += R[j];
        }
        EXPECT_NEAR(sum, 0.0, 1e-6) << c.what << ": troughs balance the peaks";
    }
}

TEST(ELEFANRestructure, CreateRestructuresBothCopiesAndLeavesTheCallersSetAlone) {
    clsVorn ds;
    Fill(ds, 10.0f, 2.0f, {0.25f, 0.75f},
         {{0, 0, 0, 0, 10, 0, 0, 0, 0}, {1, 4, 9, 4, 1, 0, 2, 6, 2}});
    clsELEFAN m;
    m.Create(ds);
    // Occupied span 9 classes: w = 5, as in the hand-worked samples above.
    EXPECT_NEAR(m.LFD().Dists(1, 5), 0.2041241f, 2e-6);
    EXPECT_NEAR(m.LFD().ASP(1), 0.2041241f, 2e-6);
    EXPECT_NEAR(m.LFD().ASP(2), 1.3650752f, 2e-6);
    EXPECT_EQ(ds.Dists(1, 5), 10.0f);
    EXPECT_EQ(ds.ASP(1), 0.0f);
}

TEST(ELEFANRestructure, SpanCountsClassesWhoseRoundedSumIsNotZero) {
    // Classes 2..28 hold fish: span 27, w = 5. Class 1's counts are summed with rounding
    // (halves to even) after each addition; when they vanish it is empty and w stays 5,
    // otherwise the span is 28 and w = 7.
    const struct { float a, b; int w; } cases[] = {{0.3f, 0.3f, 5}, {0.5f, 0.5f, 5},
                                                   {0.6f, 0.0f, 7}, {0.5f, 1.0f, 7}};
    for (const auto& c : cases) {
        std::vector<std::vector<float>> counts(2, std::vector<float>(30, 0.0f));
        for (int j = 1; j < 28; ++j) {
            counts[0][j] = static_cast<float>(1 + (j * 7) % 5);
            counts[1][j] = static_cast<float>(1 + (j * 3) % 4);
        }
        counts[0][0] = c.a;
        counts[1][0] = c.b;
        clsVorn ds;
        Fill(ds, 0.0f, 1.0f, {0.2f, 0.6f}, counts);
        clsELEFAN m;
        m.Create(ds);
        for (int16_t i = 1; i <= 2; ++i) {
            std::vector<float> R;
            clsELEFAN::Restructure(Row(ds, i), 30, c.w, R);
            for (int16_t j = 1; j <= 30; ++j)
                ASSERT_EQ(m.LFD().Dists(i, j), R[j]) << c.a << "," << c.b << " sample " << i;
        }
    }
}

TEST(ELEFANRestructure, LargeClassTotalsAndEmptySamplesAreAccepted) {
    // 40000 fish in one class over all samples, and a sample without fish.
    clsVorn ds;
    Fill(ds, 0.0f, 1.0f, {0.1f, 0.5f, 0.9f},
         {{0, 100, 20000, 300, 5, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0, 0}, {0, 50, 20000, 10, 0, 1, 2, 0}});
    clsELEFAN m;
    ASSERT_NO_THROW(m.Create(ds));
    for (int16_t j = 1; j <= 8; ++j) EXPECT_EQ(m.LFD().Dists(2, j), 0.0f);
    EXPECT_EQ(m.LFD().ASP(2), 0.0f);
    EXPECT_GT(m.LFD().ASP(1), 0.0f);

    // The empty sample adds nothing: the same score as the set without it.
    clsVorn without;
    Fill(without, 0.0f, 1.0f, {0.1f, 0.9f},
         {{0, 100, 20000, 300, 5, 0, 0, 0}, {0, 50, 20000, 10, 0, 1, 2, 0}});
    clsELEFAN m2;
    m2.Create(without);
    for (float K : {0.3f, 1.0f}) {
        float s1 = 0, t1 = 0, s2 = 0, t2 = 0;
        m.CalcScoreT0(K, 9.0f, s1, t1);
        m2.CalcScoreT0(K, 9.0f, s2, t2);
        EXPECT_EQ(s1, s2);
        EXPECT_EQ(t1, t2);
    }
}

TEST(ELEFANRestructure, ArithmeticFailureRaisesClassFailedToInitialise) {
    // Negative counts (text files allow them) whose quotients sum to 0: the mean quotient is
    // 0 and the division by it fails.
    clsVorn ds;
    Fill(ds, 0.0f, 1.0f, {0.5f}, {{3, 0, 0, -5, 0, 0, 0, 0, 0}});
    clsELEFAN m;
    try {
        m.Create(ds);
        FAIL() << "no error";
    } catch (const VbError& e) {
        EXPECT_EQ(e.Number, 10);
        EXPECT_EQ(e.Source, "clsELEFAN");
        EXPECT_EQ(e.Description, "Class Failed to Initialise");
    }
    EXPECT_EQ(ds.Dists(1, 4), -5.0f);
}

// ---- score at one t0 ----

class ELEFANScore : public ::testing::Test {
protected:
    // Classes 0..9 of width 1, one sample at time 0.5.
    void SetUp() override {
        Fill(ds, 0.0f, 1.0f, {0.5f}, {{1, 4, 9, 4, 1, 0, 2, 6, 2}});
        m.Create(ds);
        R = Row(m.LFD(), 1);
        asp = m.LFD().ASP(1);
    }
    clsVorn ds;
    clsELEFAN m;
    std::vector<float> R;
    float asp = 0;
};

TEST_F(ELEFANScore, InterpolatesBetweenClassMidpoints) {
    // One point per curve: K = 2.408 puts the first point (age 0.5) at 0.7 Linf and the
    // next one beyond 0.95 Linf. Upper and lower half of an inner class and the two edges.
    const float K = 2.4079456f;
    for (float target : {4.75f, 4.25f, 8.8f, 0.3f, 2.5f}) {
        const float Linf = target / 0.7f;
        const float L = Length(ds, 0.5f, K, Linf, 0.0f);
        const double expected = Contribution(R, 9, L, 0.0f, 1.0f) / asp;
        EXPECT_NEAR(m.ScoreAtT0(K, Linf, 0.0f), expected, 1e-6) << target;
    }
}

TEST(ELEFANScoreTrace, EachPeakCountsOncePerSampleTroughsEveryTime) {
    // Classes of 1 from -2 (class 3 is [0, 1)). Nearly linear growth of 0.2 a year puts the
    // points 1..5 in the peak class 3, counted once, and the points 6..20 in the trough
    // classes 4..6, each counted; point 21 (class 7) is never traced.
    clsVorn ds;
    Fill(ds, -2.0f, 1.0f, {0.5f}, {{1, 4, 9, 4, 1, 0, 2, 6, 2}});
    clsELEFAN m;
    m.Create(ds);
    const std::vector<float> R = Row(m.LFD(), 1);
    const float K = 2E-5f, Linf = 10000.0f;
    double expected = 0;
    for (int s = 1; s <= 20; ++s) {
        const float L = Length(ds, 0.5f + static_cast<float>(s - 1), K, Linf, 0.0f);
        const int j = static_cast<int>(std::floor(L + 2.0f)) + 1;
        ASSERT_EQ(j, 3 + (s - 1) / 5) << s;
        if (s == 1 || s > 5) expected += Contribution(R, 9, L, -2.0f, 1.0f);
    }
    ASSERT_GT(R[3], 0.0f);
    ASSERT_LT(R[4], 0.0f);
    EXPECT_NEAR(m.ScoreAtT0(K, Linf, 0.0f), expected / m.LFD().ASP(1), 1e-5);
}

TEST_F(ELEFANScore, StopsAtNinetyFivePercentOfLinf) {
    // The first point already lies at 0.96 Linf (inside the peak class 3): nothing scored.
    const float K = 2.0f * 3.2188758f;   // 1 - exp(-K/2) = 0.96
    EXPECT_EQ(m.ScoreAtT0(K, 2.6f / 0.96f, 0.0f), 0.0f);
}

TEST_F(ELEFANScore, ScoredOnlyForT0InsideMinusOneToOne) {
    EXPECT_EQ(m.ScoreAtT0(0.5f, 20.0f, 1.0001f), -9.99f);
    EXPECT_EQ(m.ScoreAtT0(0.5f, 20.0f, -1.0001f), -9.99f);
    EXPECT_NE(m.ScoreAtT0(0.5f, 20.0f, 1.0f), -9.99f);
    EXPECT_NE(m.ScoreAtT0(0.5f, 20.0f, -1.0f), -9.99f);
}

TEST(ELEFANScoreEdges, ClassJustBelowTheTopOfTheLastClassIsSkipped) {
    // Classes of 0.1 from 0: the top is 0.9 (as a single, 0.900000036) and a length of
    // 0.899999976 lies below it, yet (L - 0)/0.1 rounds to 9, one past the last class.
    clsVorn ds;
    Fill(ds, 0.0f, 0.1f, {0.5f}, {{1, 4, 9, 4, 1, 0, 2, 6, 2}});
    clsELEFAN m;
    m.Create(ds);
    const float K = 0.018f;
    const float target = 0.899999976f;
    // The Linf whose first point (age 0.5) is exactly that length.
    float Linf = static_cast<float>(target / (1.0 - std::exp(-0.009)) * (1.0 - 2E-6));
    bool found = false;
    for (int k = 0; k < 2000 && !found; ++k) {
        Linf = std::nextafter(Linf, 200.0f);
        found = Length(ds, 0.5f, K, Linf, 0.0f) == target;
    }
    ASSERT_TRUE(found);
    ASSERT_EQ(std::floor((target - 0.0f) / 0.1f) + 1, 10.0f);
    ASSERT_LT(target, 0.0f + 9 * 0.1f);
    ASSERT_NE(m.LFD().Dists(1, 9), 0.0f);
    EXPECT_EQ(m.ScoreAtT0(K, Linf, 0.0f), 0.0f);
}

TEST(ELEFANScoreEdges, ZeroWhenNoSampleHasPeaks) {
    clsVorn ds;
    Fill(ds, 0.0f, 1.0f, {0.2f, 0.7f}, {{0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}});
    clsELEFAN m;
    m.Create(ds);
    float score = -1, t0 = -1;
    m.CalcScoreT0(0.5f, 8.0f, score, t0);
    EXPECT_EQ(score, 0.0f);
}

TEST(ELEFANScoreEdges, NonSeasonalCurveIsTheSeasonalOneWithoutAmplitude) {
    // The Hoenig curve with C = 0 is the non-seasonal one: the scores agree exactly.
    synthetic::Growth g;
    g.sampleTimes = synthetic::EvenTimes(6);
    clsVorn ds;
    synthetic::Build(ds, g);
    clsELEFAN m;
    m.Create(ds);
    m.setsC(0.0f);
    for (float K : {0.2f, 0.5f, 1.3f}) {
        for (float Linf : {60.0f, 80.0f, 95.0f}) {
            float s0 = 0, t0 = 0, s1 = 0, t1 = 0;
            m.setGrowthCurve(0);
            m.CalcScoreT0(K, Linf, s0, t0);
            m.setGrowthCurve(1);
            m.CalcScoreT0(K, Linf, s1, t1);
            EXPECT_EQ(s0, s1) << K << " " << Linf;
            EXPECT_EQ(t0, t1) << K << " " << Linf;
        }
    }
}

// ---- t0 scans ----

namespace {

// The scans over a score of our own choosing, recording every t0 asked for.
class ScriptedELEFAN : public clsELEFAN {
public:
    explicit ScriptedELEFAN(float (*f)(float)) : f_(f) {}
    float ScoreAtT0(float, float, float T0) override {
        asked.push_back(T0);
        return f_(T0);
    }
    std::vector<float> asked;

private:
    float (*f_)(float);
};

}  // namespace

TEST(ELEFANT0Scan, FirstOfEqualScoresWins) {
    ScriptedELEFAN m([](float) { return 0.0f; });
    float score = 1, t0 = 1;
    m.CalcScoreT0(1.0f, 50.0f, score, t0);
    EXPECT_EQ(score, 0.0f);
    // coarse best is its first t0, -0.95; the fine scan's first is -0.95 - 0.04
    EXPECT_EQ(t0, static_cast<float>(-0.95f - 0.04));
    ASSERT_EQ(m.asked.size(), 19u + 9u);
    EXPECT_EQ(m.asked.front(), -0.95f);
    EXPECT_NEAR(m.asked[18], -0.05f, 1e-6);
}

TEST(ELEFANT0Scan, SingleCountersLoseTheLastFineValueAroundMinusPointOneFive) {
    // Rising up to -0.105, then poor: the coarse best is -0.15. Counted in singles the
    // fine scan from -0.19 stops at -0.12 (8 values), so -0.11 is never tried.
    ScriptedELEFAN m([](float t) { return t <= -0.105f ? t : -10.0f; });
    float score = 0, t0 = 0;
    m.CalcScoreT0(1.0f, 50.0f, score, t0);
    EXPECT_EQ(m.asked.size(), 19u + 8u);
    EXPECT_NEAR(t0, -0.12f, 1e-6);
    EXPECT_EQ(score, t0);

    // Elsewhere the fine scan has its 9 values: best -0.45 at the coarse stage.
    ScriptedELEFAN m2([](float t) { return t <= -0.405f ? t : -10.0f; });
    m2.CalcScoreT0(1.0f, 50.0f, score, t0);
    EXPECT_EQ(m2.asked.size(), 19u + 9u);
    EXPECT_NEAR(t0, -0.41f, 1e-6);
}
