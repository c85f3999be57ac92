// The five simplex runs of a search side by side against the same runs one by one: the
// stored result, the method's state and the path and markers drawn on the contour plot,
// in the same order; what is reported while the runs go, and Cancel.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "HeadlessProgressView.h"
#include "MVornGlobs.h"
#include "ScriptedMeth.h"
#include "SearchFixture.h"
#include "SyntheticData.h"
#include "chart/HeadlessChart.h"
#include "clsLFDSearch.h"
#include "clsVorn.h"
#include "forms/HeadlessForms.h"

namespace {

using searchfix::Bits;
using searchfix::kThreads;

struct SearchCase {
    const char* what;
    int32_t method;
    int32_t curve;
    int32_t gridType;
    float p1Lo, p1Hi, p2Lo, p2Hi;
};

// What a simplex search leaves: its result, the method's fields, and the coordinates of
// every path segment and marker sent to the contour plot, in order.
struct Outcome {
    bool converged = false, fitted = false, onBoundary = false;
    std::vector<uint64_t> numbers;
    std::vector<std::string> drawn;
    std::vector<double> coordinates;
    bool operator==(const Outcome&) const = default;
};

Outcome runSearch(const SearchCase& c, clsVorn& ds, chart::ScopedHeadlessChart& charts, int32_t threads) {
    std::unique_ptr<clsMethBase> m = searchfix::NewMethod(c.method, ds, c.curve);
    clsLFDSearch s;
    s.setThreads(threads);
    // A coarse grid for the contour plot the path is drawn on.
    EXPECT_TRUE(s.GridSearch(*m, c.gridType, c.p1Lo, c.p1Hi, 4, c.p2Lo, c.p2Hi, 4));
    m->PlotContours(s);
    m->setPlotEvals(true);
    const size_t before = charts->calls.size();
    Outcome o;
    o.converged = s.AmoebaSearch(*m, c.gridType, c.p1Lo, c.p1Hi, c.p2Lo, c.p2Hi);
    o.fitted = s.IsFitted();
    o.onBoundary = s.OnBoundary();
    for (double v : {double(s.P1()), double(s.P2()), double(s.MaxScore()), double(s.TZero()), double(m->sK()),
                     double(m->sLinf()), double(m->sC()), double(m->sTs()), double(m->sNGT())})
        o.numbers.push_back(Bits(v));
    for (size_t k = before; k < charts->calls.size(); ++k) {
        const chart::ChartCall& call = charts->calls[k];
        if (call.fn != "WGChangeObjectCoord" && call.fn != "WGChangeObjectCoordNorm") continue;
        o.drawn.push_back(call.fn);
        for (const chart::CallArg& a : call.args)
            if (const double* d = std::get_if<double>(&a)) o.coordinates.push_back(*d);
    }
    EXPECT_GT(o.drawn.size(), 20u);   // the path and the markers reached the plot
    return o;
}

using SimplexStartsTest = SearchFixture;

}  // namespace

TEST_F(SimplexStartsTest, RunsSideBySideEndAsOneByOne) {
    chart::ScopedHeadlessChart charts;
    synthetic::Growth g;
    g.sampleTimes = synthetic::EvenTimes(6);
    g.NumClasses = 45;
    clsVorn ds;
    synthetic::Build(ds, g);
    const SearchCase cases[] = {
        {"SLCA", 0, 0, 0, 0.2f, 1.0f, 60.0f, 100.0f},
        {"PROJMAT", 1, 0, 0, 0.2f, 1.0f, 60.0f, 100.0f},
        {"ELEFAN", 2, 0, 0, 0.2f, 1.0f, 60.0f, 100.0f},
        {"ELEFAN Hoenig, C vs Ts", 2, 1, 2, 0.0f, 1.0f, 0.0f, 0.9f},
        {"PROJMAT Hoenig, K vs C", 1, 1, 3, 0.3f, 0.7f, 0.0f, 1.0f},
        {"ELEFAN Pauly, K vs NGT (infeasible part)", 2, 2, 1, 0.3f, 0.7f, 0.0f, 0.8f},
        {"PROJMAT Pauly, NGT vs Ts (runs one by one)", 1, 2, 4, 0.1f, 0.5f, -0.45f, 0.25f},
    };
    for (const SearchCase& c : cases) {
        SCOPED_TRACE(c.what);
        const Outcome one = runSearch(c, ds, charts, 1);
        const Outcome many = runSearch(c, ds, charts, kThreads);
        EXPECT_EQ(one.converged, many.converged);
        EXPECT_EQ(one.numbers, many.numbers);
        EXPECT_EQ(one.drawn, many.drawn);
        EXPECT_TRUE(one == many);
    }
}

TEST_F(SimplexStartsTest, ReportsOfEveryPointAndThePathInRunOrder) {
    // A report at every point right of K 0.6, naming it: the same boxes, in the same
    // order, as one by one; the path and markers likewise.
    auto run = [&](int32_t threads) {
        auto script = std::make_shared<ScriptedMeth::Script>();
        script->score = [](float K, float Linf) {
            const float dk = (K - 0.62f) / 0.2f, dl = (Linf - 48.0f) / 20.0f;
            return 1.0f - dk * dk - dl * dl;
        };
        script->reportIf = [](float K, float) { return K > 0.6f; };
        ScriptedMeth m(script);
        m.setPlotEvals(true);
        clsLFDSearch s;
        s.setThreads(threads);
        forms->messages.clear();
        EXPECT_TRUE(s.AmoebaSearch(m, 0, 0.1f, 1.0f, 30.0f, 75.0f));
        EXPECT_EQ(script->copies, threads == 1 ? 0 : 5);
        std::vector<std::string> shown;
        for (const auto& msg : forms->messages) shown.push_back(msg.prompt);
        return std::make_tuple(shown, m.path, m.shapes, m.resets, s.P1(), s.P2());
    };
    const auto one = run(1);
    const auto many = run(kThreads);
    EXPECT_GT(std::get<0>(one).size(), 10u);
    EXPECT_EQ(std::get<3>(one), 5);
    EXPECT_EQ(std::get<2>(one).size(), 11u);
    EXPECT_TRUE(one == many);
}

TEST_F(SimplexStartsTest, CancelKeepsEarlierRunsAsOneByOne) {
    // Cancel in the progress window (seen after a run) or through the program-wide flag
    // (seen while run 2 goes); either way run 3 never starts and run 1's result stays.
    for (bool byProgress : {true, false}) {
        for (int32_t threads : {1, kThreads}) {
            SCOPED_TRACE(std::string(byProgress ? "progress" : "flag") + " threads " + std::to_string(threads));
            ScopedHeadlessProgress progress;
            auto script = std::make_shared<ScriptedMeth::Script>();
            script->score = [](float K, float Linf) {
                const float dk = (K - 0.62f) / 0.2f, dl = (Linf - 48.0f) / 20.0f;
                return 1.0f - dk * dk - dl * dl;
            };
            ScriptedMeth m(script);
            m.setPlotEvals(true);
            clsLFDSearch s;
            s.setThreads(threads);
            if (byProgress) {
                s.setVerbose(true);
                progress.record().cancelAtValue = 1;
            } else {
                forms->onDoEvents = [&m, calls = 0]() mutable {
                    if (m.resets == 2 && ++calls == 10) MVornGlobs::CancelRequested = true;
                };
            }
            EXPECT_FALSE(s.AmoebaSearch(m, 0, 0.1f, 1.0f, 30.0f, 75.0f));
            forms->onDoEvents = nullptr;
            EXPECT_EQ(MVornGlobs::CancelRequested, !byProgress);
            EXPECT_EQ(m.resets, 2);
            EXPECT_TRUE(s.IsFitted());
            EXPECT_NEAR(s.P1(), 0.62f, 0.01f);
            MVornGlobs::CancelRequested = false;
        }
    }
}

TEST_F(SimplexStartsTest, CancelIsSeenWhileARunGoes) {
    // Points of 5 ms: five runs take seconds one by one. A Cancel pressed at the first
    // look ends the search long before.
    auto script = std::make_shared<ScriptedMeth::Script>();
    script->delay = std::chrono::milliseconds(5);
    ScriptedMeth m(script);
    clsLFDSearch s;
    s.setThreads(kThreads);
    forms->onDoEvents = [] { MVornGlobs::CancelRequested = true; };
    EXPECT_FALSE(s.AmoebaSearch(m, 0, 0.1f, 1.0f, 30.0f, 75.0f));
    EXPECT_FALSE(s.IsFitted());
    EXPECT_LT(script->scored.load(), 5 * 40);
}
