#ifndef CLSMULTILFGRAPH_H
#define CLSMULTILFGRAPH_H
// A chart page showing several length-frequency samples side by side as floating bars along
// the horizontal (sample timing) axis, each sample on its own baseline, with lengths up the
// vertical axis, and optional curves (line plots) on the same axes.
//
// Calling order: Create, any number of AddFloatPlot and AddLinePlot, ShowGraph (over a
// canvas window), Visible to ask whether the page is still open, CloseGraph.
// The series are stored at the size of the data (no limit on points or series).
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "GraphingTypes.h"

class clsMultiLFGraph {
public:
    clsMultiLFGraph() = default;
    ~clsMultiLFGraph() = default;
    clsMultiLFGraph(const clsMultiLFGraph&) = delete;
    clsMultiLFGraph& operator=(const clsMultiLFGraph&) = delete;

    // Stored; line points equal to INVALID are left out whether or not it is set.
    void setUseInvalid(bool value) { useInvalid_ = value; }
    // The value that marks a missing point of a line series.
    double INVALID() const { return 1.79E+308; }

    void Create(GrColor eWinColor, GrColor eBorderColor, GrColor ePlotAreaColor, const std::string& sTitle,
                const std::string& sXTitle, const std::string& sYTitle);
    // A floating-bar series of vNumPoints bars: vX[i-1] is the position of bar i and
    // vY[i-1] = {bottom, top}; the baseline is vY[0][0]. Raises VbError 9 when vNumPoints is
    // below 1 or larger than the data given.
    void AddFloatPlot(int16_t vNumPoints, const std::vector<double>& vX,
                      const std::vector<std::array<double, 2>>& vY, const std::string& sName);
    // A line series of vNumPoints points. Raises VbError 9 when vNumPoints is negative or
    // larger than the data given.
    void AddLinePlot(int32_t vNumPoints, const std::vector<double>& vX, const std::vector<double>& vY,
                     const std::string& sName);
    // Creates the page over the window lHWnd and draws. Raises VbError 5 when there is no
    // floating-bar series (before any page is made).
    void ShowGraph(int32_t lHWnd);
    bool Visible() const;
    void CloseGraph();

    // ---- read-only views for tests and callers
    int32_t NumFloatSeries() const { return static_cast<int32_t>(floats_.size()); }
    int32_t NumLineSeries() const { return static_cast<int32_t>(lines_.size()); }
    double BarWidth() const { return barWidth_; }
    int32_t Page() const { return page_; }
    std::string PageName() const { return pageName_; }
    // The ranges of the last drawing: positions (vertical) and bar values (horizontal).
    double PosMin() const { return posMin_; }
    double PosMax() const { return posMax_; }
    double ValMin() const { return valMin_; }
    double ValMax() const { return valMax_; }
    double PosTick() const { return posTick_; }
    double ValTick() const { return valTick_; }

private:
    struct FloatSeries {
        double base = 0;
        std::vector<double> x;
        std::vector<double> ends;  // bottom, top per bar
        int32_t dataSet = 0;
        std::string name;
    };
    struct LineSeries {
        std::vector<double> x, y;
        std::string name;
        int32_t dataSet = 0;
    };
    std::vector<FloatSeries> floats_;
    std::vector<LineSeries> lines_;
    std::vector<int32_t> baselines_;
    double barWidth_ = 0;
    bool haveWidth_ = false;
    double posMin_ = 1E+20, posMax_ = -1E+20, valMin_ = 1E+20, valMax_ = -1E+20;
    double posTick_ = 0, valTick_ = 0;
    int32_t owner_ = 0, page_ = 0, graph_ = 0, context_ = 0, xAxis_ = 0, yAxis_ = 0;
    std::string pageName_;
    bool useInvalid_ = false;
    GrColor winColour_ = GrColor::BLACK, borderColour_ = GrColor::BLACK, plotAreaColour_ = GrColor::BLACK;
    int32_t textSlot_ = 0;
    GrColor axisLineColour_ = GrColor::BLACK;
    std::string title_, xTitle_, yTitle_;
};

#endif
