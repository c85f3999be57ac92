#ifndef CLSZREGRESULT_H
#define CLSZREGRESULT_H
// What the regression window shows of a Z regression estimator, held without a window:
// one line per distribution with its result ("-" for a distribution without one), the
// means with their standard errors, the points of one distribution with their marks and
// the fitted line, and the run log's block. Every change of a point refits all
// distributions and rebuilds the lines. The window shows these and passes LogLines to
// the run log.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "IZReg.h"
#include "chart/GraphControl.h"

class clsZRegResult {
public:
    // Reads the estimator's type and distribution count, and builds the lines.
    explicit clsZRegResult(IZReg& reg);

    int16_t ZType() const { return zType_; }
    int16_t NumDists() const { return numDists_; }
    // Help topic: 67 catch curve, 69 Powell-Wetherall.
    int32_t HelpContext() const { return zType_ == 0 ? 67 : 69; }
    // Column headers over the list: "Dist.", then "Z" and "", or "Linf" and "Z/K".
    std::string Header1() const { return "Dist."; }
    std::string Header2() const { return zType_ == 0 ? "Z" : "Linf"; }
    std::string Header3() const { return zType_ == 0 ? "" : "Z/K"; }

    // Refits every distribution and rebuilds the lines and the means.
    void Refresh();
    const std::vector<std::string>& Lines() const { return lines_; }
    // "Mean Z: ", "Std. Error: " (and "Mean Z/K: ", "Std. Error: ") with their values;
    // "-" for the values while no distribution has a result.
    const std::vector<std::string>& MeanLabels() const { return meanLabels_; }
    // Whether any distribution has a result (the last refresh).
    bool AnyResult() const { return anyResult_; }

    // Point i of distribution dist: its y and how it is marked.
    float Y(int32_t dist, int32_t i) const { return reg_.YData(dist, i); }
    float X(int32_t i) const { return reg_.XData(i); }
    int16_t NumPoints() const { return reg_.NumPoints(); }
    chart::PointMark Mark(int32_t dist, int32_t i) const;
    std::optional<ZLine> FittedLine(int32_t dist) const { return reg_.FittedLine(dist); }

    // The user clicked point i of distribution dist: in becomes out and out in; then
    // everything is refitted.
    void Toggle(int32_t dist, int32_t i);

    // The run log's block under `caption` (the window's title): the caption, an empty line,
    // one line per distribution with a result, an empty line, the mean labels, an empty
    // line. Empty when no distribution has a result: nothing is logged then.
    std::vector<std::string> LogLines(const std::string& caption);

private:
    IZReg& reg_;
    int16_t zType_ = 0;
    int16_t numDists_ = 0;
    std::vector<std::optional<ZValues>> results_;  // 1..NumDists, from the last refresh
    std::vector<std::string> lines_;
    std::vector<std::string> meanLabels_;
    bool anyResult_ = false;
};

#endif
