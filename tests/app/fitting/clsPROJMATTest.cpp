// PROJMAT score: time transforms, the projection score on hand-made samples, and the t0
// search that maps the phase t0 back to real time.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "MVornGlobs.h"
#include "ErrorNumber.h"
#include "SyntheticData.h"
#include "clsPROJMAT.h"
#include "clsVorn.h"
#include "forms/HeadlessForms.h"
#include "vb/VbError.h"

namespace {

struct Sample {
    float t;
    std::vector<float> counts;
};

// Classes of width 10 from 0, one per count.
void makeSet(clsVorn& ds, const std::vector<Sample>& samples) {
    const auto nc = static_cast<int16_t>(samples.front().counts.size());
    ds.ResizeData(static_cast<int16_t>(samples.size()), nc);
    ds.setMinLength(0.0f);
    ds.setClassSize(10.0f);
    for (int16_t i = 1; i <= static_cast<int16_t>(samples.size()); ++i) {
        ds.setsTime(i, samples[i - 1].t);
        for (int16_t j = 1; j <= nc; ++j) ds.setDists(i, j, samples[i - 1].counts[j - 1]);
    }
    ds.Refresh();
}

class ProjmatTest : public ::testing::Test {
protected:
    void SetUp() override { MVornGlobs::CancelRequested = false; }
    forms::ScopedHeadlessForms forms;
};

}  // namespace

TEST_F(ProjmatTest, TimeTransformsOfTheThreeCurves) {
    struct Case {
        const char* what;
        int32_t curve;
        float C, Ts, NGT;
        std::vector<float> times, expected;
    };
    const Case cases[] = {
        {"non-seasonal", 0, 0.5f, 0.2f, 0.3f, {0.45f, 1.5f}, {0.45f, 1.5f}},
        {"Hoenig with C 0", 1, 0.0f, 0.2f, 0.3f, {0.45f, 1.5f}, {0.45f, 1.5f}},
        // t + C/2pi sin(2pi (t - Ts)) with the method's 2pi 6.2829854
        {"Hoenig", 1, 0.5f, 0.2f, 0.3f, {0.45f, 0.7f}, {0.52958f, 0.7f + 0.5f / 6.2829854f * std::sin(0.5f * 6.2829854f)}},
        // growing times 1.2, 1.25 (inside the no-growth period 0.55..0.85), 1.3
        {"Pauly", 2, 0.2f, 0.2f, 0.3f, {1.5f, 1.7f, 1.9f}, {1.2483685f, 1.2500334f, 1.2516917f}},
        {"unknown curve", 7, 0.5f, 0.2f, 0.3f, {0.45f, 1.5f}, {0.45f, 1.5f}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<Sample> samples;
        for (float t : c.times) samples.push_back({t, {5, 10, 5, 0}});
        clsVorn ds;
        makeSet(ds, samples);
        clsPROJMAT m;
        m.Create(ds);
        int32_t curve = c.curve;
        m.setGrowthCurve(curve);
        m.setsC(c.C);
        m.setsTs(c.Ts);
        m.setsNGT(c.NGT);
        float score = 0, t0 = 0;
        m.CalcScoreT0(0.8f, 60.0f, score, t0);
        for (int16_t i = 1; i <= static_cast<int16_t>(c.times.size()); ++i) {
            EXPECT_NEAR(m.TransformedTime(i), c.expected[i - 1], 2e-6) << i;
            EXPECT_EQ(m.LFD().sTime(i), c.times[i - 1]);   // the real times stay
        }
    }
}

TEST_F(ProjmatTest, ScoreOfHandMadeSamples) {
    struct Case {
        const char* what;
        std::vector<Sample> samples;
        float Linf;
        float score;
        bool rejected;
    };
    const Case cases[] = {
        // Same time: (0.25, 0.75) against (0, 0.5, 0.5): 0.0625 + 0.0625 + 0.25.
        {"two samples at the same time", {{0.5f, {10, 30, 0, 0, 0}}, {0.5f, {0, 20, 20, 0, 0}}}, 100.0f, -0.375f, false},
        // An empty earlier sample has no proportions; its smallest fish is the top of the
        // last class, so the next pair is compared from class 2 or so on: 0.0625 + 0.0625.
        {"empty earlier sample at the same time",
         {{0.5f, {0, 0, 0, 0, 0}}, {0.5f, {0, 20, 20, 0, 0}}, {0.5f, {0, 10, 30, 0, 0}}}, 100.0f, -0.125f, false},
        // An empty later sample: every compared class adds P(j)^2.
        {"empty later sample", {{0.5f, {10, 30, 0, 0, 0}}, {0.5f, {0, 0, 0, 0, 0}}}, 100.0f, -0.625f, false},
        // The earlier sample starts above Linf 25: grown length 25 * 0.99998 lies in class
        // 3, so classes 1 and 2 are left out: T = 30 and (1/3, 1/3 - 1/2, 1/3 - 1/2).
        {"earlier sample above Linf", {{0.2f, {0, 0, 0, 6, 6}}, {0.7f, {5, 5, 10, 10, 10}}}, 25.0f, -1.0f / 6, false},
        {"one sample", {{0.5f, {10, 30, 0, 0, 0}}}, 100.0f, 0.0f, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        clsVorn ds;
        makeSet(ds, c.samples);
        clsPROJMAT m;
        m.Create(ds);
        float score = 1, t0 = 1;
        m.CalcScoreT0(0.8f, c.Linf, score, t0);
        EXPECT_NEAR(score, c.score, 1e-6);
        EXPECT_EQ(m.rejected(), c.rejected);
    }
}

TEST_F(ProjmatTest, SamplesInTheNoGrowthPeriodCompareFromTheClassOfTheSmallestFish) {
    // Pauly curve, NGT 0.6 and Ts 0.1: no growth from 0.3 to 0.9 in the year, so 0.4 and
    // 0.6 have the same growing time (dt = 0). The smallest fish of the first sample (10,
    // the lower bound of class 2) has grown to 10, so class 1 of the second is left out:
    // T = 8 - 4 and (1/4 - 1/2)^2 + (3/4 - 1/2)^2 = 0.125. (Class 1 included would give
    // 0.40625.) With Linf 75 a single-precision 1 - Lmin/Linf put the grown length just
    // below 10.
    clsVorn ds;
    makeSet(ds, {{0.4f, {0, 2, 2, 0}}, {0.6f, {4, 1, 3, 0}}});
    clsPROJMAT m;
    m.Create(ds);
    m.setGrowthCurve(2);
    m.setsNGT(0.6f);
    m.setsTs(0.1f);
    float score = 0, t0 = 0;
    m.CalcScoreT0(0.8f, 75.0f, score, t0);
    ASSERT_EQ(m.TransformedTime(1), m.TransformedTime(2));
    EXPECT_FLOAT_EQ(score, -0.125f);
}

TEST_F(ProjmatTest, ProjectionScoresTheTrueGrowthBest) {
    // Over a whole year the projection error is smallest near the K and Linf that made
    // the data; the score is a negated sum of squares.
    synthetic::Growth g;
    g.sampleTimes = synthetic::EvenTimes(6);
    clsVorn ds;
    synthetic::Build(ds, g);
    clsPROJMAT m;
    m.Create(ds);
    float atTrue = 0, offK = 0, offL = 0, t0 = 0;
    m.CalcScoreT0(g.K, g.Linf, atTrue, t0);
    m.CalcScoreT0(g.K * 1.5f, g.Linf, offK, t0);
    m.CalcScoreT0(g.K, g.Linf * 1.3f, offL, t0);
    EXPECT_LT(atTrue, 0.0f);
    EXPECT_GT(atTrue, offK);
    EXPECT_GT(atTrue, offL);
    EXPECT_FALSE(m.rejected());
}

TEST_F(ProjmatTest, SamplesReadOutOfTimeOrderScoreAsTheSortedFile) {
    // The same 25 samples, in no order and sorted by time by hand: projected from one
    // sample to the next, both are the same set.
    const std::string data = TEST_DATA_DIR;
    clsVorn unsorted, sorted;
    unsorted.OpenFile(data + "/text_unsorted_times.txt");
    sorted.OpenFile(data + "/text_sorted_times.txt");
    for (const auto& [K, Linf] : {std::pair{0.8f, 100.0f}, std::pair{1.2f, 70.0f}}) {
        clsPROJMAT a, b;
        a.Create(unsorted);
        b.Create(sorted);
        float scoreA = 0, scoreB = 1, t0A = 0, t0B = 1;
        a.CalcScoreT0(K, Linf, scoreA, t0A);
        b.CalcScoreT0(K, Linf, scoreB, t0B);
        EXPECT_EQ(scoreA, scoreB) << K << " " << Linf;
        EXPECT_EQ(t0A, t0B) << K << " " << Linf;
        EXPECT_FALSE(a.rejected());
    }
}

TEST_F(ProjmatTest, PaulyCurveNeedsNgtBelowOne) {
    clsVorn ds;
    makeSet(ds, {{0.2f, {10, 30, 0, 0}}, {0.7f, {0, 20, 20, 0}}});
    clsPROJMAT m;
    m.Create(ds);
    int32_t curve = 2;
    m.setGrowthCurve(curve);
    m.setsNGT(1.0f);
    float score = 0, t0 = 0;
    EXPECT_THROW(m.CalcScoreT0(0.8f, 60.0f, score, t0), VbError);
    EXPECT_THROW(m.GetT0(0.8f, 60.0f, t0), VbError);
    // The simplex objective treats it as an infeasible point.
    m.settGridType(0);
    std::vector<double> x{0.0, 0.8, 60.0};
    int32_t n = 2;
    EXPECT_EQ(m.MinFunc(x, n), 1E+10);
    // Below 1 it scores.
    m.setsNGT(0.3f);
    EXPECT_LT(m.MinFunc(x, n), 1E+10);
}

TEST_F(ProjmatTest, GetT0MapsThePhaseBackToRealTime) {
    synthetic::Growth g;
    g.sampleTimes = synthetic::EvenTimes(6);
    clsVorn ds;
    synthetic::Build(ds, g);
    struct Case {
        const char* what;
        int32_t curve;
        float C;
    };
    const Case cases[] = {{"non-seasonal", 0, 0.0f}, {"Hoenig with C 0", 1, 0.0f}, {"Hoenig", 1, 0.6f}, {"Pauly", 2, 0.0f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        clsPROJMAT m;
        m.Create(ds);
        int32_t curve = c.curve;
        m.setGrowthCurve(curve);
        m.setsC(c.C);
        m.setsTs(0.3f);
        m.setsNGT(0.25f);
        float score = 0, phase = 0, t0 = 0;
        m.CalcScoreT0(g.K, g.Linf, score, phase);
        EXPECT_EQ(m.sK(), 1.0f);   // the score leaves the fields alone
        m.GetT0(g.K, g.Linf, t0);
        EXPECT_EQ(m.sK(), g.K);
        EXPECT_EQ(m.sLinf(), g.Linf);
        if (c.curve == 0) {
            EXPECT_EQ(t0, phase);
            EXPECT_NEAR(t0, g.t0, 0.05);
        } else {
            // The real time whose transform is the working (phase) t0, to the solver's
            // tolerance of 0.01 years.
            float x = t0;
            EXPECT_NEAR(m.Fn(x), 0.0f, 0.02f);
            if (c.curve == 1 && c.C == 0) {
                EXPECT_NEAR(t0, phase, 0.01f);
            }
        }
    }
}

TEST_F(ProjmatTest, PaulyScoresDependOnTheCallsBefore) {
    // The Pauly transform reads the working t0 of the last seasonal GetT0; replaying the
    // same calls on a fresh object gives the same numbers, on one thread or with the phase
    // sums beside the projections (40 samples x 50 classes are enough for that), and so
    // does a score that fails (K 0 has no ages).
    synthetic::Growth g;
    g.sampleTimes = synthetic::EvenTimes(40);
    g.NumClasses = 50;
    clsVorn ds;
    synthetic::Build(ds, g);
    auto run = [&](std::vector<float>& out, int32_t threads) {
        clsPROJMAT m;
        m.setThreads(threads);
        m.Create(ds);
        int32_t curve = 2;
        m.setGrowthCurve(curve);
        m.setsNGT(0.3f);
        m.setsTs(-0.4f);   // the no-growth period wraps over the turn of the year
        float s = 0, t = 0;
        m.CalcScoreT0(g.K, g.Linf, s, t);
        out.insert(out.end(), {s, t, m.TransformedTime(1)});
        m.GetT0(g.K * 0.8f, g.Linf, t);
        out.insert(out.end(), {t, m.WorkingT0()});
        m.CalcScoreT0(g.K, g.Linf, s, t);
        out.insert(out.end(), {s, t, m.TransformedTime(1)});
        out.push_back(static_cast<float>(testsupport::ErrorNumberOf([&] { m.CalcScoreT0(0.0f, g.Linf, s, t); })));
    };
    std::vector<float> first, second, besides;
    run(first, 1);
    run(second, 1);
    run(besides, 4);
    EXPECT_EQ(first, second);
    EXPECT_EQ(first, besides);
    EXPECT_EQ(first.back(), 1009.0f);
    EXPECT_NE(first[4], 0.0f);            // GetT0 moved the working t0 ...
    EXPECT_NE(first[2], first[7]);        // ... and with it the transformed times
}

TEST_F(ProjmatTest, InterfaceDetails) {
    clsVorn ds;
    makeSet(ds, {{0.2f, {10, 30, 0, 0}}, {0.7f, {0, 20, 20, 0}}});
    clsPROJMAT m;
    m.Create(ds);
    EXPECT_EQ(m.MethType(), 1);
    EXPECT_EQ(m.sC(), 0.2f);
    m.settGridType(0);
    EXPECT_EQ(std::get<std::string>(m.FixedParam1()), "N/A");
    EXPECT_EQ(std::get<std::string>(m.FixedParam2()), "N/A");
    m.setsTs(0.1f);
    EXPECT_EQ(m.sTs(), 0.1f);   // the seasonal setters store
}
