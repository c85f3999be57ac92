// The graph control widget: a click on a drawn point is reported with its number; marks and
// the line are painted where the layout puts them.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "GraphControlWidget.h"

using chartqt::GraphControlWidget;
using namespace chart;

TEST(GraphControlWidget, ClickingAPointEmitsItsNumber) {
    GraphControlWidget w;
    w.resize(400, 300);
    w.setPointCount(3);
    for (int i = 1; i <= 3; ++i) {
        w.setX(i, i);
        w.setY(i, i * i);
    }
    w.setPointMark(2, PointMark::Excluded);
    w.setLegend("Included in Regression", "Excluded from Regression");
    w.setTitle("Catch Curve");
    w.Redraw();
    w.show();
    QSignalSpy spy(&w, &GraphControlWidget::pointClicked);
    int viaCallback = 0;
    w.onPointClicked = [&](int32_t i) { viaCallback = i; };
    auto p = w.PointPixel(2, w.width(), w.height());
    ASSERT_TRUE(p.has_value());
    QTest::mouseClick(&w, Qt::LeftButton, {}, QPoint(int(p->first) + 2, int(p->second)));
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toInt(), 2);
    EXPECT_EQ(viaCallback, 2);
    QTest::mouseClick(&w, Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(spy.count(), 1);
}

TEST(GraphControlWidget, PaintsIncludedMarksAndThePolyline) {
    GraphControlWidget w;
    w.setPointCount(2);
    w.setX(1, 0);
    w.setY(1, 0);
    w.setX(2, 10);
    w.setY(2, 1);
    QImage img = w.Render(QSize(300, 200));
    auto p1 = w.PointPixel(1, 300, 200);
    QColor c = img.pixelColor(QPoint(int(p1->first), int(p1->second)));
    EXPECT_LT(c.red(), 60);
    EXPECT_GT(c.blue(), 150);  // an included point is a filled blue circle

    w.setLineMode(LineMode::Polyline);
    w.setXRange(0, 10);
    w.setYRange(0, 1);
    img = w.Render(QSize(300, 200));
    auto a = w.PointPixel(1, 300, 200), b = w.PointPixel(2, 300, 200);
    QPoint mid(int((a->first + b->first) / 2), int((a->second + b->second) / 2));
    bool found = false;
    for (int dy = -2; dy <= 2; ++dy) found |= img.pixelColor(mid + QPoint(0, dy)).blue() > 150 &&
                                             img.pixelColor(mid + QPoint(0, dy)).red() < 120;
    EXPECT_TRUE(found);
}
