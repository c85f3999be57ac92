// Pictures of the contour and length-frequency plots, written to the test output folder,
// with what can be checked on their pixels.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <cmath>
#include <set>

#include "ChartPainter.h"
#include "chart/HeadlessChart.h"
#include "clsContour.h"
#include "clsMultiLFGraph.h"

using chart::ChartModel;

namespace {
const QSize kSize(800, 600);

QString OutputPath(const QString& name) {
    QByteArray dir = qgetenv("VORN_TEST_OUTPUT");
    QDir d(dir.isEmpty() ? QDir::tempPath() : QString::fromLocal8Bit(dir));
    d.mkpath(".");
    return d.filePath(name);
}

QColor Expected(int32_t colour) { return chartqt::ToQColor(colour); }

bool AnyNear(const QImage& img, QPointF c, int radius, const QColor& colour) {
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx) {
            QPoint p = c.toPoint() + QPoint(dx, dy);
            if (img.rect().contains(p) && img.pixelColor(p) == colour) return true;
        }
    return false;
}

double Score(double k, double linf) {
    return 100 * std::exp(-std::pow((k - 0.8) / 0.4, 2) - std::pow((linf - 75) / 20, 2));
}
}  // namespace

TEST(GraphingRender, ContourPlotOfAScoreGridWithPathAndMarkers) {
    chart::ScopedHeadlessChart chart;
    ChartModel& m = chart.get();
    std::vector<double> x, y;
    for (int i = 0; i < 15; ++i) x.push_back(0.1 + 0.1 * i);
    for (int j = 0; j < 15; ++j) y.push_back(40 + 5 * j);
    std::vector<std::vector<double>> z(15, std::vector<double>(15));
    for (int j = 0; j < 15; ++j)
        for (int i = 0; i < 15; ++i) z[j][i] = Score(x[i], y[j]);

    clsContour c;
    c.setWithMouse(true);
    c.setCaption("Score Function Contour Plot");
    c.Create("Score Grid", GrColor::OffWhite, GrColor::OffWhite, false, false, "K", "Linf");
    c.MinimLine(2003, GrColor::LightCyan, GrPenStyle::PenSolid, 1);
    c.AddContourPlot(x, y, z, 10, 1, 0, 0, GrContFill::ContourFill, "FuncVal");
    c.setGranularity(3);
    for (int k = 0; k < 5; ++k) c.AddShape(GrShape::ShapeCircle, GrColor::YELLOW, 1);
    for (int k = 0; k < 5; ++k) c.AddShape(GrShape::ShapeSquare, GrColor::BLACK, 1);
    c.AddShape(GrShape::ShapeSquare, GrColor::LightMagenta, 1);
    c.ShowGraph(m.CreateCanvasWindow("frmGraph2"));

    const std::vector<std::pair<double, double>> starts = {{0.3, 50}, {1.3, 50}, {0.3, 100}, {1.3, 100}, {0.5, 90}};
    const std::vector<std::pair<double, double>> ends = {{0.70, 72}, {0.90, 78}, {0.75, 84}, {0.88, 66}, {0.62, 78}};
    const std::pair<double, double> best{0.8, 75};
    std::vector<std::pair<double, double>> path = {starts[0], {0.45, 58}, {0.6, 66}, {0.72, 71}, best};
    for (size_t k = 0; k + 1 < path.size(); ++k) {
        double x1 = path[k].first, y1 = path[k].second, x2 = path[k + 1].first, y2 = path[k + 1].second;
        ASSERT_TRUE(c.AddLine(x1, y1, x2, y2));
    }
    for (int k = 0; k < 5; ++k) ASSERT_TRUE(c.ShowShape(0.02, k + 1, starts[k].first, starts[k].second));
    for (int k = 0; k < 5; ++k) ASSERT_TRUE(c.ShowShape(0.02, k + 6, ends[k].first, ends[k].second));
    ASSERT_TRUE(c.ShowShape(0.02, 11, best.first, best.second));

    QImage img = chartqt::RenderPage(m, c.Page(), kSize);
    ASSERT_TRUE(img.save(OutputPath("contour_plot.png")));
    const chart::Graph* g = m.graph(c.Graph());
    ASSERT_NE(g, nullptr);
    const auto* layer = std::get_if<chart::ContourLayer>(&g->layers.at(0).what);
    ASSERT_NE(layer, nullptr);

    // Each band has its level's colour at a grid point inside it (away from the drawn
    // objects and not on a level).
    auto nearObjects = [&](QPointF p) {
        for (auto pts : {starts, ends, path})
            for (auto [px, py] : pts)
                if (QLineF(p, chartqt::DataToPixel(*g, px, py, kSize)).length() < 16) return true;
        return false;
    };
    std::set<size_t> bandsSeen;
    const auto& lv = layer->levels;
    for (int j = 1; j < 14; ++j)
        for (int i = 1; i < 14; ++i) {
            double v = z[j][i];
            bool onLevel = false;
            for (double l : lv) onLevel |= std::fabs(v - l) < 0.02 * (lv.back() - lv.front());
            QPointF p = chartqt::DataToPixel(*g, x[i], y[j], kSize);
            if (onLevel || nearObjects(p)) continue;
            size_t band = 0;
            while (band < lv.size() && v >= lv[band]) ++band;
            EXPECT_EQ(img.pixelColor(p.toPoint()), Expected(layer->colours[band])) << i << "," << j;
            bandsSeen.insert(band);
        }
    EXPECT_GE(bandsSeen.size(), 6u);

    // The markers sit at their data points: squares filled, circles outlined in yellow.
    for (auto [px, py] : ends)
        EXPECT_EQ(img.pixelColor(chartqt::DataToPixel(*g, px, py, kSize).toPoint()), QColor(0, 0, 0));
    EXPECT_EQ(img.pixelColor(chartqt::DataToPixel(*g, best.first, best.second, kSize).toPoint()), QColor(255, 0, 255));
    // (0.02 page units wide: an ellipse of 16 x 12 pixels on this page)
    const double rx = 0.01 * kSize.width(), ry = 0.01 * kSize.height();
    for (auto [px, py] : starts) {
        QPointF centre = chartqt::DataToPixel(*g, px, py, kSize);
        EXPECT_TRUE(AnyNear(img, centre + QPointF(rx, 0), 1, QColor(255, 255, 0))) << px << "," << py;
        EXPECT_TRUE(AnyNear(img, centre - QPointF(0, ry), 1, QColor(255, 255, 0))) << px << "," << py;
        EXPECT_NE(img.pixelColor(centre.toPoint()), QColor(255, 255, 0));  // outlined, not filled
    }
    // The path is drawn in light cyan between its points.
    QPointF mid = (chartqt::DataToPixel(*g, 0.45, 58, kSize) + chartqt::DataToPixel(*g, 0.6, 66, kSize)) / 2;
    EXPECT_TRUE(AnyNear(img, mid, 1, QColor(0, 255, 255)));
}

TEST(GraphingRender, StackedLengthFrequencyPlotWithCurves) {
    chart::ScopedHeadlessChart chart;
    ChartModel& m = chart.get();
    clsMultiLFGraph lf;
    lf.Create(GrColor::LightGrey, GrColor::BLACK, GrColor::Grey, "Length Frequency Plot", "Sample Timing",
              "Length Class");
    // Four samples a quarter-year apart, one mode each, moving up with time; negative counts
    // in the last one give troughs.
    const double times[] = {0.25, 0.5, 0.75, 1.0};
    const double gap = 0.25, width = 2;
    std::vector<double> lengths;
    for (double L = 10; L < 80; L += width) lengths.push_back(L);
    for (int s = 0; s < 4; ++s) {
        double mode = 30 + 10 * s;
        std::vector<std::array<double, 2>> peak, trough;
        for (double L : lengths) {
            double count = std::exp(-std::pow((L - mode) / 6, 2)) - (s == 3 ? 0.3 : 0);
            peak.push_back({times[s], count > 0 ? times[s] - count * 0.75 * gap : times[s]});
            trough.push_back({times[s], count <= 0 ? times[s] + (count / -0.3) * 0.75 * gap : times[s]});
        }
        lf.AddFloatPlot(static_cast<int16_t>(lengths.size()), lengths, peak, std::to_string(times[s]));
        lf.AddFloatPlot(static_cast<int16_t>(lengths.size()), lengths, trough, "_trough" + std::to_string(times[s]));
    }
    // A growth curve through the modes: L = 30 + 40 (t - 0.25).
    std::vector<double> ct, cl;
    for (int k = 0; k <= 20; ++k) {
        ct.push_back(0.2 + 0.85 * k / 20);
        cl.push_back(30 + 40 * (ct.back() - 0.25));
    }
    lf.AddLinePlot(static_cast<int32_t>(ct.size()), ct, cl, "1");
    lf.ShowGraph(m.CreateCanvasWindow("frmGraph"));

    QImage img = chartqt::RenderPage(m, lf.Page(), kSize);
    ASSERT_TRUE(img.save(OutputPath("length_frequency_plot.png")));
    const chart::Graph* g = m.graph(m.pages().back() ? m.page(lf.Page())->graphs.front() : 0);
    ASSERT_NE(g, nullptr);
    const QColor lightred(255, 0, 0), white(255, 255, 255), yellow(255, 255, 0);
    for (int s = 0; s < 4; ++s) {
        double mode = 30 + 10 * s;
        // Peak bars reach left of the baseline at the mode (inside the bar, mid-class).
        QPointF inPeak = chartqt::DataToPixel(*g, times[s] - 0.3 * gap, mode + width / 2, kSize);
        EXPECT_EQ(img.pixelColor(inPeak.toPoint()), lightred) << s;
        // The curve crosses each sample at its mode.
        EXPECT_TRUE(AnyNear(img, chartqt::DataToPixel(*g, times[s], mode, kSize), 2, yellow)) << s;
    }
    // Troughs of the last sample reach right of its baseline, in white.
    QPointF inTrough = chartqt::DataToPixel(*g, 1.0 + 0.5 * gap, 70 + width / 2, kSize);
    EXPECT_EQ(img.pixelColor(inTrough.toPoint()), white);
    // Away from the bars the plot area shows its own colour.
    EXPECT_EQ(img.pixelColor(chartqt::DataToPixel(*g, 0.4, 75, kSize).toPoint()), QColor(128, 128, 128));
}
