// Grid searches on several threads against the same searches on one: every node's score,
// the best and worst nodes, t0, the corner flag and the state the method is left in; what
// a worker may not do itself (report errors, look for Cancel), and the thread count.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "GridScorer.h"
#include "Hald_Error.h"
#include "HeadlessProgressView.h"
#include "MVornGlobs.h"
#include "MethFixtures.h"
#include "ScriptedMeth.h"
#include "SearchFixture.h"
#include "SyntheticData.h"
#include "clsELEFAN.h"
#include "clsLFDSearch.h"
#include "clsPROJMAT.h"
#include "clsVorn.h"
#include "forms/HeadlessForms.h"
#include "vb/VbError.h"

namespace {

using searchfix::Bits;
using searchfix::kThreads;

// Everything a grid search leaves in the search and in the method.
struct Outcome {
    std::vector<uint64_t> scores;   // node by node, in loop order, as bit patterns
    int32_t bestI = 0, bestJ = 0, worstI = 0, worstJ = 0;
    float p1 = 0, p2 = 0, t0 = 0, maxScore = 0;
    bool onBoundary = false;
    float K = 0, Linf = 0, C = 0, Ts = 0, NGT = 0;
    std::vector<float> carried;     // PROJMAT: working t0 and the transformed times

    bool operator==(const Outcome&) const = default;
};

struct GridCase {
    const char* what;
    int32_t method;
    int32_t curve;
    int32_t gridType;
    float p1Lo, p1Hi;
    int16_t p1Evals;
    float p2Lo, p2Hi;
    int16_t p2Evals;
};

Outcome runGrid(const GridCase& c, clsVorn& ds, int32_t threads) {
    std::unique_ptr<clsMethBase> m = searchfix::NewMethod(c.method, ds, c.curve);
    clsLFDSearch s;
    s.setThreads(threads);
    Outcome o;
    EXPECT_TRUE(s.GridSearch(*m, c.gridType, c.p1Lo, c.p1Hi, c.p1Evals, c.p2Lo, c.p2Hi, c.p2Evals));
    for (int16_t i = 1; i <= c.p1Evals; ++i)
        for (int16_t j = 1; j <= c.p2Evals; ++j) o.scores.push_back(Bits(s.GridResults(i, j).value_or(1E+300)));
    o.bestI = s.BestP1Eval(), o.bestJ = s.BestP2Eval(), o.worstI = s.WorstP1Eval(), o.worstJ = s.WorstP2Eval();
    o.p1 = s.P1(), o.p2 = s.P2(), o.t0 = s.TZero(), o.maxScore = s.MaxScore();
    o.onBoundary = s.OnBoundary();
    o.K = m->sK(), o.Linf = m->sLinf(), o.C = m->sC(), o.Ts = m->sTs(), o.NGT = m->sNGT();
    if (auto* p = dynamic_cast<clsPROJMAT*>(m.get())) {
        o.carried.push_back(p->WorkingT0());
        for (int16_t i = 1; i <= ds.NumDists(); ++i) o.carried.push_back(p->TransformedTime(i));
    }
    return o;
}

void expectSame(const Outcome& one, const Outcome& many) {
    ASSERT_EQ(one.scores.size(), many.scores.size());
    for (size_t k = 0; k < one.scores.size(); ++k) EXPECT_EQ(one.scores[k], many.scores[k]) << "node " << k;
    EXPECT_EQ(one.bestI, many.bestI);
    EXPECT_EQ(one.bestJ, many.bestJ);
    EXPECT_EQ(one.worstI, many.worstI);
    EXPECT_EQ(one.worstJ, many.worstJ);
    EXPECT_EQ(Bits(one.t0), Bits(many.t0));
    EXPECT_TRUE(one == many);
}

class ParallelGridTest : public SearchFixture {
protected:
    void SetUp() override {
        SearchFixture::SetUp();
        synthetic::Growth g;
        g.sampleTimes = synthetic::EvenTimes(6);
        g.NumClasses = 45;
        synthetic::Build(ds, g);
    }
    clsVorn ds;
};

}  // namespace

TEST_F(ParallelGridTest, EveryMethodAndGridTypeScoresAsOnOneThread) {
    const GridCase cases[] = {
        {"SLCA", 0, 0, 0, 0.2f, 1.0f, 9, 60.0f, 100.0f, 11},
        {"PROJMAT", 1, 0, 0, 0.2f, 1.0f, 9, 60.0f, 100.0f, 11},
        {"ELEFAN", 2, 0, 0, 0.2f, 1.0f, 9, 60.0f, 100.0f, 11},
        {"ELEFAN Hoenig, C vs Ts", 2, 1, 2, 0.0f, 1.0f, 6, 0.0f, 0.9f, 10},
        {"SLCA Hoenig, K vs C (C is not scored: every row ties)", 0, 1, 3, 0.3f, 0.7f, 5, 0.0f, 1.0f, 6},
        {"PROJMAT Hoenig, K vs C", 1, 1, 3, 0.3f, 0.7f, 5, 0.0f, 1.0f, 6},
        {"PROJMAT Pauly, NGT vs Ts (period wrapping the year)", 1, 2, 4, 0.1f, 0.5f, 5, -0.45f, 0.25f, 8},
    };
    for (const GridCase& c : cases) {
        SCOPED_TRACE(c.what);
        expectSame(runGrid(c, ds, 1), runGrid(c, ds, kThreads));
    }
}

TEST_F(ParallelGridTest, PaulyWorkingT0CarriedFromNodeToNodeAsOnOneThread) {
    // K vs NGT on the Pauly curve: each new best node's GetT0 moves the working t0, and
    // where it reaches past the growing part of a year the later nodes' transformed times
    // shift (growing time counts from another year). On one thread those nodes are scored
    // with the moved working t0; so they must be on several.
    const GridCase c{"PROJMAT Pauly, K vs NGT", 1, 2, 1, 0.2f, 1.2f, 8, 0.0f, 0.8f, 12};
    const Outcome one = runGrid(c, ds, 1);
    expectSame(one, runGrid(c, ds, kThreads));

    // The state matters: scored on a fresh method (working t0 0), some node differs.
    const float step1 = (c.p1Hi - c.p1Lo) / static_cast<float>(c.p1Evals - 1);
    const float step2 = (c.p2Hi - c.p2Lo) / static_cast<float>(c.p2Evals - 1);
    int differing = 0;
    for (int32_t k = 0; k < c.p1Evals * c.p2Evals; ++k) {
        clsPROJMAT fresh;
        fresh.Create(ds);
        fresh.setGrowthCurve(2);
        fresh.setsTs(0.2f);
        fresh.setsNGT(static_cast<float>(double(k % c.p2Evals) * step2 + c.p2Lo));
        float score = 0, t0 = 0;
        fresh.CalcScoreT0(static_cast<float>(double(k / c.p2Evals) * step1 + c.p1Lo), fresh.sLinf(), score, t0);
        if (Bits(score) != one.scores[k]) ++differing;
    }
    EXPECT_GT(differing, 0);
}

TEST_F(ParallelGridTest, TiedBestScoresKeepTheFirstNodeInLoopOrder) {
    // Three samples of the same make-up, all fish at 60 and above. With Linf at or below
    // 60 every fish class keeps its fish whatever K is, so every such node scores the same
    // best score; Linf runs downwards, so the first of them in loop order is (1, 9).
    clsVorn tied;
    std::vector<float> counts(40, 0.0f);
    counts[30] = 12, counts[31] = 30, counts[33] = 7, counts[35] = 2;
    methfix::Fill(tied, 0.0f, 2.0f, {0.1f, 0.4f, 0.7f}, {counts, counts, counts});
    const GridCase c{"PROJMAT, ties", 1, 0, 0, 0.2f, 1.0f, 9, 100.0f, 40.0f, 13};
    const Outcome one = runGrid(c, tied, 1);
    EXPECT_EQ(one.bestI, 1);
    EXPECT_EQ(one.bestJ, 9);
    EXPECT_EQ(one.scores[8 * 13 + 12], one.scores[8]);   // (9, 13) ties with (1, 9)
    expectSame(one, runGrid(c, tied, kThreads));
}

TEST_F(ParallelGridTest, WorkersLeaveReportsAndErrorsToTheWindowThreadInNodeOrder) {
    // Nodes (K, Linf) = (1..4, 1..30); a report at every node with Linf 7, an error at the
    // first node with K 3. One thread shows the reports of rows 1 and 2, then fails; so
    // must several, though their workers have scored row 3 and 4 too.
    auto run = [&](int32_t threads, std::vector<std::string>& shown) {
        auto script = std::make_shared<ScriptedMeth::Script>();
        script->reportIf = [](float, float Linf) { return Linf == 7; };
        ScriptedMeth m(script);
        clsLFDSearch s;
        s.setThreads(threads);
        ASSERT_TRUE(s.GridSearch(m, 0, 1, 2, 2, 1, 2, 2));   // an earlier result to keep
        script->failAtK = 3;
        forms->messages.clear();
        try {
            s.GridSearch(m, 0, 1, 4, 4, 1, 30, 30);
            ADD_FAILURE() << "no error";
        } catch (const VbError& e) {
            EXPECT_EQ(e.Description, "Search Failed");
        }
        EXPECT_EQ(s.P1Evals(), 2);
        EXPECT_EQ(s.BestP1Eval(), 2);
        EXPECT_EQ(s.BestP2Eval(), 2);
        for (const auto& msg : forms->messages) shown.push_back(msg.title + ": " + msg.prompt);
    };
    std::vector<std::string> one, many;
    run(1, one);
    run(kThreads, many);
    ASSERT_EQ(one.size(), 2u);   // (1, 7) and (2, 7); (3, 7) lies past the error at (3, 1)
    EXPECT_NE(one[0].find("point 1.000000 7.000000"), std::string::npos);
    EXPECT_NE(one[1].find("point 2.000000 7.000000"), std::string::npos);
    EXPECT_EQ(one, many);
}

TEST_F(ParallelGridTest, CancelIsSeenWithinARowAndKeepsTheEarlierResult) {
    // One row of 200 nodes of 10 ms each: far longer than the search may take to see the
    // Cancel pressed at its first look, on one thread as on several.
    for (int32_t threads : {1, kThreads}) {
        SCOPED_TRACE(threads);
        auto script = std::make_shared<ScriptedMeth::Script>();
        ScriptedMeth m(script);
        clsLFDSearch s;
        s.setThreads(threads);
        ASSERT_TRUE(s.GridSearch(m, 0, 1, 2, 2, 1, 2, 2));
        const float p1 = s.P1(), p2 = s.P2(), best = s.MaxScore(), t0 = s.TZero();

        ScopedHeadlessProgress progress;
        forms->onDoEvents = [&] { progress.PressCancel(); };
        script->delay = std::chrono::milliseconds(10);
        script->scored = 0;
        s.setVerbose(true);
        EXPECT_FALSE(s.GridSearch(m, 0, 5, 5, 1, 1, 200, 200));
        forms->onDoEvents = nullptr;
        EXPECT_LT(script->scored.load(), 200);
        EXPECT_EQ(s.P1(), p1);
        EXPECT_EQ(s.P2(), p2);
        EXPECT_EQ(s.MaxScore(), best);
        EXPECT_EQ(s.TZero(), t0);
        EXPECT_EQ(s.P1Evals(), 2);
        EXPECT_TRUE(s.IsFitted());
    }
}

TEST_F(ParallelGridTest, ThreadCount) {
    auto script = std::make_shared<ScriptedMeth::Script>();
    ScriptedMeth m(script);
    clsLFDSearch s;
    s.setThreads(1);
    ASSERT_TRUE(s.GridSearch(m, 0, 1, 4, 4, 1, 10, 10));
    EXPECT_EQ(script->copies, 0);   // one thread: no copies, no workers
    s.setThreads(kThreads);
    ASSERT_TRUE(s.GridSearch(m, 0, 1, 4, 4, 1, 10, 10));
    EXPECT_EQ(script->copies, kThreads);
    EXPECT_EQ(script->threadsOnWorker, 1);   // a search started on a worker stays there

    // A method that cannot be copied, or a class derived from one that can, is searched on
    // one thread.
    class Derived : public clsELEFAN {};
    Derived d;
    d.Create(ds);
    EXPECT_EQ(d.ScoringCopy(), nullptr);

    struct Case {
        const char* env;   // nullptr: unset
        int32_t asked, expected;
    };
    const int32_t hardware = static_cast<int32_t>(std::max(1u, std::thread::hardware_concurrency()));
    const Case cases[] = {
        {nullptr, 0, hardware}, {"1", 0, 1}, {"3", 0, 3}, {"3", 2, 2},
        {"0", 0, hardware}, {"two", 0, hardware}, {"2x", 0, hardware},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.env ? c.env : "unset");
        if (c.env) setenv("VORN5_THREADS", c.env, 1);
        else unsetenv("VORN5_THREADS");
        EXPECT_EQ(GridScorer::Threads(c.asked), c.expected);
    }
    unsetenv("VORN5_THREADS");
}
