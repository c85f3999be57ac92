// The length-frequency plot's drawing calls, as the charting layer records them.
#include <gtest/gtest.h>

#include <cmath>

#include "chart/HeadlessChart.h"
#include "clsMultiLFGraph.h"
#include "vb/VbError.h"

namespace {
// A sample at time t: bars at positions 10, 15, ..., 95 reaching left from t by the count.
void AddSample(clsMultiLFGraph& g, double t, const std::string& name, double reach = 0.3) {
    std::vector<double> x;
    std::vector<std::array<double, 2>> y;
    for (int p = 10; p <= 95; p += 5) {
        x.push_back(p);
        y.push_back({t, t - reach * (p == 50 ? 1.0 : 0.5)});
    }
    g.AddFloatPlot(static_cast<int16_t>(x.size()), x, y, name);
}
}  // namespace

TEST(clsMultiLFGraph, LengthAxisIsWidenedToTicksAndStretched) {
    chart::ScopedHeadlessChart chart;
    auto& m = chart.get();
    clsMultiLFGraph g;
    g.Create(GrColor::LightGrey, GrColor::BLACK, GrColor::Grey, "Length Frequency Plot", "Sample Timing",
             "Length Class");
    for (double t : {0.25, 0.5, 0.75}) AddSample(g, t, "s");
    g.ShowGraph(1234);
    EXPECT_TRUE(g.Visible());
    EXPECT_DOUBLE_EQ(g.PosTick(), 20);
    EXPECT_DOUBLE_EQ(g.PosMin(), 0);
    EXPECT_NEAR(g.PosMax(), 110, 1e-12);  // 10..95 widened to 0..100, then x 1.1
    auto scale = m.callsTo("WGScalePlotArea").at(0);
    EXPECT_DOUBLE_EQ(scale.d(2), 0);
    EXPECT_NEAR(scale.d(4), 110, 1e-12);
    EXPECT_DOUBLE_EQ(m.callsTo("WGDrawYAxis").at(0).d(2), 20);
    EXPECT_DOUBLE_EQ(g.BarWidth(), 5);

    auto page = m.callsTo("WGCreatePage").at(0);
    EXPECT_EQ(page.s(0), " 1234");
    EXPECT_EQ(page.s(2), "Length Frequency Plot");
    EXPECT_EQ(page.s(3), "PageMenu");
    EXPECT_EQ(m.callsTo("WGTitleAxis").at(0).s(4), "Sample Timing");
    EXPECT_EQ(m.callsTo("WGTitleAxis").at(1).s(4), "Length Class");
    // Each sample gets its bars (above their positions, width 5) and a baseline at its time
    // over the whole length range.
    auto bars = m.callsTo("WGFloatingBars");
    ASSERT_EQ(bars.size(), 3u);
    EXPECT_DOUBLE_EQ(bars[0].d(3), 5);
    EXPECT_EQ(bars[0].i(4), 4);
    auto lines = m.callsTo("WGLine");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ((std::vector<double>{lines[1].d(4), lines[1].d(5), lines[1].d(6), lines[1].d(7)}),
              (std::vector<double>{0.5, 0, 0.5, g.PosMax()}));
    g.CloseGraph();
    EXPECT_FALSE(g.Visible());
}

TEST(clsMultiLFGraph, TwoSeriesPadTheTimeAxisByAFifthWithoutWidening) {
    for (int series : {2, 3}) {
        chart::ScopedHeadlessChart chart;
        clsMultiLFGraph g;
        g.Create(GrColor::white, GrColor::BLACK, GrColor::white, "t", "x", "y");
        AddSample(g, 1.0, "a", 0.4);  // reaches to 0.6
        if (series == 3) AddSample(g, 1.5, "b", 0.4);
        AddSample(g, 2.0, "c", 0.1);
        g.ShowGraph(1);
        const double lo = 0.6, hi = 2.0, r = hi - lo;
        if (series == 2) {
            EXPECT_NEAR(g.ValMin(), lo - r / 5, 1e-12);
            EXPECT_NEAR(g.ValMax(), hi + r / 5, 1e-12);
        } else {
            // Widened to whole ticks around the padded range.
            EXPECT_LE(g.ValMin(), lo - r / 5);
            EXPECT_GE(g.ValMax(), hi + r / 5);
            EXPECT_NEAR(std::remainder(g.ValMin(), g.ValTick()), 0, 1e-9);
            EXPECT_NEAR(std::remainder(g.ValMax(), g.ValTick()), 0, 1e-9);
        }
        EXPECT_GT(g.ValTick(), 0);
    }
}

TEST(clsMultiLFGraph, TroughSeriesAreWhiteWhateverTheCase) {
    chart::ScopedHeadlessChart chart;
    auto& m = chart.get();
    clsMultiLFGraph g;
    g.Create(GrColor::white, GrColor::BLACK, GrColor::white, "t", "x", "y");
    const std::pair<std::string, int> names[] = {
        {" .5", 12}, {"_trough .5", 15}, {"TROUGH", 15}, {"Troughs of 1999", 15}, {"rough", 12}};
    for (const auto& [name, colour] : names) AddSample(g, 0.5, name);
    g.ShowGraph(1);
    auto bars = m.callsTo("WGFloatingBars");
    ASSERT_EQ(bars.size(), std::size(names));
    for (size_t k = 0; k < bars.size(); ++k)
        EXPECT_EQ(bars[k].i(6), m.WGGetRGBColor(names[k].second)) << names[k].first;
}

TEST(clsMultiLFGraph, InvalidLinePointsAreMarkedWithOrWithoutUseInvalid) {
    for (bool use : {false, true}) {
        chart::ScopedHeadlessChart chart;
        auto& m = chart.get();
        clsMultiLFGraph g;
        g.setUseInvalid(use);
        g.Create(GrColor::white, GrColor::BLACK, GrColor::white, "t", "x", "y");
        AddSample(g, 0.5, "s");
        g.AddLinePlot(4, {0.1, 0.2, 0.3, 0.4}, {10, g.INVALID(), 30, 1.78E+308}, "1");
        g.ShowGraph(1);
        std::vector<int64_t> flags;
        for (const auto& c : m.callsTo("WGMarkDataPoint")) flags.push_back(c.i(2));
        EXPECT_EQ(flags, (std::vector<int64_t>{0, -1, 0, 0}));
        EXPECT_EQ(m.callsTo("WGLinePlot").size(), 1u);
        EXPECT_EQ(m.callsTo("WGSetLineStyle").back().i(4), 14);  // yellow curves
    }
}

TEST(clsMultiLFGraph, ManySamplesAndClassesPlot) {
    chart::ScopedHeadlessChart chart;
    auto& m = chart.get();
    clsMultiLFGraph g;
    g.Create(GrColor::white, GrColor::BLACK, GrColor::white, "t", "x", "y");
    std::vector<double> x;
    std::vector<std::array<double, 2>> y;
    for (int p = 0; p < 200; ++p) x.push_back(p);
    for (int s = 0; s < 60; ++s) {
        y.assign(200, {double(s), s - 0.5});
        g.AddFloatPlot(200, x, y, "s");
    }
    g.ShowGraph(1);
    EXPECT_EQ(m.count("WGFloatingBars"), 60u);
    EXPECT_EQ(m.count("WGLine"), 60u);
    EXPECT_EQ(m.callsTo("WGDefineGroupDataSetVB").back().i(3), 200);
}

TEST(clsMultiLFGraph, DegenerateDataStillDraws) {
    chart::ScopedHeadlessChart chart;
    auto& m = chart.get();
    clsMultiLFGraph g;
    g.Create(GrColor::white, GrColor::BLACK, GrColor::white, "t", "x", "y");
    // One class, one sample, no fish: every range is zero.
    g.AddFloatPlot(1, {10}, {{0.5, 0.5}}, " .5");
    EXPECT_DOUBLE_EQ(g.BarWidth(), 1);
    g.AddFloatPlot(1, {10}, {{0.5, 0.5}}, "_trough .5");
    g.ShowGraph(1);
    EXPECT_TRUE(g.Visible());
    EXPECT_GT(g.PosTick(), 0);
    EXPECT_GT(g.ValTick(), 0);
    EXPECT_LT(g.ValMin(), 0.5);
    EXPECT_GT(g.ValMax(), 0.5);
    EXPECT_GT(g.PosMax(), 10);
    EXPECT_EQ(m.count("WGFloatingBars"), 2u);
    // A one-bar series keeps the width measured before it.
    clsMultiLFGraph h;
    h.AddFloatPlot(2, {10, 12}, {{1, 0.5}, {1, 0.7}}, "a");
    h.AddFloatPlot(1, {10}, {{2, 1.5}}, "b");
    EXPECT_DOUBLE_EQ(h.BarWidth(), 2);
}

TEST(clsMultiLFGraph, BadSeriesAndAPlotWithoutBarsAreRefusedClearly) {
    chart::ScopedHeadlessChart chart;
    clsMultiLFGraph g;
    g.Create(GrColor::white, GrColor::BLACK, GrColor::white, "t", "x", "y");
    g.AddLinePlot(2, {0, 1}, {5, 6}, "curve");
    try {
        g.ShowGraph(1);
        FAIL();
    } catch (const VbError& e) {
        EXPECT_EQ(e.Number, 5);
        EXPECT_NE(e.Description.find("no length-frequency sample"), std::string::npos);
    }
    EXPECT_EQ(chart->count("WGCreatePage"), 0u);
    EXPECT_FALSE(g.Visible());

    EXPECT_THROW(g.AddFloatPlot(3, {1, 2}, {{0, 1}, {0, 1}}, "short"), VbError);
    EXPECT_THROW(g.AddFloatPlot(0, {}, {}, "empty"), VbError);
    EXPECT_THROW(g.AddLinePlot(3, {1}, {1}, "short"), VbError);
    EXPECT_EQ(g.NumFloatSeries(), 0);
    EXPECT_EQ(g.NumLineSeries(), 1);
}

TEST(clsMultiLFGraph, APageThatCannotBeMadeLeavesThePlotClosed) {
    chart::ScopedHeadlessChart chart;
    chart->failPages = 1;
    clsMultiLFGraph g;
    AddSample(g, 0.5, "s");
    g.ShowGraph(1);
    EXPECT_FALSE(g.Visible());
    EXPECT_EQ(chart->count("WGCreateGraph"), 0u);
}
