// The charting layer's scene: handles and validity, scaling, ticks, contour bands, objects,
// mouse actions and the call record.
#include <gtest/gtest.h>

#include <cmath>

#include "chart/HeadlessChart.h"

using namespace chart;

namespace {
struct PageWithGraph {
    Handle page = 0, graph = 0;
    int32_t ctx = 0;
};
PageWithGraph MakePage(ChartModel& m, const std::string& name = "p") {
    PageWithGraph p;
    WGErrInfo err;
    p.page = m.WGCreatePage(name, 0, "Caption", "PageMe", 15, 8, &err);
    p.graph = m.WGCreateGraph(p.page, 0, 0, 1, 1, 15, 0, 1, &err, &p.ctx);
    return p;
}
}  // namespace

TEST(ChartModel, PagesAndGraphsAreValidUntilClosed) {
    ScopedHeadlessChart chart;
    ChartModel& m = chart.get();
    auto p = MakePage(m);
    ASSERT_NE(p.page, 0);
    ASSERT_NE(p.graph, 0);
    Handle line = m.WGLine(p.graph, p.ctx, 0, 0, 0, 0, 1, 1);
    EXPECT_EQ(m.WGIsPageDescValid(p.page), 1);
    EXPECT_NE(m.WGIsGraphDescValid(p.graph), 0);
    EXPECT_EQ(m.WGClosePage(p.page), kStatusOk);
    EXPECT_EQ(m.WGIsPageDescValid(p.page), 0);
    EXPECT_EQ(m.WGIsGraphDescValid(p.graph), 0);
    // Calls on what is gone do nothing.
    EXPECT_EQ(m.WGShowObject(p.graph, line, -1), kStatusBadHandle);
    EXPECT_EQ(m.WGClosePage(p.page), kStatusBadHandle);
    EXPECT_EQ(m.WGIsPageDescValid(0), 0);

    // A page the user closes is no longer valid either.
    auto q = MakePage(m);
    m.UserClosesPage(q.page);
    EXPECT_EQ(m.WGIsPageDescValid(q.page), 0);
    EXPECT_EQ(m.lastPage(), 0);
}

TEST(ChartModel, FailedCreationsReturnZeroHandles) {
    ScopedHeadlessChart chart;
    ChartModel& m = chart.get();
    WGErrInfo err;
    int32_t ctx = 0;
    m.failPages = 1;
    EXPECT_EQ(m.WGCreatePage("p", 0, "c", "m", 15, 8, &err), 0);
    EXPECT_NE(err.code, 0);
    m.WGCleanup(&err, 0);
    EXPECT_EQ(err.code, 0);
    EXPECT_EQ(m.WGCreateGraph(12345, 0, 0, 1, 1, 15, 0, 1, &err, &ctx), 0);  // no such page
    Handle page = m.WGCreatePage("p", 0, "c", "m", 15, 8, &err);
    EXPECT_NE(page, 0);
    m.failGraphs = 1;
    EXPECT_EQ(m.WGCreateGraph(page, 0, 0, 1, 1, 15, 0, 1, &err, &ctx), 0);
    EXPECT_EQ(m.WGDrawXAxis(0, 0, 1, 0, 0), 0);
    EXPECT_EQ(m.WGCreateEvenGridDataSetVB("z", nullptr, 0, 0, 1, 1, 2, 2), 0);
}

TEST(ChartModel, ScalingWidensZeroAndNonFiniteRanges) {
    ScopedHeadlessChart chart;
    ChartModel& m = chart.get();
    auto p = MakePage(m);
    Handle xa = m.WGDrawXAxis(p.graph, p.ctx, 0.1, 0, 0);
    Handle ya = m.WGDrawYAxis(p.graph, p.ctx, 0.1, 0, 1);
    struct Case {
        double xmin, xmax, ymin, ymax;
        double exmin, exmax, eymin, eymax;
    } cases[] = {
        {0.1, 0.14, 2, 5, 0.1, 0.14, 2, 5},
        {3, 3, 0, 0, 2.5, 3.5, -0.5, 0.5},
        {NAN, 1, 0, INFINITY, 0, 1, 0, 1},
        {5, 1, 0, 1, 1, 5, 0, 1},
    };
    for (const auto& c : cases) {
        m.WGScalePlotArea(p.graph, c.xmin, c.ymin, c.xmax, c.ymax);
        double lo, hi;
        ASSERT_EQ(m.WGGetAxisRange(p.graph, xa, lo, hi), kStatusOk);
        EXPECT_DOUBLE_EQ(lo, c.exmin);
        EXPECT_DOUBLE_EQ(hi, c.exmax);
        m.WGGetAxisRange(p.graph, ya, lo, hi);
        EXPECT_DOUBLE_EQ(lo, c.eymin);
        EXPECT_DOUBLE_EQ(hi, c.eymax);
    }
}

TEST(ChartModel, TicksAreNeverZeroOrEndless) {
    struct Case {
        double tick, min, max, expect;
    } cases[] = {
        {20, 0, 110, 20},   // as asked
        {0, 0.1, 0.14, 0.01},  // a tick rounded to 0
        {NAN, 0, 100, 20},
        {-1, 0, 10, 2},
        {1e-9, 0, 1000, 200},  // would give 1e12 ticks
        {5, 3, 3, 0},       // no range: end labels only
    };
    for (const auto& c : cases) {
        double t = ChartModel::EffectiveTick(c.tick, c.min, c.max);
        EXPECT_NEAR(t, c.expect, 1e-12) << c.tick << " " << c.min << ".." << c.max;
        auto values = ChartModel::TickValues(c.tick, c.min, c.max, c.min);
        EXPECT_GE(values.size(), 2u);
        EXPECT_LE(values.size(), 201u);
    }
    auto v = ChartModel::TickValues(20, 0, 110, 0);
    EXPECT_EQ(v, (std::vector<double>{0, 20, 40, 60, 80, 100}));
}

TEST(ChartModel, ContourBandsFollowTheLevels) {
    ContourLayer layer;
    layer.levels = {1, 3, 5};
    layer.colours = {100, 101, 102, 103};
    struct Case {
        double z;
        int32_t colour;
    } cases[] = {{0.5, 100}, {1, 101}, {2.9, 101}, {3, 102}, {4.99, 102}, {5, 103}, {9, 103}};
    for (const auto& c : cases) EXPECT_EQ(ChartModel::BandColour(layer, c.z, false), c.colour) << c.z;
    // A flat grid is one band.
    EXPECT_EQ(ChartModel::BandColour(layer, 7, true), 100);
}

TEST(ChartModel, GridValuesInterpolateBilinearly) {
    ScopedHeadlessChart chart;
    ChartModel& m = chart.get();
    // 3 x 2 grid, column by column with x fastest: z = x + 10 y at x 0,1,2 and y 0,2.
    const double z[] = {0, 1, 2, 20, 21, 22};
    Handle ds = m.WGCreateEvenGridDataSetVB("g", z, 0, 0, 1, 2, 3, 2);
    const DataSet* grid = m.dataSet(ds);
    ASSERT_NE(grid, nullptr);
    EXPECT_DOUBLE_EQ(*ChartModel::GridValue(*grid, 2, 2), 22);
    EXPECT_DOUBLE_EQ(*ChartModel::GridValue(*grid, 0.5, 1), 10.5);
    EXPECT_DOUBLE_EQ(*ChartModel::GridValue(*grid, 1.5, 0.5), 6.5);
    EXPECT_FALSE(ChartModel::GridValue(*grid, -0.1, 1).has_value());
    EXPECT_FALSE(ChartModel::GridValue(*grid, 1, 2.5).has_value());
    double xmin, xmax, ymin, ymax, zmin, zmax;
    m.WGGetContourMinMaxXYZ(ds, xmin, xmax, ymin, ymax, zmin, zmax);
    EXPECT_EQ((std::vector<double>{xmin, xmax, ymin, ymax, zmin, zmax}), (std::vector<double>{0, 2, 0, 2, 0, 22}));
}

TEST(ChartModel, ObjectsStartShownAndAreHiddenMovedAndShown) {
    ScopedHeadlessChart chart;
    ChartModel& m = chart.get();
    auto p = MakePage(m);
    m.WGSetLineStyle(p.graph, p.ctx, 1, 2, 11);
    Handle line = m.WGLine(p.graph, p.ctx, 0, 0, 0, 0, 0, 0);
    Handle box = m.WGRectangleNorm(p.graph, p.ctx, 0, 0, 0, 0, 13, 1, 0, 13);
    m.WGShowObject(p.graph, line, 0);
    m.WGShowObject(p.graph, box, 0);
    const Graph* g = m.graph(p.graph);
    EXPECT_FALSE(g->object(line)->visible);
    EXPECT_EQ(g->object(line)->pen.style, 1);
    EXPECT_EQ(g->object(line)->pen.colour, 11);
    m.WGChangeObjectCoord(p.graph, line, 1, 2, 3, 4, -1);
    m.WGChangeObjectCoordNorm(p.graph, box, 0.2, 0.3, 0.4, 0.5, -1);
    m.WGShowObject(p.graph, line, -1);
    m.WGShowObject(p.graph, box, -1);
    const Object* l = g->object(line);
    EXPECT_TRUE(l->visible);
    EXPECT_TRUE(l->dataCoords);
    EXPECT_EQ((std::vector<double>{l->x1, l->y1, l->x2, l->y2}), (std::vector<double>{1, 2, 3, 4}));
    EXPECT_FALSE(g->object(box)->dataCoords);
    EXPECT_DOUBLE_EQ(g->object(box)->x2, 0.4);
}

TEST(ChartModel, MouseActionsRunOnlyWhileProcessingIsOn) {
    ScopedHeadlessChart chart;
    ChartModel& m = chart.get();
    auto p = MakePage(m);
    int runs = 0;
    // The action closes its own page, as a redraw does.
    m.WGSetMouseEventAction(p.graph, kRightButtonDown, 6, [&](int32_t g, int32_t ev, int32_t, int32_t, int32_t) {
        ++runs;
        EXPECT_EQ(g, p.graph);
        EXPECT_EQ(ev, kRightButtonDown);
        m.WGClosePage(p.page);
        return 0;
    });
    EXPECT_FALSE(m.RightClick(p.page));
    m.WGSetProcessMouseEventFlag(-1);
    EXPECT_FALSE(m.DeliverMouse(p.graph, kLeftButtonDown));
    EXPECT_TRUE(m.RightClick(p.page));
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(m.WGIsPageDescValid(p.page), 0);
    EXPECT_FALSE(m.RightClick(p.page));
}

TEST(ChartModel, GroupRangesAndInvalidPoints) {
    ScopedHeadlessChart chart;
    ChartModel& m = chart.get();
    const double x1[] = {10, 15}, e1[] = {1, 0.8, 1, 0.5};
    const double x2[] = {5, 20}, e2[] = {2, 1.7, 2, 2.1};
    Handle sets[] = {m.WGDefineGroupDataSetVB("a", x1, e1, 2, 2), m.WGDefineGroupDataSetVB("b", x2, e2, 2, 2)};
    double xmin, ymin, xmax, ymax;
    ASSERT_EQ(m.WGGetDataSetsRange(sets, 2, xmin, ymin, xmax, ymax), kStatusOk);
    EXPECT_EQ((std::vector<double>{xmin, xmax, ymin, ymax}), (std::vector<double>{5, 20, 0.5, 2.1}));

    const double x[] = {0, 1, 2}, y[] = {1, 1.79E+308, 3};
    Handle xy = m.WGDefineDataSetVB("c", x, y, 3);
    EXPECT_EQ(m.WGMarkDataPoint(xy, 1, -1), kStatusOk);
    EXPECT_EQ(m.WGMarkDataPoint(xy, 3, -1), kStatusBadHandle);
    EXPECT_EQ(m.dataSet(xy)->invalid, (std::vector<bool>{false, true, false}));
}

TEST(ChartModel, RecordsEveryCallWithItsArguments) {
    ScopedHeadlessChart chart;
    ChartModel& m = chart.get();
    auto p = MakePage(m, "Score  Grid");
    const double levels[] = {1, 2};
    const int32_t colours[] = {1, 2, 3}, zeros[] = {0, 0}, flags[] = {1, 1};
    const double z[] = {1, 2, 3, 4};
    Handle ds = m.WGCreateEvenGridDataSetVB("FuncVal", z, 0, 0, 1, 1, 2, 2);
    m.WGContourPlot(p.graph, p.ctx, ds, levels, colours, zeros, zeros, 2, 3, flags, zeros, 2, 4, 1, 0, 21);
    auto pages = m.callsTo("WGCreatePage");
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].s(0), "Score  Grid");
    EXPECT_EQ(pages[0].s(3), "PageMe");
    auto cp = m.callsTo("WGContourPlot");
    ASSERT_EQ(cp.size(), 1u);
    EXPECT_EQ(cp[0].vd(3), (std::vector<double>{1, 2}));
    EXPECT_EQ(cp[0].vi(4), (std::vector<int64_t>{1, 2, 3}));
    EXPECT_EQ(cp[0].i(8), 3);
    EXPECT_EQ(cp[0].i(15), 21);
    EXPECT_EQ(m.callsTo("WGCreateEvenGridDataSetVB")[0].vd(1), (std::vector<double>{1, 2, 3, 4}));
    EXPECT_EQ(m.count("WGCreateGraph"), 1u);
}

TEST(ChartModel, ColourValuesTranslate) {
    ScopedHeadlessChart chart;
    ChartModel& m = chart.get();
    EXPECT_EQ(ColourOf(m.WGGetRGBColor(15)), (Rgb{255, 255, 255}));
    EXPECT_EQ(ColourOf(15), (Rgb{255, 255, 255}));
    EXPECT_EQ(ColourOf(m.WGGetRGBColor(12)), (Rgb{255, 0, 0}));
    EXPECT_EQ(ColourOf(0), (Rgb{0, 0, 0}));
    EXPECT_EQ(ColourOf(99), (Rgb{0, 0, 0}));
}
