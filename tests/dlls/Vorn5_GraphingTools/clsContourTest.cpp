// The contour plot's drawing calls, as the charting layer records them.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "Hald_Error.h"
#include "chart/HeadlessChart.h"
#include "clsContour.h"
#include "forms/HeadlessForms.h"
#include "vb/VbError.h"

using chart::ChartCall;
namespace fs = std::filesystem;

namespace {

// A 15 x 15 score grid: x 0.1..1.5, y 10..150, z = 100 - (i - 8)^2 - (j - 6)^2, so
// zmin = -30 at (1, 15) and zmax = 100 at (8, 6).
struct Grid {
    std::vector<double> x, y;
    std::vector<std::vector<double>> z;  // [j][i]
    Grid(int nx = 15, int ny = 15) {
        for (int i = 1; i <= nx; ++i) x.push_back(0.1 * i);
        for (int j = 1; j <= ny; ++j) y.push_back(10.0 * j);
        z.assign(ny, std::vector<double>(nx));
        for (int j = 1; j <= ny; ++j)
            for (int i = 1; i <= nx; ++i) z[j - 1][i - 1] = 100 - (i - 8) * (i - 8) - (j - 6) * (j - 6);
    }
};

// Error log in a folder of its own.
struct LogFolder {
    fs::path dir;
    LogFolder() {
        dir = fs::temp_directory_path() / ("vorn_contour_log_" + std::to_string(::getpid()) + "_" +
                                           std::to_string(reinterpret_cast<uintptr_t>(this)));
        fs::create_directories(dir);
        ErrorLogging::SetLogFolder(dir.string());
    }
    ~LogFolder() {
        ErrorLogging::SetLogFolder("");
        fs::remove_all(dir);
    }
    std::string text() const {
        std::string all;
        for (const auto& e : fs::directory_iterator(dir)) {
            std::ifstream in(e.path(), std::ios::binary);
            std::stringstream ss;
            ss << in.rdbuf();
            all += ss.str();
        }
        return all;
    }
    size_t records() const {
        std::string t = text();
        size_t n = 0;
        for (size_t p = t.find("\r\n"); p != std::string::npos; p = t.find("\r\n", p + 2)) ++n;
        return n;
    }
};

// The scoring methods' calling order.
void Build(clsContour& c, const Grid& g, int32_t lines = 2003, bool withMouse = true) {
    c.setWithMouse(withMouse);
    c.setCaption("Score Function Contour Plot");
    c.Create("Score Grid", GrColor::OffWhite, GrColor::OffWhite, false, false, "K", "Linf");
    c.MinimLine(lines, GrColor::LightCyan, GrPenStyle::PenSolid, 1);
    c.AddContourPlot(g.x, g.y, g.z, 10, 1, 0, 0, GrContFill::ContourFill, "FuncVal");
    c.setGranularity(3);
    for (int k = 0; k < 5; ++k) c.AddShape(GrShape::ShapeCircle, GrColor::YELLOW, 1);
    for (int k = 0; k < 5; ++k) c.AddShape(GrShape::ShapeSquare, GrColor::BLACK, 1);
    c.AddShape(GrShape::ShapeSquare, GrColor::LightMagenta, 1);
}

std::vector<double> Levels(double zmin, double zmax) {
    std::vector<double> v{zmin};
    double s = (zmax - zmin) / 10;
    for (int i = 2; i <= 10; ++i) v.push_back(zmin + i * s);
    return v;
}

}  // namespace

TEST(clsContour, DrawsTheGridWithLevelsFromItsRange) {
    chart::ScopedHeadlessChart chart;
    clsContour c;
    Grid g;
    Build(c, g);
    EXPECT_FALSE(c.Visible());
    c.ShowGraph(77);
    EXPECT_TRUE(c.Visible());
    auto& m = chart.get();

    auto page = m.callsTo("WGCreatePage").at(0);
    EXPECT_EQ(page.s(0), "Score  Grid");  // first 6 and last 5 characters of the title
    EXPECT_EQ(page.i(1), 77);
    EXPECT_EQ(page.s(2), "Score Function Contour Plot");
    EXPECT_EQ(page.s(3), "PageMe");

    // The grid goes over column by column, x fastest.
    auto ds = m.callsTo("WGCreateEvenGridDataSetVB").at(0);
    EXPECT_EQ(ds.s(0), "FuncVal");
    EXPECT_DOUBLE_EQ(ds.vd(1)[2 + 15 * 4], g.z[4][2]);
    EXPECT_DOUBLE_EQ(ds.d(2), 0.1);
    EXPECT_DOUBLE_EQ(ds.d(3), 10);
    EXPECT_NEAR(ds.d(4), 0.1, 1e-12);
    EXPECT_DOUBLE_EQ(ds.d(5), 10);

    // Levels zmin, zmin + 2s, ..., zmin + 10s: no level at zmin + s.
    auto cp = m.callsTo("WGContourPlot").at(0);
    EXPECT_EQ(cp.vd(3), Levels(-30, 100));
    EXPECT_EQ(cp.i(7), 10);
    EXPECT_EQ(cp.i(8), 3);
    EXPECT_EQ(cp.i(15), 21);
    // Default colours, translated; the eleventh stays black.
    std::vector<int64_t> colours;
    for (int idx : {1, 8, 4, 2, 6, 12, 17, 16, 15, 0, 0}) colours.push_back(m.WGGetRGBColor(idx));
    EXPECT_EQ(cp.vi(4), colours);
    EXPECT_EQ(cp.vi(9), std::vector<int64_t>(10, 1));   // draw flags
    EXPECT_EQ(cp.vi(10), std::vector<int64_t>(10, 0));  // labels off
    EXPECT_EQ(c.ContourValues(), Levels(-30, 100));

    // Axes from the rounded grid range, a tick of a tenth of it.
    auto scale = m.callsTo("WGScalePlotArea").at(0);
    EXPECT_EQ((std::vector<double>{scale.d(1), scale.d(2), scale.d(3), scale.d(4)}),
              (std::vector<double>{0.1, 10, 1.5, 150}));
    EXPECT_DOUBLE_EQ(m.callsTo("WGDrawXAxis").at(0).d(2), 0.14);
    EXPECT_DOUBLE_EQ(m.callsTo("WGDrawYAxis").at(0).d(2), 14);
    auto labels = m.callsTo("WGLabelAxis");
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_EQ(labels[0].i(5), 0);  // y range 140 > 10: no decimals
    EXPECT_EQ(labels[1].i(5), 1);  // x range 1.4: |0| + 1

    // 2003 hidden path lines and 11 hidden markers (5 circles, 6 squares).
    EXPECT_EQ(m.count("WGLine"), 2003u);
    EXPECT_EQ(m.count("WGEllipseNorm"), 5u);
    EXPECT_EQ(m.count("WGRectangleNorm"), 6u);
    size_t hidden = 0;
    for (const auto& s : m.callsTo("WGShowObject")) hidden += s.i(2) == 0;
    EXPECT_EQ(hidden, 2003u + 11u);
    EXPECT_EQ(m.callsTo("WGSetMouseEventAction").at(0).i(1), 516);
    EXPECT_EQ(m.callsTo("WGUpdatePage").size(), 1u);
    EXPECT_EQ(c.Title(), "Score Grid");
}

TEST(clsContour, RightClicksRaiseTheLowestLevelAndRedrawThePath) {
    chart::ScopedHeadlessChart chart;
    auto& m = chart.get();
    clsContour c;
    Grid g;
    Build(c, g);
    c.ShowGraph(1);
    std::vector<std::array<double, 4>> path = {{0.2, 20, 0.5, 60}, {0.5, 60, 0.8, 60}, {0.8, 60, 0.75, 55}};
    for (auto s : path) ASSERT_TRUE(c.AddLine(s[0], s[1], s[2], s[3]));

    const double expected[] = {35, 67.5};  // (zmin + zmax) / 2, then (zmin' + zmax) / 2
    for (double zmin : expected) {
        int32_t oldPage = c.Page();
        m.calls.clear();
        ASSERT_TRUE(m.RightClick(c.Page()));
        EXPECT_EQ(m.WGIsPageDescValid(oldPage), 0);
        EXPECT_TRUE(c.Visible());
        EXPECT_NE(c.Page(), oldPage);
        EXPECT_EQ(m.callsTo("WGContourPlot").at(0).vd(3), Levels(zmin, 100));
        // The segments drawn before the click are drawn and shown again on the new graph.
        auto moved = m.callsTo("WGChangeObjectCoord");
        ASSERT_EQ(moved.size(), path.size());
        for (size_t k = 0; k < path.size(); ++k) {
            EXPECT_EQ(moved[k].i(0), c.Graph());
            EXPECT_EQ((std::vector<double>{moved[k].d(2), moved[k].d(3), moved[k].d(4), moved[k].d(5)}),
                      (std::vector<double>(path[k].begin(), path[k].end())));
        }
        size_t shown = 0;
        for (const auto& s : m.callsTo("WGShowObject")) shown += s.i(2) == -1;
        EXPECT_EQ(shown, path.size());  // the markers stay hidden until the next ShowShape
        EXPECT_EQ(c.NextSegment(), 4);
    }
    // The path goes on after the redraws.
    double a = 0.75, b = 55, d = 0.7, e = 50;
    EXPECT_TRUE(c.AddLine(a, b, d, e));
    EXPECT_EQ(c.NextSegment(), 5);
}

TEST(clsContour, WithoutMouseARightClickOnlyMarksTheClick) {
    chart::ScopedHeadlessChart chart;
    auto& m = chart.get();
    clsContour c;
    Grid g;
    Build(c, g, 10, false);
    c.ShowGraph(1);
    int32_t page = c.Page();
    m.RightClick(page);
    EXPECT_EQ(c.Page(), page);
    EXPECT_EQ(m.count("WGCreatePage"), 1u);
}

TEST(clsContour, EachPageRedrawsItsOwnPlot) {
    chart::ScopedHeadlessChart chart;
    auto& m = chart.get();
    clsContour first, second;
    Grid g;
    Build(first, g);
    first.ShowGraph(1);
    Build(second, g);  // Create on the second makes it the last one made
    second.ShowGraph(2);
    int32_t firstPage = first.Page(), secondPage = second.Page();
    m.RightClick(firstPage);
    EXPECT_NE(first.Page(), firstPage);
    EXPECT_EQ(second.Page(), secondPage);
}

TEST(clsContour, AddLineClampsIntoTheAxesAndHandsTheValuesBack) {
    chart::ScopedHeadlessChart chart;
    auto& m = chart.get();
    clsContour c;
    Grid g;  // axes 0.1..1.5 and 10..150
    Build(c, g, 5);
    c.ShowGraph(1);
    struct Case {
        std::array<double, 4> in, out;
    } cases[] = {
        {{0.5, 50, 0.6, 60}, {0.5, 50, 0.6, 60}},
        {{0.0, 5, 2.0, 200}, {0.1, 10, 1.5, 150}},
        {{-1, 160, 0.7, -3}, {0.1, 150, 0.7, 10}},
    };
    for (const auto& cs : cases) {
        double x1 = cs.in[0], y1 = cs.in[1], x2 = cs.in[2], y2 = cs.in[3];
        ASSERT_TRUE(c.AddLine(x1, y1, x2, y2));
        EXPECT_EQ((std::array<double, 4>{x1, y1, x2, y2}), cs.out);
        auto moved = m.callsTo("WGChangeObjectCoord").back();
        EXPECT_EQ((std::array<double, 4>{moved.d(2), moved.d(3), moved.d(4), moved.d(5)}), cs.out);
        EXPECT_EQ(moved.i(6), -1);
    }
}

TEST(clsContour, AFullLineStoreAndAClosedGraphFailWithOneLogRecordEach) {
    LogFolder log;
    forms::ScopedHeadlessForms forms;
    chart::ScopedHeadlessChart chart;
    clsContour c;
    Grid g;
    Build(c, g, 2003);
    c.ShowGraph(1);
    for (int k = 1; k <= 2003; ++k) {
        double x1 = 0.2, y1 = 20, x2 = 0.3, y2 = 30;
        ASSERT_TRUE(c.AddLine(x1, y1, x2, y2)) << k;
    }
    double x1 = 0.2, y1 = 20, x2 = 0.3, y2 = 30;
    EXPECT_FALSE(c.AddLine(x1, y1, x2, y2));  // line 2004 of 2003
    EXPECT_EQ(log.records(), 1u);
    EXPECT_NE(log.text().find("cls_Contour_AddLine"), std::string::npos);
    EXPECT_EQ(chart->count("WGCleanup"), 1u);
    EXPECT_TRUE(forms->messages.empty());  // logged only, no box

    EXPECT_FALSE(c.ShowShape(0.02, 12, 0.5, 50));  // there are 11 markers
    EXPECT_EQ(log.records(), 2u);

    c.CloseGraph();
    EXPECT_FALSE(c.Visible());
    EXPECT_FALSE(c.AddLine(x1, y1, x2, y2));
    EXPECT_FALSE(c.ShowShape(0.02, 1, 0.5, 50));
    EXPECT_EQ(log.records(), 4u);
    EXPECT_NE(log.text().find("Graph Desc Not Valid"), std::string::npos);
    EXPECT_NE(log.text().find("2941"), std::string::npos);
}

TEST(clsContour, ShowShapeCentresTheMarkerOnItsPoint) {
    chart::ScopedHeadlessChart chart;
    auto& m = chart.get();
    clsContour c;
    Grid g;
    Build(c, g);
    c.ShowGraph(1);
    ASSERT_TRUE(c.ShowShape(0.02, 11, 0.8, 80));
    auto moved = m.callsTo("WGChangeObjectCoordNorm").back();
    double xn = 0.15 + 0.75 * (0.8 - 0.1) / 1.4, yn = 0.1 + 0.75 * (1 - (80 - 10) / 140.0);
    EXPECT_NEAR(moved.d(2), xn - 0.01, 1e-12);
    EXPECT_NEAR(moved.d(3), yn - 0.01, 1e-12);
    EXPECT_NEAR(moved.d(4), xn + 0.01, 1e-12);
    EXPECT_NEAR(moved.d(5), yn + 0.01, 1e-12);
    auto shown = m.callsTo("WGShowObject").back();
    EXPECT_EQ(shown.i(1), moved.i(1));
    EXPECT_EQ(shown.i(2), -1);
}

TEST(clsContour, FlatGridsAndNarrowRangesStillDraw) {
    chart::ScopedHeadlessChart chart;
    auto& m = chart.get();
    clsContour c;
    Grid g(5, 5);
    for (auto& row : g.z) std::fill(row.begin(), row.end(), 7.0);
    g.x = {0.10, 0.11, 0.12, 0.13, 0.14};  // K 0.10..0.14: a tenth of the range rounds to 0
    Build(c, g, 10);
    c.ShowGraph(1);
    EXPECT_TRUE(c.Visible());
    EXPECT_EQ(m.callsTo("WGContourPlot").at(0).vd(3), std::vector<double>(10, 7.0));
    EXPECT_GT(m.callsTo("WGDrawXAxis").at(0).d(2), 0);
    double a = 0.12, b = 20, d = 0.13, e = 30;
    EXPECT_TRUE(c.AddLine(a, b, d, e));
    EXPECT_TRUE(c.ShowShape(0.02, 1, 0.12, 20));
}

TEST(clsContour, GridsThatCannotBeContouredAreRefused) {
    clsContour c;
    Grid g;
    c.AddContourPlot(g.x, g.y, g.z, 10, 1, 0);
    Grid one(1, 15);
    Grid bad;
    bad.z.pop_back();
    struct Case {
        const Grid* grid;
        int32_t n;
        std::optional<int32_t> labels;
        int32_t number;
    } cases[] = {{&one, 10, 0, 5}, {&bad, 10, 0, 9}, {&g, 0, 0, 5}, {&g, 11, 0, 5}};
    for (const auto& cs : cases) {
        try {
            c.AddContourPlot(cs.grid->x, cs.grid->y, cs.grid->z, cs.n, 1, cs.labels);
            FAIL() << cs.n;
        } catch (const VbError& e) {
            EXPECT_EQ(e.Number, cs.number);
        }
    }
    EXPECT_EQ(c.NumContours(), 10);  // the earlier grid is kept
    // Eleven levels without default colours are fine.
    c.AddContourPlot(g.x, g.y, g.z, 11);
    EXPECT_EQ(c.NumContours(), 11);
}

TEST(clsContour, ColoursNeedTheGridFirst) {
    forms::ScopedHeadlessForms forms;
    chart::ScopedHeadlessChart chart;
    clsContour c;
    c.setContourColors(1, GrColor::Green);
    ASSERT_EQ(forms->messages.size(), 1u);
    EXPECT_EQ(forms->messages[0].prompt,
              "You Must Call Method clsContour.AddContourPlot before trying to assign Colours!");
    EXPECT_EQ(forms->messages[0].buttons, 0);
    EXPECT_EQ(forms->messages[0].title, "");
    Grid g;
    Build(c, g, 1);
    c.setContourColors(11, GrColor::Green);
    c.setContourColors(12, GrColor::Green);
    EXPECT_EQ(forms->messages.size(), 2u);
    c.ShowGraph(1);
    EXPECT_EQ(chart->callsTo("WGContourPlot").at(0).vi(4).back(), chart->WGGetRGBColor(2));
}

TEST(clsContour, APageThatCannotBeMadeDrawsNothing) {
    LogFolder log;
    chart::ScopedHeadlessChart chart;
    chart->failPages = 1;
    clsContour c;
    Grid g;
    Build(c, g);
    c.ShowGraph(1);
    EXPECT_FALSE(c.Visible());
    EXPECT_EQ(chart->count("WGCreateGraph"), 0u);
    double a = 0.2, b = 20, d = 0.3, e = 30;
    EXPECT_FALSE(c.AddLine(a, b, d, e));
    EXPECT_EQ(log.records(), 1u);
}
