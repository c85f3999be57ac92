// Grid search and multi-start simplex search, driven through a scripted method whose
// score is a plain function of the parameters it is handed.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include <cmath>
#include <filesystem>
#include <functional>
#include <limits>
#include <vector>

#include "HeadlessProgressView.h"
#include "SearchFixture.h"
#include "SyntheticData.h"
#include "chart/HeadlessChart.h"
#include "clsPROJMAT.h"
#include "clsVorn.h"
#include "MVornGlobs.h"
#include "clsLFDSearch.h"
#include "clsMethBase.h"
#include "forms/HeadlessForms.h"
#include "vb/VbError.h"
#include "vb/VbRuntime.h"

namespace {

struct Call {
    float K, Linf, C, Ts, NGT;
};

struct Shape {
    int32_t shape;
    double x, y;
};

// A method whose score is score(K, Linf, method); it records what the search does to it.
class FakeMeth : public clsMethBase {
public:
    explicit FakeMeth(int32_t methType = 2) : type_(methType) {
        setsK(0.5f);
        setsLinf(60.0f);
    }

    std::function<float(float K, float Linf, const FakeMeth& m)> score =
        [](float, float, const FakeMeth&) { return 0.0f; };
    std::function<void()> onScore;
    std::vector<Call> scored;
    std::vector<Call> t0Asked;
    std::vector<Shape> shapes;
    int resets = 0;
    bool failGetT0 = false;
    // Makes the search see PlotEvals set without a contour plot behind it (the path
    // itself is then not drawn, the markers still reach ShowShapeOnContourPLot).
    bool markers = false;
    bool PlotEvals() const override { return markers || clsMethBase::PlotEvals(); }

    void CalcScoreT0(float K, float Linf, float& Score, float& T0) override {
        if (onScore) onScore();
        scored.push_back({K, Linf, C_, Ts_, NGT_});
        Score = score(K, Linf, *this);
        T0 = -0.5f;
    }
    void GetT0(float K, float Linf, float& T0) override {
        if (failGetT0) vb::Raise(11, "FakeMeth");
        t0Asked.push_back({K, Linf, C_, Ts_, NGT_});
        T0 = -K / 10;   // something to tell the calls apart
    }
    int32_t MethType() const override { return type_; }
    void ShowShapeOnContourPLot(double, int32_t Shape, double X, double Y) override {
        shapes.push_back({Shape, X, Y});
    }
    void ResetMinimLine() override {
        ++resets;
        clsMethBase::ResetMinimLine();
    }

private:
    int32_t type_;
};

// A smooth single peak of height `top` at (k, l).
auto peak(float k, float l, float top) {
    return [=](float K, float Linf, const FakeMeth&) {
        const float dk = (K - k) / 0.2f, dl = (Linf - l) / 20.0f;
        return top - dk * dk - dl * dl;
    };
}

using SearchTest = SearchFixture;

}  // namespace

TEST_F(SearchTest, NodeRuleByGridType) {
    struct Case {
        int32_t gridType;
        // what node (p1, p2) = (1.5, 0.25) hands to the score and writes into the method
        Call expected;
    };
    // K0 = 0.5, L0 = 60; the method starts with C 0, Ts 0.6, NGT 0.3.
    const Case cases[] = {
        {0, {1.5f, 0.25f, 0.0f, 0.6f, 0.3f}},
        {1, {1.5f, 60.0f, 0.0f, 0.6f, 0.25f}},
        {2, {0.5f, 60.0f, 1.5f, 0.25f, 0.3f}},
        {3, {1.5f, 60.0f, 0.25f, 0.6f, 0.3f}},
        {4, {0.5f, 60.0f, 0.0f, 0.25f, 1.5f}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.gridType);
        FakeMeth m;
        m.setsC(0.0f);
        clsLFDSearch s;
        ASSERT_TRUE(s.GridSearch(m, c.gridType, 1.5f, 1.5f, 1, 0.25f, 0.25f, 1));
        ASSERT_EQ(m.scored.size(), 1u);
        for (const auto& got : {m.scored[0], m.t0Asked.at(0)}) {
            EXPECT_EQ(got.K, c.expected.K);
            EXPECT_EQ(got.Linf, c.expected.Linf);
            EXPECT_EQ(got.C, c.expected.C);
            EXPECT_EQ(got.Ts, c.expected.Ts);
            EXPECT_EQ(got.NGT, c.expected.NGT);
        }
        EXPECT_EQ(s.GridType(), c.gridType);
    }
    FakeMeth m;
    clsLFDSearch s;
    EXPECT_THROW(s.GridSearch(m, 5, 1, 2, 2, 1, 2, 2), VbError);
}

TEST_F(SearchTest, GridNodesScoresAndBestWorst) {
    FakeMeth m;
    m.score = peak(0.7f, 50.0f, 1.0f);
    clsLFDSearch s;
    ASSERT_TRUE(s.GridSearch(m, 0, 0.1f, 1.0f, 10, 30.0f, 75.0f, 10));
    // Nodes in loop order: parameter 1 outer, parameter 2 inner, steps 0.1 and 5.
    ASSERT_EQ(m.scored.size(), 100u);
    EXPECT_FLOAT_EQ(m.scored[0].K, 0.1f);
    EXPECT_FLOAT_EQ(m.scored[1].Linf, 35.0f);
    EXPECT_FLOAT_EQ(m.scored[10].K, 0.2f);
    EXPECT_FLOAT_EQ(m.scored[99].K, 1.0f);
    EXPECT_FLOAT_EQ(m.scored[99].Linf, 75.0f);

    EXPECT_TRUE(s.IsFitted());
    EXPECT_EQ(s.BestP1Eval(), 7);
    EXPECT_EQ(s.BestP2Eval(), 5);
    EXPECT_FLOAT_EQ(s.P1(), 0.7f);
    EXPECT_FLOAT_EQ(s.P2(), 50.0f);
    EXPECT_NEAR(s.MaxScore(), 1.0f, 1e-5);
    EXPECT_FLOAT_EQ(s.TZero(), -0.07f);   // GetT0 of the best node
    EXPECT_EQ(s.WorstP1Eval(), 1);
    EXPECT_EQ(s.WorstP2Eval(), 10);
    EXPECT_EQ(s.P1Evals(), 10);
    EXPECT_EQ(s.P2Evals(), 10);
    EXPECT_EQ(s.P1Lo(), 0.1f);
    EXPECT_EQ(s.P2Hi(), 75.0f);
    EXPECT_FALSE(s.OnBoundary());
    ASSERT_TRUE(s.GridResults(7, 5).has_value());
    EXPECT_DOUBLE_EQ(*s.GridResults(7, 5), m.score(s.P1(), s.P2(), m));
    EXPECT_FALSE(s.GridResults(0, 1).has_value());
    EXPECT_FALSE(s.GridResults(11, 1).has_value());
    EXPECT_FALSE(s.GridResults(1, 11).has_value());
    EXPECT_FALSE(clsLFDSearch().GridResults(1, 1).has_value());
}

TEST_F(SearchTest, TiesKeepTheFirstNodeInLoopOrder) {
    struct Case {
        std::function<float(float, float, const FakeMeth&)> score;
        int32_t bestI, bestJ, worstI, worstJ;
        size_t t0Calls;
    };
    const Case cases[] = {
        // flat: the first node is best and worst, and t0 is asked once
        {[](float, float, const FakeMeth&) { return 2.0f; }, 1, 1, 1, 1, 1},
        // equal maxima at (2, 3) and (3, 1): the smaller i wins over the smaller j
        {[](float K, float L, const FakeMeth&) {
             return ((K == 2 && L == 3) || (K == 3 && L == 1)) ? 5.0f : (K == 1 && L == 1 ? -1.0f : 0.0f);
         },
         2, 3, 1, 1, 3},
        // equal maxima within one row: the smaller j wins
        {[](float K, float L, const FakeMeth&) { return K == 3 && L >= 2 ? 1.0f : 0.0f; }, 3, 2, 1, 1, 2},
    };
    for (const Case& c : cases) {
        FakeMeth m;
        m.score = c.score;
        clsLFDSearch s;
        ASSERT_TRUE(s.GridSearch(m, 0, 1, 3, 3, 1, 3, 3));
        EXPECT_EQ(s.BestP1Eval(), c.bestI);
        EXPECT_EQ(s.BestP2Eval(), c.bestJ);
        EXPECT_EQ(s.WorstP1Eval(), c.worstI);
        EXPECT_EQ(s.WorstP2Eval(), c.worstJ);
        EXPECT_EQ(m.t0Asked.size(), c.t0Calls);
    }
}

TEST_F(SearchTest, CornerTest) {
    struct Case {
        float p1, p2;
        bool onBoundary;
    };
    // rectangle K 0.1..1.0, Linf 30..75
    const Case cases[] = {
        {0.1f + 0.0005f, 75.0f - 0.05f, true},
        {0.1f - 0.0005f, 30.0f + 0.05f, true},
        {1.0f, 75.0f, true},
        {0.1f, 50.0f, false},      // on the K edge only
        {0.5f, 30.0f, false},      // on the Linf edge only
        {0.1f + 0.002f, 30.0f, false},
        {1.0f, 75.0f - 0.2f, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(clsLFDSearch::CheckOnBoundary(c.p1, c.p2, 0.1f, 1.0f, 30.0f, 75.0f), c.onBoundary)
            << c.p1 << " " << c.p2;

    FakeMeth m;
    m.score = peak(0.1f, 75.0f, 1.0f);   // best node in the corner
    clsLFDSearch s;
    ASSERT_TRUE(s.GridSearch(m, 0, 0.1f, 1.0f, 4, 30.0f, 75.0f, 4));
    EXPECT_TRUE(s.OnBoundary());
}

TEST_F(SearchTest, GridFailures) {
    struct Case {
        const char* what;
        std::function<float(float, float, const FakeMeth&)> score;
    };
    const Case cases[] = {
        {"score raises", [](float, float, const FakeMeth&) -> float { vb::Raise(11, "x"); }},
        {"no node above the floor", [](float, float, const FakeMeth&) { return -1E+10f; }},
        {"NaN score", [](float, float, const FakeMeth&) { return std::numeric_limits<float>::quiet_NaN(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakeMeth m;
        m.score = c.score;
        clsLFDSearch s;
        try {
            s.GridSearch(m, 0, 1, 2, 2, 1, 2, 2);
            ADD_FAILURE() << "no error";
        } catch (const VbError& e) {
            EXPECT_EQ(e.Number, vbObjectError + 1);
            EXPECT_EQ(e.Source, "clsLFDSearch");
            EXPECT_EQ(e.Description, "Search Failed");
        }
        EXPECT_FALSE(s.IsFitted());
        EXPECT_EQ(s.P1(), 0.0f);
    }
}

TEST_F(SearchTest, CancelledGridKeepsTheEarlierResult) {
    ScopedHeadlessProgress progress;
    FakeMeth m;
    m.score = peak(0.5f, 50.0f, 1.0f);
    clsLFDSearch s;
    s.setVerbose(true);
    ASSERT_TRUE(s.GridSearch(m, 0, 0.1f, 1.0f, 10, 30.0f, 75.0f, 10));
    // One window, shown by Value 0, then one step per row; the last row closes it.
    EXPECT_EQ(progress.record().shows, 1);
    EXPECT_EQ(progress.record().barValues, (std::vector<int16_t>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_GE(progress.record().unloads, 1);
    const float p1 = s.P1(), p2 = s.P2(), best = s.MaxScore();

    progress.record().cancelAtValue = 2;
    m.score = peak(0.9f, 70.0f, 3.0f);
    EXPECT_FALSE(s.GridSearch(m, 3, 0.2f, 0.8f, 5, 0.0f, 1.0f, 5));
    EXPECT_EQ(s.P1(), p1);
    EXPECT_EQ(s.P2(), p2);
    EXPECT_EQ(s.MaxScore(), best);
    EXPECT_EQ(s.P1Evals(), 10);
    EXPECT_EQ(s.GridType(), 3);   // the cancelled grid's type stays
    EXPECT_TRUE(s.IsFitted());
    // Scores of a grid that no longer fits the stored counts are not handed out.
    EXPECT_FALSE(s.GridResults(10, 10).has_value());
}

TEST_F(SearchTest, SimplexFindsThePeakInLargerIsBetterForm) {
    // Method 1's objective is a sum of squares compared by magnitude; its MaxScore is the
    // negated sum. The others maximise the score itself.
    for (int32_t type : {1, 2}) {
        SCOPED_TRACE(type);
        FakeMeth m(type);
        const float top = type == 1 ? -0.25f : 4.0f;
        m.score = peak(0.62f, 48.0f, top);
        clsLFDSearch s;
        ASSERT_TRUE(s.AmoebaSearch(m, 0, 0.1f, 1.0f, 30.0f, 75.0f));
        EXPECT_TRUE(s.IsFitted());
        EXPECT_NEAR(s.P1(), 0.62f, 0.01f);
        EXPECT_NEAR(s.P2(), 48.0f, 1.0f);
        EXPECT_NEAR(s.MaxScore(), top, 1e-3);
        EXPECT_FALSE(s.OnBoundary());
        ASSERT_FALSE(m.t0Asked.empty());
        EXPECT_EQ(m.t0Asked.back().K, s.P1());
        EXPECT_EQ(s.TZero(), -s.P1() / 10);
        // K and Linf are never written into the method by the simplex (grid type 0).
        EXPECT_EQ(m.sK(), 0.5f);
        EXPECT_EQ(m.sLinf(), 60.0f);
    }
}

TEST_F(SearchTest, SimplexWithOnlyPenaltyPointsIsNoFit) {
    // Grid type 1 with Ts 0.6: Ts + NGT/2 >= 0.6 for every NGT in the box, so every point
    // is infeasible and every run "converges" on the penalty.
    for (int32_t type : {1, 2}) {
        FakeMeth m(type);
        m.setsTs(0.6f);
        m.score = peak(0.5f, 60.0f, 1.0f);
        clsLFDSearch s;
        EXPECT_FALSE(s.AmoebaSearch(m, 1, 0.1f, 1.0f, 0.0f, 0.5f));
        EXPECT_FALSE(s.IsFitted());
        EXPECT_EQ(s.MaxScore(), type == 1 ? 1E+38f : -1E+38f);
        EXPECT_TRUE(m.scored.empty());
    }
}

TEST_F(SearchTest, SimplexMarkersAndProgress) {
    ScopedHeadlessProgress progress;
    FakeMeth m;
    m.score = peak(0.62f, 48.0f, 1.0f);
    m.markers = true;
    clsLFDSearch s;
    s.setVerbose(true);
    ASSERT_TRUE(s.AmoebaSearch(m, 0, 0.1f, 1.0f, 30.0f, 75.0f));
    // Start marker of each run at the low corner of its box (boxes 0.66 of the ranges),
    // its end marker at the run's result, and the stored best point last.
    const double lo1 = 0.1f, hi1 = 1.0f - static_cast<float>(0.66 * 0.9f);
    const double lo2 = 30.0f, hi2 = 75.0f - static_cast<float>(0.66 * 45.0f);
    const double starts[5][2] = {{lo1, lo2}, {hi1, lo2}, {lo1, hi2}, {hi1, hi2}, {lo1, lo2}};
    ASSERT_EQ(m.shapes.size(), 11u);
    for (int run = 1; run <= 5; ++run) {
        const Shape& start = m.shapes[2 * (run - 1)];
        const Shape& end = m.shapes[2 * (run - 1) + 1];
        EXPECT_EQ(start.shape, run);
        EXPECT_NEAR(start.x, starts[run - 1][0], 1e-6) << run;
        EXPECT_NEAR(start.y, starts[run - 1][1], 1e-4) << run;
        EXPECT_EQ(end.shape, run + 5);
        EXPECT_NEAR(end.x, 0.62, 0.01) << run;
    }
    EXPECT_EQ(m.shapes[10].shape, 11);
    EXPECT_EQ(m.shapes[10].x, s.P1());
    EXPECT_EQ(m.shapes[10].y, s.P2());
    EXPECT_EQ(m.resets, 5);   // a new path per run

    EXPECT_EQ(progress.record().shows, 1);
    EXPECT_EQ(progress.record().barValues, (std::vector<int16_t>{1, 2, 3, 4}));
}

TEST_F(SearchTest, SimplexCancelKeepsEarlierRuns) {
    // Cancel in the progress window (seen after a run) or through the program-wide flag
    // (seen by the objective and after the run); either way run 3 never starts.
    for (bool byProgress : {true, false}) {
        SCOPED_TRACE(byProgress);
        ScopedHeadlessProgress progress;
        FakeMeth m;
        m.score = peak(0.62f, 48.0f, 1.0f);
        m.markers = true;
        clsLFDSearch s;
        if (byProgress) {
            s.setVerbose(true);
            progress.record().cancelAtValue = 1;   // pressed once run 1 is reported
        } else {
            m.onScore = [&] {
                if (m.resets == 2) MVornGlobs::CancelRequested = true;
            };
        }
        EXPECT_FALSE(s.AmoebaSearch(m, 0, 0.1f, 1.0f, 30.0f, 75.0f));
        EXPECT_EQ(MVornGlobs::CancelRequested, !byProgress);   // the search does not clear it
        EXPECT_EQ(m.resets, 2);                                 // no third run
        EXPECT_TRUE(s.IsFitted());                              // what run 1 stored stays
        EXPECT_NEAR(s.P1(), 0.62f, 0.01f);
        MVornGlobs::CancelRequested = false;
    }
}

TEST_F(SearchTest, SimplexErrorIsLoggedAndRaisedAsSearchFailed) {
    FakeMeth m;
    m.score = peak(0.62f, 48.0f, 1.0f);
    m.failGetT0 = true;
    clsLFDSearch s;
    try {
        s.AmoebaSearch(m, 0, 0.1f, 1.0f, 30.0f, 75.0f);
        FAIL() << "no error";
    } catch (const VbError& e) {
        EXPECT_EQ(e.Number, vbObjectError + 1);
        EXPECT_EQ(e.Description, "Search Failed");
    }
    EXPECT_TRUE(forms->messages.empty());   // logged, not shown
}

TEST_F(SearchTest, RunsThatFailAlikeLeaveOneRecordInTheErrorLog) {
    // A score of 0 everywhere: each of the five runs fails on the spread 0/0 ("Overflow").
    FakeMeth m;
    clsLFDSearch s;
    EXPECT_FALSE(s.AmoebaSearch(m, 0, 0.1f, 1.0f, 30.0f, 75.0f));
    EXPECT_FALSE(s.IsFitted());
    std::string log;
    for (const auto& f : std::filesystem::directory_iterator(logDir)) {
        std::ifstream in(f.path(), std::ios::binary);
        log.append(std::istreambuf_iterator<char>(in), {});
    }
    size_t records = 0;
    for (size_t at = log.find("Overflow"); at != std::string::npos; at = log.find("Overflow", at + 1)) ++records;
    EXPECT_EQ(records, 1u) << log;
    EXPECT_TRUE(forms->messages.empty());
}

TEST_F(SearchTest, AmoebaBounceKeepsOnlyValuesBelowOne) {
    clsLFDSearch s;
    EXPECT_EQ(s.AmoebaBounce(), 0.25f);
    s.setAmoebaBounce(1.0f);
    s.setAmoebaBounce(-0.1f);
    EXPECT_EQ(s.AmoebaBounce(), 0.25f);
    s.setAmoebaBounce(0.0f);
    EXPECT_EQ(s.AmoebaBounce(), 0.0f);
    EXPECT_FALSE(s.IsFitted());
    EXPECT_FALSE(s.OnBoundary());
}

TEST_F(SearchTest, SimplexPathAndMarkersReachTheContourPlot) {
    chart::ScopedHeadlessChart charts;
    synthetic::Growth g;
    g.sampleTimes = synthetic::EvenTimes(6);
    clsVorn ds;
    synthetic::Build(ds, g);
    clsPROJMAT m;
    m.Create(ds);
    clsLFDSearch s;
    ASSERT_TRUE(s.GridSearch(m, 0, 0.3f, 0.7f, 5, 60.0f, 100.0f, 5));
    EXPECT_FALSE(m.PlotContours(s));
    m.setPlotEvals(true);
    const size_t before = charts->calls.size();
    ASSERT_TRUE(s.AmoebaSearch(m, 0, 0.3f, 0.7f, 60.0f, 100.0f));
    EXPECT_TRUE(m.PlotEvals());   // every path segment found its line object
    size_t segments = 0, markers = 0;
    for (size_t k = before; k < charts->calls.size(); ++k) {
        if (charts->calls[k].fn == "WGChangeObjectCoord") ++segments;
        if (charts->calls[k].fn == "WGChangeObjectCoordNorm") ++markers;
    }
    EXPECT_GT(segments, 50u);     // one per evaluation of the five runs
    EXPECT_EQ(markers, 11u);      // five starts, five ends, the best point
    EXPECT_NEAR(s.P1(), g.K, 0.1f * g.K);
}
