// The points-and-line graph: scaling without the no-value points, picking by pixel, the line
// over the included points.
#include <gtest/gtest.h>

#include "chart/GraphControl.h"
#include "vb/VbError.h"

using namespace chart;

namespace {
// Five points on y = 2x, point 4 without a value, point 5 excluded.
GraphControl MakeGraph() {
    GraphControl g;
    g.setPointCount(5);
    for (int i = 1; i <= 5; ++i) {
        g.setX(i, i);
        g.setY(i, 2.0 * i);
    }
    g.setY(4, GraphControl::kNoValue);
    g.setPointMark(4, PointMark::NoValue);
    g.setPointMark(5, PointMark::Excluded);
    return g;
}
}  // namespace

TEST(GraphControl, PointsWithoutValueStayOutOfTheScale) {
    GraphControl g = MakeGraph();
    auto r = g.AxisRanges();
    EXPECT_LT(r.ymax, 11);  // 3.4E+38 would swamp the axis
    EXPECT_GT(r.ymax, 10);
    EXPECT_FALSE(g.PointPixel(4, 400, 300).has_value());
    // Fixed ranges win.
    g.setXRange(0, 100);
    g.setYRange(0, 1);
    r = g.AxisRanges();
    EXPECT_EQ((std::vector<double>{r.xmin, r.xmax, r.ymin, r.ymax}), (std::vector<double>{0, 100, 0, 1}));
}

TEST(GraphControl, AClickNearAPointReportsItsNumber) {
    GraphControl g = MakeGraph();
    std::vector<int32_t> clicked;
    g.onPointClicked = [&](int32_t i) { clicked.push_back(i); };
    for (int i : {1, 3, 5}) {
        auto p = g.PointPixel(i, 400, 300);
        ASSERT_TRUE(p.has_value());
        g.Click(p->first + 3, p->second - 3, 400, 300);
    }
    auto p2 = g.PointPixel(2, 400, 300);
    g.Click(p2->first + 9, p2->second, 400, 300);  // too far
    EXPECT_EQ(clicked, (std::vector<int32_t>{1, 3, 5}));
    EXPECT_EQ(g.HitTest(0, 0, 400, 300), 0);
}

TEST(GraphControl, StraightLineSpansTheIncludedPoints) {
    GraphControl g = MakeGraph();
    EXPECT_FALSE(g.LineEnds().has_value());
    g.setLineMode(LineMode::Straight);
    g.setStraightLine(1, 0.5);
    auto ends = g.LineEnds();
    ASSERT_TRUE(ends.has_value());
    EXPECT_DOUBLE_EQ(ends->first.first, 1);
    EXPECT_DOUBLE_EQ(ends->second.first, 3);  // 4 has no value, 5 is excluded
    EXPECT_DOUBLE_EQ(ends->second.second, 2.5);
}

TEST(GraphControl, PointNumbersOutsideTheCountRaiseSubscriptErrors) {
    GraphControl g = MakeGraph();
    for (int i : {0, 6, -1}) {
        try {
            g.setY(i, 1);
            FAIL() << i;
        } catch (const VbError& e) {
            EXPECT_EQ(e.Number, 9);
        }
    }
    g.setPointCount(2);
    EXPECT_EQ(g.PointCount(), 2);
    EXPECT_DOUBLE_EQ(g.Y(2), 4);
    g.Redraw();
    EXPECT_EQ(g.Redraws(), 1);
}
