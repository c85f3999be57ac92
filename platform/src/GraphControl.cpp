// State, layout and picking of the points-and-line graph.
#include "chart/GraphControl.h"

#include <algorithm>
#include <cmath>

#include "vb/VbError.h"
#include "vb/VbRuntime.h"

namespace chart {
namespace {
constexpr double kLeft = 64, kRight = 20, kTop = 34, kBottom = 48;

void Widen(double& lo, double& hi) {
    if (!std::isfinite(lo) || !std::isfinite(hi)) {
        lo = 0;
        hi = 1;
    }
    if (hi < lo) std::swap(lo, hi);
    if (hi == lo) {
        lo -= 0.5;
        hi += 0.5;
    }
}
}  // namespace

const GraphControl::Point& GraphControl::at(int32_t i) const {
    if (i < 1 || i > PointCount()) vb::Raise(9, "GraphControl");
    return points_[static_cast<size_t>(i - 1)];
}
GraphControl::Point& GraphControl::at(int32_t i) {
    return const_cast<Point&>(static_cast<const GraphControl*>(this)->at(i));
}

void GraphControl::setPointCount(int32_t n) { points_.resize(static_cast<size_t>(std::max(0, n))); }
void GraphControl::setX(int32_t i, double x) { at(i).x = x; }
void GraphControl::setY(int32_t i, double y) { at(i).y = y; }
void GraphControl::setPointMark(int32_t i, PointMark mark) { at(i).mark = mark; }
double GraphControl::X(int32_t i) const { return at(i).x; }
double GraphControl::Y(int32_t i) const { return at(i).y; }
PointMark GraphControl::Mark(int32_t i) const { return at(i).mark; }

void GraphControl::setStraightLine(double intercept, double slope) { line_ = {intercept, slope}; }

void GraphControl::setLegend(const std::string& included, const std::string& excluded) {
    legend1_ = included;
    legend2_ = excluded;
}

bool GraphControl::HasValue(int32_t i) const {
    const Point& p = at(i);
    return p.mark != PointMark::NoValue && std::isfinite(p.x) && std::isfinite(p.y) &&
           std::fabs(p.y) < kNoValue && std::fabs(p.x) < kNoValue;
}

GraphControl::Ranges GraphControl::AxisRanges() const {
    Ranges r;
    double xlo = INFINITY, xhi = -INFINITY, ylo = INFINITY, yhi = -INFINITY;
    for (int32_t i = 1; i <= PointCount(); ++i) {
        if (!HasValue(i)) continue;
        xlo = std::min(xlo, X(i));
        xhi = std::max(xhi, X(i));
        ylo = std::min(ylo, Y(i));
        yhi = std::max(yhi, Y(i));
    }
    if (auto ends = LineEnds(); ends && lineMode_ == LineMode::Straight) {
        ylo = std::min({ylo, ends->first.second, ends->second.second});
        yhi = std::max({yhi, ends->first.second, ends->second.second});
    }
    if (xRange_) {
        xlo = xRange_->first;
        xhi = xRange_->second;
    } else if (std::isfinite(xlo)) {
        double pad = (xhi - xlo) * 0.05;
        xlo -= pad;
        xhi += pad;
    }
    if (yRange_) {
        ylo = yRange_->first;
        yhi = yRange_->second;
    } else if (std::isfinite(ylo)) {
        double pad = (yhi - ylo) * 0.05;
        ylo -= pad;
        yhi += pad;
    }
    Widen(xlo, xhi);
    Widen(ylo, yhi);
    r = {xlo, xhi, ylo, yhi};
    return r;
}

PixelRect GraphControl::PlotRect(double width, double height) const {
    PixelRect p{kLeft, kTop, width - kRight, height - kBottom};
    if (p.right <= p.left + 10) p.right = p.left + 10;
    if (p.bottom <= p.top + 10) p.bottom = p.top + 10;
    return p;
}

std::optional<std::pair<double, double>> GraphControl::PointPixel(int32_t i, double width, double height) const {
    if (!HasValue(i)) return std::nullopt;
    Ranges r = AxisRanges();
    PixelRect p = PlotRect(width, height);
    double px = p.left + (X(i) - r.xmin) / (r.xmax - r.xmin) * p.width();
    double py = p.bottom - (Y(i) - r.ymin) / (r.ymax - r.ymin) * p.height();
    return std::make_pair(px, py);
}

int32_t GraphControl::HitTest(double px, double py, double width, double height, double tolerance) const {
    int32_t best = 0;
    double bestD = tolerance * tolerance;
    for (int32_t i = 1; i <= PointCount(); ++i) {
        auto pp = PointPixel(i, width, height);
        if (!pp) continue;
        double d = (pp->first - px) * (pp->first - px) + (pp->second - py) * (pp->second - py);
        if (d <= bestD) {
            bestD = d;
            best = i;
        }
    }
    return best;
}

std::optional<std::pair<std::pair<double, double>, std::pair<double, double>>> GraphControl::LineEnds() const {
    if (!line_) return std::nullopt;
    double lo = INFINITY, hi = -INFINITY;
    for (int32_t i = 1; i <= PointCount(); ++i) {
        if (!HasValue(i) || Mark(i) != PointMark::Included) continue;
        lo = std::min(lo, X(i));
        hi = std::max(hi, X(i));
    }
    if (!std::isfinite(lo)) return std::nullopt;
    auto [a, b] = *line_;
    return std::make_pair(std::make_pair(lo, a + b * lo), std::make_pair(hi, a + b * hi));
}

void GraphControl::Click(double px, double py, double width, double height) {
    int32_t i = HitTest(px, py, width, height);
    if (i > 0 && onPointClicked) onPointClicked(i);
}

}  // namespace chart
