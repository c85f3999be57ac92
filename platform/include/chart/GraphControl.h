#ifndef GRAPHCONTROL_H
#define GRAPHCONTROL_H
// The points-and-line graph of the regression window and the simulation wizard's preview:
// a fixed number of points with x and y values, a mark per point (included, excluded, no
// value), an optional straight line or a polyline through the points, a two-entry legend,
// a title and axis titles. A click near a point reports the point's 1-based number.
//
// This class holds the state and the layout (Qt-free, so the geometry and the picking are
// testable without a window); the Qt widget (platform/qt/GraphControlWidget.h) paints it.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace chart {

enum class PointMark : int32_t { Included = 0, Excluded = 1, NoValue = 2 };

enum class LineMode : int32_t {
    None = 0,      // points only
    Straight = 1,  // the points and the line y = intercept + slope x over the included points' x range
    Polyline = 2   // a line through the points with a value, in order; no marks
};

struct PixelRect {
    double left = 0, top = 0, right = 0, bottom = 0;
    double width() const { return right - left; }
    double height() const { return bottom - top; }
};

class GraphControl {
public:
    virtual ~GraphControl() = default;

    // Points, numbered from 1. Setting the count keeps the first points and clears the rest
    // (x 0, y 0, included).
    void setPointCount(int32_t n);
    int32_t PointCount() const { return static_cast<int32_t>(points_.size()); }
    // Out-of-range numbers raise VbError 9.
    void setX(int32_t i, double x);
    void setY(int32_t i, double y);
    void setPointMark(int32_t i, PointMark mark);
    double X(int32_t i) const;
    double Y(int32_t i) const;
    PointMark Mark(int32_t i) const;

    void setLineMode(LineMode mode) { lineMode_ = mode; }
    LineMode lineMode() const { return lineMode_; }
    void setStraightLine(double intercept, double slope);
    void clearStraightLine() { line_.reset(); }

    void setLegend(const std::string& included, const std::string& excluded);
    const std::string& LegendIncluded() const { return legend1_; }
    const std::string& LegendExcluded() const { return legend2_; }
    void setTitle(const std::string& t) { title_ = t; }
    void setXTitle(const std::string& t) { xTitle_ = t; }
    void setYTitle(const std::string& t) { yTitle_ = t; }
    const std::string& Title() const { return title_; }
    const std::string& XTitle() const { return xTitle_; }
    const std::string& YTitle() const { return yTitle_; }

    // Fixed axis ranges (otherwise taken from the points with a value).
    void setXRange(double min, double max) { xRange_ = {min, max}; }
    void setYRange(double min, double max) { yRange_ = {min, max}; }
    void clearRanges() { xRange_.reset(); yRange_.reset(); }

    // Draws the graph again with what was set. Counted, for tests.
    virtual void Redraw() { ++redraws_; }
    int32_t Redraws() const { return redraws_; }

    // ---- layout, for a drawing surface of width x height pixels
    struct Ranges {
        double xmin = 0, xmax = 1, ymin = 0, ymax = 1;
    };
    Ranges AxisRanges() const;
    PixelRect PlotRect(double width, double height) const;
    // Where point i is drawn; nullopt for a point without a value.
    std::optional<std::pair<double, double>> PointPixel(int32_t i, double width, double height) const;
    // The nearest point within `tolerance` pixels of (px, py), 0 when none.
    int32_t HitTest(double px, double py, double width, double height, double tolerance = 5) const;
    // The straight line's end points in data units (over the included points' x range).
    std::optional<std::pair<std::pair<double, double>, std::pair<double, double>>> LineEnds() const;
    bool HasValue(int32_t i) const;

    // A click at (px, py): when it hits a point, onPointClicked gets its number.
    void Click(double px, double py, double width, double height);
    std::function<void(int32_t)> onPointClicked;

    // The no-value sentinel of regression points.
    static constexpr float kNoValue = 3.4E+38f;

private:
    struct Point {
        double x = 0, y = 0;
        PointMark mark = PointMark::Included;
    };
    const Point& at(int32_t i) const;
    Point& at(int32_t i);
    std::vector<Point> points_;
    LineMode lineMode_ = LineMode::None;
    std::optional<std::pair<double, double>> line_;  // intercept, slope
    std::string legend1_, legend2_, title_, xTitle_, yTitle_;
    std::optional<std::pair<double, double>> xRange_, yRange_;
    int32_t redraws_ = 0;
};

}  // namespace chart

#endif
