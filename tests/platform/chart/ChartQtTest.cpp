// Chart pages as windows: caption, page menu, painting, resize, right-button actions after
// the press, the user's close box, Copy and Save as PNG.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>

#include "ChartPainter.h"
#include "ChartQt.h"
#include "PrintQt.h"
#include "forms/HeadlessForms.h"

using namespace chart;
using chartqt::QtChart;

namespace {
// A page with one graph: plot area light cyan, a red filled square object in the middle.
struct Fixture {
    QtChart chart;
    Handle owner = 0, page = 0, graph = 0, box = 0;
    Fixture() {
        owner = chart.CreateCanvasWindow("frmGraph2");
        WGErrInfo err;
        int32_t ctx = 0;
        page = chart.WGCreatePage("Score  Grid", owner, "Contour Plot", "PageMe", 15, 8, &err);
        graph = chart.WGCreateGraph(page, 0, 0, 1, 1, 15, 0, 1, &err, &ctx);
        chart.WGSetPlotArea(graph, ctx, 0.15, 0.1, 0.9, 0.85, 11);
        chart.WGScalePlotArea(graph, 0, 0, 10, 10);
        box = chart.WGRectangleNorm(graph, ctx, 0.5, 0.45, 0.55, 0.5, 12, 1, 0, 12);
        chart.WGUpdatePage(page);
    }
};
QColor At(const QImage& img, QPointF p) { return img.pixelColor(p.toPoint()); }
}  // namespace

TEST(ChartQt, PageIsAWindowWithCaptionAndPageMenu) {
    Fixture f;
    QMainWindow* w = f.chart.PageWindow(f.page);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());  // shown by WGUpdatePage
    EXPECT_EQ(w->windowTitle(), "Contour Plot");
    EXPECT_EQ(w->parentWidget(), f.chart.Window(f.owner));
    QStringList actions;
    for (QAction* a : w->menuBar()->actions().first()->menu()->actions()) actions << a->objectName();
    EXPECT_EQ(actions, (QStringList{"Print", "Copy", "SavePng"}));
}

TEST(ChartQt, RepaintsAtItsNewSize) {
    Fixture f;
    QMainWindow* w = f.chart.PageWindow(f.page);
    for (QSize s : {QSize(400, 300), QSize(900, 500)}) {
        w->resize(s);
        QApplication::processEvents();
        QImage img = f.chart.Render(f.page);
        EXPECT_EQ(img.size(), w->centralWidget()->size());
        const Graph* g = f.chart.graph(f.graph);
        // The square (norm 0.5..0.55 x 0.45..0.5) and the plot area follow the size.
        EXPECT_EQ(At(img, chartqt::NormToPixel(*g, 0.525, 0.475, img.size())), QColor(255, 0, 0));
        EXPECT_EQ(At(img, chartqt::NormToPixel(*g, 0.3, 0.3, img.size())), QColor(0, 255, 255));
        // The grabbed window shows the same picture.
        QImage shown = w->centralWidget()->grab().toImage();
        EXPECT_EQ(shown.pixelColor(chartqt::NormToPixel(*g, 0.525, 0.475, img.size()).toPoint()), QColor(255, 0, 0));
    }
}

TEST(ChartQt, RightButtonActionRunsAfterThePressAndMayReplaceThePage) {
    Fixture f;
    int runs = 0;
    Handle replacement = 0;
    f.chart.WGSetProcessMouseEventFlag(-1);
    f.chart.WGSetMouseEventAction(f.graph, kRightButtonDown, 6, [&](int32_t, int32_t, int32_t, int32_t, int32_t) {
        ++runs;
        f.chart.WGClosePage(f.page);
        WGErrInfo err;
        replacement = f.chart.WGCreatePage("Score  Grid", f.owner, "Contour Plot", "PageMe", 15, 8, &err);
        f.chart.WGUpdatePage(replacement);
        return 0;
    });
    QWidget* canvas = f.chart.PageWindow(f.page)->centralWidget();
    QTest::mouseClick(canvas, Qt::RightButton, {}, QPoint(100, 100));
    EXPECT_EQ(runs, 0);  // not inside the press
    QApplication::processEvents();
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(f.chart.WGIsPageDescValid(f.page), 0);
    ASSERT_NE(f.chart.PageWindow(replacement), nullptr);
    EXPECT_TRUE(f.chart.PageWindow(replacement)->isVisible());
}

TEST(ChartQt, TheUsersCloseBoxEndsThePage) {
    Fixture f;
    f.chart.PageWindow(f.page)->close();
    QApplication::processEvents();
    EXPECT_EQ(f.chart.WGIsPageDescValid(f.page), 0);
    EXPECT_EQ(f.chart.PageWindow(f.page), nullptr);
    EXPECT_EQ(f.chart.WGIsGraphDescValid(f.graph), 0);
}

TEST(ChartQt, PageMenuCopiesAndSavesThePicture) {
    Fixture f;
    QMainWindow* w = f.chart.PageWindow(f.page);
    auto action = [&](const char* name) { return w->findChild<QAction*>(name); };
    action("Copy")->trigger();
    QImage copied = QGuiApplication::clipboard()->image();
    EXPECT_EQ(copied.size(), w->centralWidget()->size());

    QTemporaryDir dir;
    forms::ScopedHeadlessForms forms;
    std::string path = QDir(dir.path()).filePath("page.png").toStdString();
    forms->saveAnswers.push_back(path);
    action("SavePng")->trigger();
    ASSERT_EQ(forms->saveRequests.size(), 1u);
    EXPECT_EQ(forms->saveRequests[0].filter, "PNG image (*.png)|*.png");
    QImage saved(QString::fromStdString(path));
    ASSERT_FALSE(saved.isNull());
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), f.chart.Render(f.page).convertToFormat(QImage::Format_RGB32));

    // Print sends the page to the printer: here a PDF file, as no printer is configured.
    printqt::SetPdfFolder(dir.path().toStdString());
    printqt::SetForcePdf(true);
    action("Print")->trigger();
    printqt::SetForcePdf(false);
    QFileInfo pdf(QString::fromStdString(printqt::LastPdfPath()));
    EXPECT_EQ(pdf.dir().path(), dir.path());
    EXPECT_GT(pdf.size(), 1000);

    // A folder that cannot be written says so.
    forms->saveAnswers.push_back("/nonexistent-folder/page.png");
    action("SavePng")->trigger();
    ASSERT_EQ(forms->messages.size(), 1u);
    EXPECT_NE(forms->messages[0].prompt.find("could not be saved"), std::string::npos);
}

TEST(ChartQt, CanvasWindowsComeFromTheirFactory) {
    QtChart chart;
    QWidget* made = nullptr;
    chart.SetCanvasFactory("frmGraph", [&] { return made = new QWidget; });
    Handle h = chart.CreateCanvasWindow("frmGraph");
    EXPECT_EQ(chart.Window(h), made);
    Handle plain = chart.CreateCanvasWindow("frmGraph2");
    ASSERT_NE(chart.Window(plain), nullptr);
    EXPECT_EQ(chart.Window(plain)->objectName(), "frmGraph2");
    EXPECT_FALSE(chart.Window(plain)->isVisible());
    delete made;
}
