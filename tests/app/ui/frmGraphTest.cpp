// The canvas windows: made for the chart classes, empty, and owners of the chart pages.
#include <gtest/gtest.h>

#include <QMainWindow>

#include "ChartQt.h"
#include "frmGraph.h"

TEST(frmGraph, CanvasWindowsAreEmptyAndOwnThePages) {
    chartqt::QtChart chart;
    frmGraph::RegisterCanvases(chart);
    chart::Handle lf = chart.CreateCanvasWindow("frmGraph");
    chart::Handle contour = chart.CreateCanvasWindow("frmGraph2");
    ASSERT_NE(dynamic_cast<frmGraph*>(chart.Window(lf)), nullptr);
    ASSERT_NE(dynamic_cast<frmGraph2*>(chart.Window(contour)), nullptr);
    EXPECT_TRUE(chart.Window(lf)->children().isEmpty());
    EXPECT_FALSE(chart.Window(lf)->isVisible());

    chart::WGErrInfo err;
    chart::Handle page = chart.WGCreatePage(" 7", lf, "Length Frequency Plot", "PageMenu", 15, 8, &err);
    chart.WGUpdatePage(page);
    QMainWindow* w = chart.PageWindow(page);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->parentWidget(), chart.Window(lf));
    EXPECT_TRUE(w->isVisible());  // shown although its owner stays hidden
    delete chart.Window(lf);
    delete chart.Window(contour);
}
