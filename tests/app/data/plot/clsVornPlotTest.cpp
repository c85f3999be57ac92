// PrintData through the recording printer; PlotDistributions through the recording chart.
#include <gtest/gtest.h>

#include <cmath>

#include "chart/HeadlessChart.h"
#include "clsVorn.h"
#include "PrintedTable.h"
#include "print/Printer.h"
#include "vb/VbError.h"
#include "vb/VbRuntime.h"

namespace {
// Samples at the given times over classes 10, 12, ..., one mode per sample.
void Fill(clsVorn& v, const std::vector<float>& times, int16_t classes = 20) {
    v.setMinLength(10);
    v.setClassSize(2);
    v.ResizeData(static_cast<int16_t>(times.size()), classes);
    for (int16_t i = 1; i <= static_cast<int16_t>(times.size()); ++i) {
        v.setsTime(i, times[i - 1]);
        for (int16_t j = 1; j <= classes; ++j)
            v.setDists(i, j, std::round(50 * std::exp(-std::pow((j - 4.0 - 3 * i) / 2.0, 2))));
    }
    v.Calc_dist_totals();
}
}  // namespace

TEST(clsVornPlot, PrintDataPrintsTheTableInSixCharacterCells) {
    print::ScopedRecordingPrinter printer;
    clsVorn v;
    Fill(v, {0.5f, 1.25f}, 3);
    v.setFileName("C:\\data\\LAKE.VN5");
    v.setFileDesc("Lake samples");
    const float counts[2][3] = {{1234567, 3, 0}, {7, 12.5f, -2.5f}};
    for (int16_t i = 1; i <= 2; ++i)
        for (int16_t j = 1; j <= 3; ++j) v.setDists(i, j, counts[i - 1][j - 1]);
    v.PrintData();
    // Each row ends with a CR, which ends its printed line.
    EXPECT_EQ(printer->texts(), (std::vector<std::string>{
                                    "C:\\data\\LAKE.VN5",
                                    "",
                                    "Lake samples",
                                    "",
                                    "Class  .5    1.25 ",
                                    " 10    12345 7    ",  // seven digits: a space and the first five
                                    " 12    3     12.5 ",
                                    " 14    0    -2.5  ",
                                }));
    EXPECT_EQ(printer->documentsEnded, 1);
}

TEST(clsVornPlot, WideSetsPrintInBlocksOfSamplesAndLongTextsWrap) {
    print::ScopedRecordingPrinter printer;
    printer->charsPerLine = 40;  // room for the class column and five samples
    clsVorn v;
    std::vector<float> times;
    for (int i = 1; i <= 12; ++i) times.push_back(static_cast<float>(i));
    Fill(v, times, 2);
    for (int16_t i = 1; i <= 12; ++i)
        for (int16_t j = 1; j <= 2; ++j) v.setDists(i, j, static_cast<float>(10 * i + j));
    v.setFileName("/home/user/data/north-sea/plaice-1998-q4.vn5");  // 44 characters
    v.setFileDesc("Plaice of the North Sea, quarterly survey of 1998, all ports" + std::string(195, ' '));
    v.PrintData();
    EXPECT_EQ(printer->texts(), (std::vector<std::string>{
                                    "/home/user/data/north-sea/plaice-1998-q4",
                                    ".vn5",
                                    "",
                                    "Plaice of the North Sea, quarterly",
                                    "survey of 1998, all ports",
                                    "",
                                    "Class  1     2     3     4     5    ",
                                    " 10    11    21    31    41    51   ",
                                    " 12    12    22    32    42    52   ",
                                    "",
                                    "Class  6     7     8     9     10   ",
                                    " 10    61    71    81    91    101  ",
                                    " 12    62    72    82    92    102  ",
                                    "",
                                    "Class  11    12   ",
                                    " 10    111   121  ",
                                    " 12    112   122  ",
                                }));
}

// Sixty samples of six characters each are far wider than the page: every time and every
// count still reaches the page, under its sample and beside its class, within the page.
TEST(clsVornPlot, SixtySamplesPrintEveryCountWithinThePage) {
    print::ScopedRecordingPrinter printer;
    clsVorn v;
    v.setMinLength(100);
    v.setClassSize(2);
    v.ResizeData(60, 12);
    std::set<std::string> times, classes;
    std::map<std::pair<std::string, std::string>, std::string> counts;
    const auto text = [](float x) { return testsupport::Words(vb::Str(x)).at(0); };
    for (int16_t i = 1; i <= 60; ++i) {
        v.setsTime(i, 0.25f * i);
        times.insert(text(0.25f * i));
        for (int16_t j = 1; j <= 12; ++j) {
            v.setDists(i, j, static_cast<float>(100 * i + j));
            counts[{text(100.0f + 2 * (j - 1)), text(0.25f * i)}] = text(static_cast<float>(100 * i + j));
        }
    }
    for (int16_t j = 1; j <= 12; ++j) classes.insert(text(100.0f + 2 * (j - 1)));
    v.Calc_dist_totals();
    v.PrintData();
    EXPECT_EQ(testsupport::LinesWiderThanThePage(printer.get()), std::vector<std::string>{});
    const testsupport::PrintedTable table = testsupport::ReadPrintedTable(printer->texts(), "Class", classes, times);
    EXPECT_EQ(table.problems, std::vector<std::string>{});
    EXPECT_EQ(table.blocks, 5);  // 12 samples beside the class column fill a line of 79
    EXPECT_EQ(table.cells, counts);
}

TEST(clsVornPlot, PrinterFailuresReachTheCaller) {
    print::ScopedRecordingPrinter printer;
    printer->failToStart = true;
    clsVorn v;
    Fill(v, {0.5f}, 2);
    try {
        v.PrintData();
        FAIL();
    } catch (const VbError& e) {
        EXPECT_EQ(e.Number, print::kPrinterError);
    }
}

TEST(clsVornPlot, PlotsEverySampleAsPeaksAndTroughs) {
    chart::ScopedHeadlessChart chart;
    auto& m = chart.get();
    clsVorn v;
    EXPECT_FALSE(v.LFGraphVisible());
    Fill(v, {0.25f, 0.5f, 1.0f});
    v.setDists(3, 1, -10);  // a negative count goes right of its base line
    v.PlotDistributions();
    EXPECT_TRUE(v.LFGraphVisible());
    EXPECT_EQ(m.callsTo("WGTitleGraph").at(0).s(2), "Length Frequency Plot");
    EXPECT_EQ(m.callsTo("WGTitleAxis").at(0).s(4), "Sample Timing");
    EXPECT_EQ(m.callsTo("WGTitleAxis").at(1).s(4), "Length Class");
    EXPECT_EQ(m.count("WGLinePlot"), 0u);  // no curve type: no curves

    auto sets = m.callsTo("WGDefineGroupDataSetVB");
    ASSERT_EQ(sets.size(), 6u);
    EXPECT_EQ(sets[0].s(0), " .25");
    EXPECT_EQ(sets[1].s(0), "_trough .25");
    EXPECT_EQ(sets[5].s(0), "_trough 1");
    // Peak of sample 1 in class j: t - count / max * 0.75 * gap (gap 0.25, max 50).
    const auto& ends = sets[0].vd(2);
    for (int16_t j = 1; j <= 20; ++j) {
        float count = v.Dists(1, j);
        double top = count > 0 ? 0.25 - double(count / 50.0f) * 0.75 * double(0.25f) : 0.25;
        EXPECT_DOUBLE_EQ(ends[2 * (j - 1)], 0.25);
        EXPECT_DOUBLE_EQ(ends[2 * (j - 1) + 1], top) << j;
    }
    EXPECT_EQ(sets[0].vd(1).front(), 10);
    // Trough of sample 3 class 1: t + count / min * 0.75 * gap, min = -10.
    EXPECT_DOUBLE_EQ(sets[5].vd(2)[1], 1.0 + 1.0 * 0.75 * double(0.25f));
    // Troughs white, peaks light red.
    auto bars = m.callsTo("WGFloatingBars");
    EXPECT_EQ(bars[0].i(6), m.WGGetRGBColor(12));
    EXPECT_EQ(bars[1].i(6), m.WGGetRGBColor(15));

    // A new plot replaces the old one; closing leaves the object.
    int32_t first = m.lastPage();
    v.PlotDistributions();
    EXPECT_EQ(m.WGIsPageDescValid(first), 0);
    EXPECT_EQ(m.pages().size(), 1u);
    // The plot window is made once.
    EXPECT_EQ(m.count("CreateCanvasWindow"), 1u);
    v.TerminateLFPlot();
    EXPECT_FALSE(v.LFGraphVisible());
    EXPECT_TRUE(m.pages().empty());
}

TEST(clsVornPlot, GrowthCurveTitlesNameTheCurveAndItsParameters) {
    struct Case {
        int32_t curve;
        std::string title;
    } cases[] = {
        {0, "Growth Curve = Non Seasonal. Linf = 75.00. K = 0.50. Tzero = -0.20."},
        {1, "Growth Curve = Hoenig Seasonal. K = 0.50. Tzero = -0.20. Ts = 0.30. C = 0.80. Linf = 75.00."},
        {2, "Growth Curve = Pauly Seasonal. Linf = 75.00. K = 0.50. Tzero = -0.20. Ts = 0.30. NGT = 0.25."},
        {3, "Length Frequency Plot"},
    };
    for (const auto& c : cases) {
        chart::ScopedHeadlessChart chart;
        clsVorn v;
        Fill(v, {0.25f, 0.5f, 1.0f});
        v.PlotDistributions(0.5f, 75, -0.2f, 0.3f, 0.8f, 0.25f, c.curve);
        EXPECT_EQ(chart->callsTo("WGTitleGraph").at(0).s(2), c.title);
        EXPECT_EQ(chart->count("WGLinePlot") > 0, c.curve != 3) << c.curve;
    }
}

TEST(clsVornPlot, CurvesFollowEachCohortUpTo99PercentOfLinf) {
    chart::ScopedHeadlessChart chart;
    auto& m = chart.get();
    clsVorn v;
    Fill(v, {0.25f, 0.5f, 1.0f, 1.5f, 2.0f});
    const float K = 0.8f, Linf = 60, t0 = -3.4f;
    v.PlotDistributions(K, Linf, t0, 0, 0, 0, 0);
    auto curves = m.callsTo("WGDefineDataSetVB");
    ASSERT_GE(curves.size(), 3u);
    for (size_t c = 0; c < curves.size(); ++c) {
        EXPECT_EQ(curves[c].s(0), std::to_string(c + 1));
        const auto& t = curves[c].vd(1);
        const auto& L = curves[c].vd(2);
        ASSERT_LE(t.size(), 125u);
        ASSERT_FALSE(t.empty());
        // t0 moved on by whole years into the last year: cohort 1 is born at 1.6.
        const double born = 1.6 - double(c);
        for (size_t k = 0; k < t.size(); ++k) {
            EXPECT_GE(t[k], born - 1e-5);
            EXPECT_LT(t[k], 2.0);
            EXPECT_LE(L[k], 0.99 * Linf + 1e-4);
            EXPECT_NEAR(L[k], Linf * (1 - std::exp(-K * (t[k] - born))), 1e-3);
        }
    }
    // Every cohort still below 0.99 Linf at time 0 is drawn; the next is not.
    const double nextBorn = 1.6 - double(curves.size());
    EXPECT_GT(Linf * (1 - std::exp(-K * (0 - nextBorn))), 0.99 * Linf);
}

TEST(clsVornPlot, DataSetsWithManySamplesPlotAndEmptyOnesAreRefused) {
    chart::ScopedHeadlessChart chart;
    clsVorn v;
    std::vector<float> times;
    for (int i = 1; i <= 60; ++i) times.push_back(0.1f * i);
    Fill(v, times, 110);
    v.PlotDistributions(0.5f, 75, -0.2f, 0, 0, 0, 0);
    EXPECT_TRUE(v.LFGraphVisible());
    EXPECT_EQ(chart->count("WGFloatingBars"), 120u);

    clsVorn empty;
    EXPECT_THROW(empty.PlotDistributions(), VbError);
    EXPECT_FALSE(empty.LFGraphVisible());
}
