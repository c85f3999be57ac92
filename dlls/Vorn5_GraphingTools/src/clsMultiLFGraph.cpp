// The length-frequency plot: samples as floating bars, curves as line plots.
#include "clsMultiLFGraph.h"

#include <cmath>

#include "GraphingTools.h"
#include "chart/ChartLibrary.h"
#include "vb/VbError.h"
#include "vb/VbRuntime.h"

using namespace Vorn5_GraphingTools;
using chart::Chart;

namespace {
chart::WGErrInfo ErrInfo;

// A zero range cannot be scaled or ticked: open it by half a unit each way.
void OpenZeroRange(double& lo, double& hi) {
    if (hi == lo) {
        lo -= 0.5;
        hi += 0.5;
    }
}
}  // namespace

void clsMultiLFGraph::Create(GrColor eWinColor, GrColor eBorderColor, GrColor ePlotAreaColor,
                             const std::string& sTitle, const std::string& sXTitle, const std::string& sYTitle) {
    winColour_ = eWinColor;
    borderColour_ = eBorderColor;
    plotAreaColour_ = ePlotAreaColor;
    title_ = sTitle;
    xTitle_ = sXTitle;
    yTitle_ = sYTitle;
    textSlot_ = 0;
    axisLineColour_ = GrColor::BLACK;
}

void clsMultiLFGraph::AddFloatPlot(int16_t vNumPoints, const std::vector<double>& vX,
                                   const std::vector<std::array<double, 2>>& vY, const std::string& sName) {
    if (vNumPoints < 1 || static_cast<size_t>(vNumPoints) > vX.size() || static_cast<size_t>(vNumPoints) > vY.size())
        vb::Raise(9, "clsMultiLFGraph.AddFloatPlot");
    // One width for the whole plot, from the latest series that has two bars to measure.
    if (vNumPoints >= 2) {
        barWidth_ = vX[1] - vX[0];
        haveWidth_ = true;
    } else if (!haveWidth_) {
        barWidth_ = 1;
        haveWidth_ = true;
    }
    FloatSeries s;
    s.base = vY[0][0];
    s.x.assign(vX.begin(), vX.begin() + vNumPoints);
    s.ends.reserve(static_cast<size_t>(vNumPoints) * 2);
    for (int16_t i = 0; i < vNumPoints; ++i) {
        s.ends.push_back(vY[i][0]);
        s.ends.push_back(vY[i][1]);
    }
    s.name = sName;
    floats_.push_back(std::move(s));
}

void clsMultiLFGraph::AddLinePlot(int32_t vNumPoints, const std::vector<double>& vX, const std::vector<double>& vY,
                                  const std::string& sName) {
    if (vNumPoints < 0 || static_cast<size_t>(vNumPoints) > vX.size() || static_cast<size_t>(vNumPoints) > vY.size())
        vb::Raise(9, "clsMultiLFGraph.AddLinePlot");
    LineSeries s;
    s.x.assign(vX.begin(), vX.begin() + vNumPoints);
    s.y.assign(vY.begin(), vY.begin() + vNumPoints);
    s.name = sName;
    lines_.push_back(std::move(s));
}

void clsMultiLFGraph::ShowGraph(int32_t lHWnd) {
    // The ranges come from the bars: without a sample there is nothing to scale by.
    if (floats_.empty())
        throw VbError(5, "clsMultiLFGraph.ShowGraph", "There is no length-frequency sample to plot");
    auto& wg = Chart();
    owner_ = lHWnd;
    pageName_ = vb::Str(lHWnd);
    page_ = wg.WGCreatePage(pageName_, owner_, "Length Frequency Plot", "PageMenu", 15, 8, &ErrInfo);
    if (page_ == 0) return;
    graph_ = wg.WGCreateGraph(page_, 0.0, 0.0, 1.0, 1.0, ToInt(winColour_), ToInt(borderColour_), 1, &ErrInfo,
                              &context_);

    // Data sets and ranges.
    std::vector<chart::Handle> sets;
    for (auto& s : floats_) {
        s.dataSet = wg.WGDefineGroupDataSetVB(s.name, s.x.data(), s.ends.data(), static_cast<int32_t>(s.x.size()), 2);
        sets.push_back(s.dataSet);
    }
    wg.WGGetDataSetsRange(sets.data(), static_cast<int32_t>(sets.size()), posMin_, valMin_, posMax_, valMax_);
    OpenZeroRange(posMin_, posMax_);
    TicksAndScales::CalcTickInterval(posMin_, posMax_, posTick_, true);
    posMax_ = posMax_ * 1.1;
    if (posMin_ > 0) posMin_ = 0;
    const double r = std::fabs(valMax_ - valMin_);
    valMax_ = valMax_ + r / 5;
    valMin_ = valMin_ - r / 5;
    OpenZeroRange(valMin_, valMax_);
    TicksAndScales::CalcTickInterval(valMin_, valMax_, valTick_, floats_.size() != 2);
    for (auto& s : lines_) {
        s.dataSet = wg.WGDefineDataSetVB(s.name, s.x.data(), s.y.data(), static_cast<int32_t>(s.x.size()));
        for (size_t i = 0; i < s.y.size(); ++i)
            wg.WGMarkDataPoint(s.dataSet, static_cast<int32_t>(i), s.y[i] == INVALID() ? -1 : 0);
    }

    // Drawing: bar values (sample timing) run along the horizontal axis, positions (lengths)
    // up the vertical one.
    wg.WGSetPlotArea(graph_, context_, 0.1, 0.15, 0.95, 0.85, ToInt(plotAreaColour_));
    wg.WGSetAxesScale(graph_, 0, 0);
    wg.WGSetTextByName(0, "Arial", 9, 1);
    wg.WGScalePlotArea(graph_, valMin_, posMin_, valMax_, posMax_);
    xAxis_ = wg.WGDrawXAxis(graph_, context_, valTick_, 1, 0);
    wg.WGLabelAxis(graph_, context_, xAxis_, 0, 0, -1, 0, "");
    wg.WGSetXYIntercepts(graph_, valMin_, posMin_);
    yAxis_ = wg.WGDrawYAxis(graph_, context_, posTick_, 1, 1);
    wg.WGLabelAxis(graph_, context_, yAxis_, 1, 0, -1, 0, "");
    wg.WGSetLineStyle(graph_, context_, 0, 0, ToInt(axisLineColour_));
    wg.WGTitleAxis(graph_, context_, xAxis_, 0, xTitle_);
    wg.WGTitleAxis(graph_, context_, yAxis_, 1, yTitle_);
    wg.WGTitleGraph(graph_, context_, title_);
    baselines_.assign(floats_.size(), 0);
    for (size_t s = 0; s < floats_.size(); ++s) {
        const FloatSeries& f = floats_[s];
        const bool trough = vb::LCase(f.name).find("trough") != std::string::npos;
        const int32_t colour = wg.WGGetRGBColor(ToInt(trough ? GrColor::white : GrColor::lightred));
        wg.WGFloatingBars(graph_, context_, f.dataSet, barWidth_, 4, 7, colour, -1, 0);
        baselines_[s] = wg.WGLine(graph_, context_, xAxis_, yAxis_, f.base, posMin_, f.base, posMax_);
    }
    wg.WGSetLineStyle(graph_, context_, 0, 0, ToInt(GrColor::YELLOW));
    for (const auto& s : lines_) wg.WGLinePlot(graph_, context_, s.dataSet, 0, 0);
    wg.WGUpdatePage(page_);
}

bool clsMultiLFGraph::Visible() const { return Chart().WGIsPageDescValid(page_) == 1; }

void clsMultiLFGraph::CloseGraph() {
    if (Chart().WGIsPageDescValid(page_) == 1) Chart().WGClosePage(page_);
    baselines_.clear();
    floats_.clear();
    lines_.clear();
}
