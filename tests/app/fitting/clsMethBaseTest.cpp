// What the scoring methods do alike: Create's defaults, the fixed-parameter values and the
// simplex objective with its grid-type mapping, feasibility, cancel and event pumping.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "MVornGlobs.h"
#include "MethFixtures.h"
#include "chart/HeadlessChart.h"
#include "clsELEFAN.h"
#include "clsLFDSearch.h"
#include "clsSLCA.h"
#include "clsVorn.h"
#include "forms/HeadlessForms.h"
#include "vb/VbError.h"

using methfix::Fill;

namespace {

void TwoSamples(clsVorn& ds) {
    Fill(ds, 10.0f, 2.0f, {0.25f, 0.75f},
         {{1, 4, 9, 4, 1, 0, 2, 6, 2, 1}, {0, 2, 5, 8, 5, 2, 1, 3, 5, 2}});
}

// Runs one simplex evaluation at (x1, x2).
double Eval(IMeth& m, double x1, double x2) {
    std::vector<double> x{0.0, x1, x2};
    int32_t n = 2;
    return m.MinFunc(x, n);
}

struct CancelGuard {
    ~CancelGuard() { MVornGlobs::CancelRequested = false; }
};

}  // namespace

TEST(Meth, CreateSetsTheStartingParameters) {
    clsVorn ds;
    TwoSamples(ds);
    clsELEFAN e;
    clsSLCA s;
    e.Create(ds);
    s.Create(ds);
    const struct { IMeth* m; float C; int32_t type; } cases[] = {{&e, 0.2f, 2}, {&s, 0.4f, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(c.m->sNGT(), 0.3f);
        EXPECT_EQ(c.m->sC(), c.C);
        EXPECT_EQ(c.m->sTs(), 0.6f);
        EXPECT_EQ(c.m->sK(), 1.0f);
        EXPECT_EQ(c.m->sLinf(), 30.0f);   // maxlength: 10 + 10 x 2
        EXPECT_EQ(c.m->MethType(), c.type);
        EXPECT_EQ(c.m->LFD().NumDists(), 2);
    }
    EXPECT_EQ(s.LFD().Dists(1, 3), 9.0f);   // SLCA keeps the counts as loaded
}

TEST(Meth, FixedParametersFollowTheGridType) {
    clsVorn ds;
    TwoSamples(ds);
    clsELEFAN m;
    m.Create(ds);
    m.setsC(0.25f);
    m.setsNGT(0.35f);
    m.setsTs(0.45f);
    m.setsK(0.55f);
    m.setsLinf(65.0f);
    using V = MethValue;
    const V none = std::string("None");
    const struct { int32_t grid, curve; V p1, p2; } cases[] = {
        {0, 0, none, none},       {0, 1, 0.25f, 0.45f},     {0, 2, 0.35f, 0.45f},
        {0, 5, 0.25f, 0.45f},     {1, 0, 0.45f, 65.0f},     {2, 1, 0.55f, 65.0f},
        {3, 2, 0.45f, 65.0f},     {4, 2, 0.55f, 65.0f},     {7, 0, std::monostate{}, 65.0f},
    };
    for (const auto& c : cases) {
        m.settGridType(c.grid);
        m.setGrowthCurve(c.curve);
        EXPECT_EQ(m.FixedParam1(), c.p1) << c.grid << "/" << c.curve;
        EXPECT_EQ(m.FixedParam2(), c.p2) << c.grid << "/" << c.curve;
    }
}

TEST(Meth, MinFuncMapsTheCoordinatesByGridType) {
    forms::ScopedHeadlessForms forms;
    clsVorn ds;
    TwoSamples(ds);
    clsELEFAN m;
    m.Create(ds);
    // Seasonal values the mapping writes stay in the fields; K and Linf never do.
    struct Fields { float K, Linf, C, Ts, NGT; };
    const struct {
        int32_t grid;
        double x1, x2;
        Fields after;
        float scoreK, scoreLinf;
    } cases[] = {
        {0, 0.8, 25.0, {1.0f, 30.0f, 0.2f, 0.0f, 0.3f}, 0.8f, 25.0f},
        {1, 0.8, 0.4, {1.0f, 30.0f, 0.2f, 0.0f, 0.4f}, 0.8f, 30.0f},
        {2, 0.5, -0.3, {1.0f, 30.0f, 0.5f, -0.3f, 0.3f}, 1.0f, 30.0f},
        {3, 0.8, 0.7, {1.0f, 30.0f, 0.7f, 0.0f, 0.3f}, 0.8f, 30.0f},
        {4, 0.2, 0.1, {1.0f, 30.0f, 0.2f, 0.1f, 0.2f}, 1.0f, 30.0f},
    };
    for (const auto& c : cases) {
        m.setsK(1.0f);
        m.setsLinf(30.0f);
        m.setsC(0.2f);
        m.setsTs(0.0f);
        m.setsNGT(0.3f);
        m.setGrowthCurve(c.grid == 1 || c.grid == 4 ? 2 : 1);
        m.settGridType(c.grid);
        const double f = Eval(m, c.x1, c.x2);
        EXPECT_EQ(m.sK(), c.after.K) << c.grid;
        EXPECT_EQ(m.sLinf(), c.after.Linf) << c.grid;
        EXPECT_EQ(m.sC(), c.after.C) << c.grid;
        EXPECT_EQ(m.sTs(), c.after.Ts) << c.grid;
        EXPECT_EQ(m.sNGT(), c.after.NGT) << c.grid;
        float score = 0, t0 = 0;
        m.CalcScoreT0(c.scoreK, c.scoreLinf, score, t0);
        EXPECT_EQ(f, -static_cast<double>(score)) << c.grid;
    }
}

TEST(Meth, InfeasibleSeasonalPointsGetThePenalty) {
    forms::ScopedHeadlessForms forms;
    clsVorn ds;
    TwoSamples(ds);
    clsELEFAN m;
    m.Create(ds);
    // Feasible only for -0.5 < Ts + NGT/2 < 0.5, both bounds strict.
    const struct { int32_t grid; float Ts; double x1, x2; bool penalty; } cases[] = {
        {1, 0.6f, 0.8, 0.0, true},     // 0.6 + 0 is not below 0.5
        {1, 0.2f, 0.8, 0.6, true},     // 0.2 + 0.3 = 0.5
        {1, 0.2f, 0.8, 0.4, false},
        {4, 0.6f, 0.0, -0.5, true},    // Ts -0.5 + 0 is not above -0.5
        {4, 0.6f, 0.2, -0.5, false},   // -0.5 + 0.1
        {2, 0.6f, 0.3, 0.9, false},    // no test for grid type 2
    };
    for (const auto& c : cases) {
        m.setsTs(c.Ts);
        m.setGrowthCurve(2);
        m.settGridType(c.grid);
        const double f = Eval(m, c.x1, c.x2);
        if (c.penalty) {
            EXPECT_EQ(f, 1E+10) << c.grid << " " << c.x1 << " " << c.x2;
        } else {
            EXPECT_LT(f, 1E+10) << c.grid << " " << c.x1 << " " << c.x2;
        }
    }
    // The values written stay, also for a penalty point.
    m.setsTs(0.6f);
    m.settGridType(1);
    Eval(m, 0.8, 0.0);
    EXPECT_EQ(m.sNGT(), 0.0f);
}

TEST(Meth, CancelStopsELEFANEvaluationsButNotSLCA) {
    forms::ScopedHeadlessForms forms;
    CancelGuard guard;
    clsVorn ds;
    TwoSamples(ds);
    clsELEFAN e;
    clsSLCA s;
    e.Create(ds);
    s.Create(ds);
    MVornGlobs::CancelRequested = true;
    EXPECT_EQ(Eval(e, 0.8, 25.0), 1E+10);
    EXPECT_LT(Eval(s, 0.8, 25.0), 0.0);
}

TEST(Meth, EveryEvaluationLetsEventsRunAndPathDrawingNeedsAPlot) {
    forms::ScopedHeadlessForms forms;
    clsVorn ds;
    TwoSamples(ds);
    clsELEFAN m;
    m.Create(ds);
    m.settGridType(0);
    Eval(m, 0.8, 25.0);
    EXPECT_EQ(forms->doEvents, 1);

    // With no contour plot the first path point fails and path drawing turns itself off.
    m.setPlotEvals(true);
    m.ResetMinimLine();
    Eval(m, 0.8, 25.0);
    EXPECT_FALSE(m.PlotEvals());
    EXPECT_EQ(forms->doEvents, 3);   // the path point (one of the first 30) and the evaluation
    m.ShowShapeOnContourPLot(0.02, 1, 0.5, 20.0);   // nothing to show it on: no effect
    m.TerminateContourPlot();
}

TEST(Meth, CreateRefusesADataSetWithoutClassesOrSamples) {
    clsVorn empty;   // never dimensioned
    clsVorn noWidth;
    Fill(noWidth, 0.0f, 0.0f, {0.5f}, {{1, 2, 3}});
    for (clsVorn* ds : {&empty, &noWidth}) {
        clsSLCA s;
        EXPECT_THROW(s.Create(*ds), VbError);
        clsELEFAN e;
        try {
            e.Create(*ds);
            ADD_FAILURE() << "no error";
        } catch (const VbError& err) {
            EXPECT_EQ(err.Description, "Class Failed to Initialise");
        }
    }
}

TEST(MethContour, GridPlotReceivesTheScoresThePathAndTheMarkers) {
    MVornGlobs::InitGlobals();   // captions and axis names
    forms::ScopedHeadlessForms forms;
    chart::ScopedHeadlessChart charts;
    clsVorn ds;
    TwoSamples(ds);
    clsELEFAN m;
    m.Create(ds);
    clsLFDSearch search;
    EXPECT_FALSE(m.PlotContours(search));   // no grid yet: nothing drawn
    EXPECT_TRUE(charts->pages().empty());

    ASSERT_TRUE(search.GridSearch(m, 0, 0.4f, 1.2f, 3, 20.0f, 30.0f, 4));
    EXPECT_FALSE(m.PlotContours(search));
    ASSERT_EQ(charts->pages().size(), 1u);
    EXPECT_EQ(charts->callsTo("WGCreatePage").at(0).s(2), "Contour Plot");
    const auto titles = charts->callsTo("WGTitleAxis");
    ASSERT_EQ(titles.size(), 2u);
    EXPECT_EQ(titles[0].s(4), "K");
    EXPECT_EQ(titles[1].s(4), "Linf");
    // The grid as scored: x = K over 3 nodes, y = Linf over 4, node (i, j) at z[i + 3 j].
    const auto grid = charts->callsTo("WGCreateEvenGridDataSetVB").at(0);
    EXPECT_EQ(grid.i(6), 3);
    EXPECT_EQ(grid.i(7), 4);
    EXPECT_NEAR(grid.d(2), 0.4, 1e-6);
    EXPECT_NEAR(grid.d(4), 0.4, 1e-6);
    EXPECT_NEAR(grid.d(5), 10.0 / 3.0, 1e-5);
    for (int16_t i = 1; i <= 3; ++i)
        for (int16_t j = 1; j <= 4; ++j)
            EXPECT_EQ(grid.vd(1).at((i - 1) + 3 * (j - 1)), *search.GridResults(i, j)) << i << "," << j;

    // A second plot while the first is open changes nothing.
    EXPECT_FALSE(m.PlotContours(search));
    EXPECT_EQ(charts->count("WGCreatePage"), 1u);

    // Every evaluation adds a path segment; events run on every evaluation and, for the
    // path, on its first 30 points and every 50th.
    m.setPlotEvals(true);
    m.ResetMinimLine();
    const long events = forms->doEvents;
    const size_t segments = charts->count("WGChangeObjectCoord");
    for (int k = 0; k < 60; ++k) Eval(m, 0.5 + 0.01 * k, 25.0);
    EXPECT_TRUE(m.PlotEvals());
    EXPECT_EQ(charts->count("WGChangeObjectCoord") - segments, 60u);
    EXPECT_EQ(forms->doEvents - events, 60 + 31);

    m.ShowShapeOnContourPLot(0.02, 11, 0.8, 25.0);
    EXPECT_EQ(charts->count("WGChangeObjectCoordNorm"), 1u);

    // Closed by the user: the next plot draws a new page on the same canvas window.
    charts->UserClosesPage(charts->pages().at(0));
    EXPECT_FALSE(m.PlotContours(search));
    EXPECT_EQ(charts->count("WGCreatePage"), 2u);
    EXPECT_EQ(charts->count("CreateCanvasWindow"), 1u);
    m.TerminateContourPlot();
    EXPECT_TRUE(charts->pages().empty());
}
