// The data set's plot as a picture (written to the test output folder) and its printed
// table as a real PDF read back as text.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <cmath>

#include "ChartPainter.h"
#include "PrintQt.h"
#include "chart/HeadlessChart.h"
#include "clsVorn.h"

namespace {
const QSize kSize(900, 650);
const float kK = 0.9f, kLinf = 80, kT0 = -0.1f;

// Quarterly samples whose modes follow the growth curve of the cohort born at -0.1: counts
// peak at the class holding L(t) of that cohort and fall to -2 far from it.
void Fill(clsVorn& v, const std::vector<float>& times) {
    v.setMinLength(4);
    v.setClassSize(2);
    const int16_t classes = 36;
    v.ResizeData(static_cast<int16_t>(times.size()), classes);
    for (int16_t i = 1; i <= static_cast<int16_t>(times.size()); ++i) {
        v.setsTime(i, times[i - 1]);
        float L = 0;
        v.LengthFunc(0, times[i - 1], kK, kLinf, -0.1f, 0, 0, 0, L);
        for (int16_t j = 1; j <= classes; ++j) {
            double mid = 4 + 2 * (j - 1) + 1;
            v.setDists(i, j, std::round(40 * std::exp(-std::pow((mid - L) / 5.0, 2)) - 2));
        }
    }
    v.Calc_dist_totals();
}

QString OutputPath(const QString& name) {
    QByteArray dir = qgetenv("VORN_TEST_OUTPUT");
    QDir d(dir.isEmpty() ? QDir::tempPath() : QString::fromLocal8Bit(dir));
    d.mkpath(".");
    return d.filePath(name);
}
}  // namespace

TEST(clsVornPlotRender, StackedSamplesWithGrowthCurvesCrossingThem) {
    chart::ScopedHeadlessChart chart;
    auto& m = chart.get();
    clsVorn v;
    const std::vector<float> times = {0.25f, 0.5f, 0.75f, 1.0f, 1.25f};
    Fill(v, times);
    v.PlotDistributions(kK, kLinf, kT0, 0, 0, 0, 0);
    ASSERT_TRUE(v.LFGraphVisible());
    const chart::Page* page = m.page(m.lastPage());
    ASSERT_NE(page, nullptr);
    const chart::Graph* g = m.graph(page->graphs.front());
    QImage img = chartqt::RenderPage(m, page->id, kSize);
    ASSERT_TRUE(img.save(OutputPath("data_set_plot.png")));
    EXPECT_EQ(m.callsTo("WGTitleGraph").at(0).s(2),
              "Growth Curve = Non Seasonal. Linf = 80.00. K = 0.90. Tzero = -0.10.");

    // t0 -0.1 moves to 0.9 (the last sample is at 1.25): cohort 2 is born at -0.1 and its
    // curve passes through every sample's mode, in yellow over the sample's base line (the
    // curves' time grid ends at 124/125 of the last sample time, just short of it).
    const QColor yellow(255, 255, 0), lightred(255, 0, 0), white(255, 255, 255);
    for (float t : times) {
        float L = 0;
        v.LengthFunc(0, t, kK, kLinf, -0.1f, 0, 0, 0, L);
        if (t < times.back()) {
            QPointF p = chartqt::DataToPixel(*g, t, L, kSize);
            bool hit = false;
            for (int dy = -3; dy <= 3 && !hit; ++dy)
                for (int dx = -3; dx <= 3 && !hit; ++dx) hit = img.pixelColor(p.toPoint() + QPoint(dx, dy)) == yellow;
            EXPECT_TRUE(hit) << t;
        }
        // The mode's bar reaches left of the base line, in light red.
        const double gap = 0.25;
        int16_t j = static_cast<int16_t>((L - 4) / 2) + 1;
        QPointF bar = chartqt::DataToPixel(*g, t - 0.15 * gap, 4 + 2 * (j - 1) + 1, kSize);
        EXPECT_EQ(img.pixelColor(bar.toPoint()), lightred) << t;
    }
    // The negative counts far from the mode make white troughs right of the base line
    // (at 67, mid-class, between the curves of the cohorts born at -1.1 and -2.1).
    QPointF trough = chartqt::DataToPixel(*g, 0.25 + 0.5 * 0.25, 67, kSize);
    EXPECT_EQ(img.pixelColor(trough.toPoint()), white);
}

TEST(clsVornPlotRender, PrintedTableReadsBackFromThePdf) {
    QTemporaryDir dir;
    printqt::SetPdfFolder(dir.path().toStdString());
    printqt::SetForcePdf(true);
    printqt::QtPrinter printer;
    print::Printer* previous = print::SetPrinter(&printer);
    clsVorn v;
    Fill(v, {0.5f, 1.25f});
    v.setFileName("LAKE.VN5");
    v.setFileDesc("Lake samples");
    v.setDists(1, 1, 1234567);
    v.setDists(2, 1, 0);
    v.PrintData();
    print::SetPrinter(previous);
    printqt::SetForcePdf(false);

    QProcess p;
    p.start("pdftotext", {"-layout", QString::fromStdString(printqt::LastPdfPath()), "-"});
    ASSERT_TRUE(p.waitForFinished(20000));
    const QStringList lines = QString::fromUtf8(p.readAllStandardOutput()).split('\n');
    // The cells' exact widths are checked through the recording printer; the PDF's text
    // layout only keeps the order of the cells.
    auto find = [&](const QString& start) {
        for (const QString& l : lines)
            if (l.trimmed().startsWith(start)) return l.simplified();
        return QString();
    };
    EXPECT_EQ(find("LAKE"), "LAKE.VN5");
    EXPECT_EQ(find("Lake"), "Lake samples");
    EXPECT_EQ(find("Class"), "Class .5 1.25");
    EXPECT_EQ(find("4 "), "4 12345 0");
}
