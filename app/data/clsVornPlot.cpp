// The data set printed as a table and plotted as stacked length-frequency samples, with
// growth curves laid over them.
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "MVornGlobs.h"
#include "chart/ChartLibrary.h"
#include "clsMultiLFGraph.h"
#include "clsVorn.h"
#include "print/PrintLayout.h"
#include "print/Printer.h"
#include "vb/VbRuntime.h"

namespace {

// A printed cell: the value's text cut or padded to six characters.
std::string Cell(const std::string& text) {
    std::string s = text.substr(0, std::min<size_t>(6, text.size()));
    s.resize(6, ' ');
    return s;
}

const std::string& OrDefault(const std::string& text, const std::string& fallback) {
    return text.empty() ? fallback : text;
}

// Most cohorts drawn: enough to cover every length up to 0.99 Linf for K down to 0.05.
constexpr int kMaxCohorts = 100;
constexpr int kCurveSteps = 125;

}  // namespace

bool clsVorn::LFGraphVisible() const { return mPlot && mPlot->Visible(); }

void clsVorn::TerminateLFPlot() {
    if (mPlot) mPlot->CloseGraph();
}

void clsVorn::PrintData() {
    print::Printer& printer = print::ThePrinter();
    printer.Print(mFileName);
    printer.Print();
    printer.Print(mFileDesc);
    printer.Print();
    // The class column, then one column per sample: its time over its counts.
    print::Table table;
    table.rows.resize(static_cast<size_t>(mNumClasses) + 1);
    table.rows[0].push_back(Cell("Class"));
    for (int16_t i = 1; i <= mNumDists; ++i) table.rows[0].push_back(Cell(vb::Str(sTime(i))));
    for (int16_t j = 1; j <= mNumClasses; ++j) {
        std::vector<std::string>& row = table.rows[j];
        row.push_back(Cell(vb::Str(LBounds(j))));
        for (int16_t i = 1; i <= mNumDists; ++i) row.push_back(Cell(vb::Str(Dists(i, j))));
    }
    print::PrintTable(printer, table);
    printer.EndDoc();
}

void clsVorn::PlotDistributions() {
    // The main window's plot of the data alone.
    PlotDistributions(0.1f, 75.0f, -0.5f, 0.2f, 0.2f, 0.2f);
}

void clsVorn::PlotDistributions(float K, float Linf, float t0, float Ts, float C, float NGT,
                                std::optional<int32_t> curveType) {
    if (mNumDists < 1 || mNumClasses < 1)
        throw VbError(5, "clsVorn.PlotDistributions", "The data set has no samples or no length classes to plot");
    // 1. A new plot replaces the previous one; the plot closes its page when it is released.
    if (mPlot) {
        mPlot->CloseGraph();
        mPlot.reset();
    }
    mPlot = std::shared_ptr<clsMultiLFGraph>(new clsMultiLFGraph, [](clsMultiLFGraph* g) {
        g->CloseGraph();
        delete g;
    });

    // 2. Title.
    const bool withCurve = curveType && *curveType >= 0 && *curveType <= 2;
    std::string title = "Length Frequency Plot";
    if (withCurve) {
        static const std::array<std::string, 6> defaultParams = {"K", "Linf", "Tzero", "Ts", "C", "NGT"};
        static const std::array<std::string, 3> defaultCurves = {"Non Seasonal", "Hoenig Seasonal", "Pauly Seasonal"};
        static const std::array<std::vector<int>, 3> order = {
            std::vector<int>{1, 0, 2}, std::vector<int>{0, 2, 3, 4, 1}, std::vector<int>{1, 0, 2, 3, 5}};
        const float values[6] = {K, Linf, t0, Ts, C, NGT};
        const int c = *curveType;
        title = OrDefault(MVornGlobs::GrowthCurveCaption, "Growth Curve") + " = " +
                OrDefault(MVornGlobs::CurveNames[c], defaultCurves[c]) + ". ";
        const auto& ps = order[c];
        for (size_t k = 0; k < ps.size(); ++k) {
            if (k) title += ". ";
            title += OrDefault(MVornGlobs::ParamNames[ps[k]], defaultParams[ps[k]]) + " = " +
                     vb::Format(static_cast<double>(values[ps[k]]), "0.00");
        }
        title += ".";
    }

    // 3. Bar values (sample timing) run along the horizontal axis, lengths up the vertical.
    mPlot->Create(GrColor::LightGrey, GrColor::BLACK, GrColor::Grey, title, "Sample Timing", "Length Class");

    // 4. Scale.
    float maxCount = -std::numeric_limits<float>::max(), minCount = std::numeric_limits<float>::max();
    for (int16_t i = 1; i <= mNumDists; ++i)
        for (int16_t j = 1; j <= mNumClasses; ++j) {
            maxCount = std::max(maxCount, Dists(i, j));
            minCount = std::min(minCount, Dists(i, j));
        }
    if (minCount == 0.0f) minCount = 1E-6f;
    float gap = 0.1f;
    if (mNumDists >= 2) {
        gap = std::numeric_limits<float>::max();
        for (int16_t i = 1; i < mNumDists; ++i) gap = std::min(gap, std::fabs(sTime(i + 1) - sTime(i)));
    }
    std::vector<double> x;
    for (int16_t j = 1; j <= mNumClasses; ++j) x.push_back(LBounds(j));
    for (int16_t i = 1; i <= mNumDists; ++i) {
        const float t = sTime(i);
        std::vector<std::array<double, 2>> peak, trough;
        for (int16_t j = 1; j <= mNumClasses; ++j) {
            const float count = Dists(i, j);
            const double p = count > 0 ? t - static_cast<double>(count / maxCount) * 0.75 * gap : t;
            // Negative counts (restructured data) go to the other side of the base line.
            const double q = count <= 0 ? t + static_cast<double>(count / minCount) * 0.75 * gap : t;
            peak.push_back({t, p});
            trough.push_back({t, q});
        }
        const std::string name = vb::Str(t);
        mPlot->AddFloatPlot(mNumClasses, x, peak, name);
        mPlot->AddFloatPlot(mNumClasses, x, trough, "_trough" + name);
    }

    // 5. Growth curves, one per cohort, the youngest born at t0 moved into the last year.
    const float last = mNumDists >= 1 ? sTime(mNumDists) : 0.0f;
    float birth = t0;
    if (std::isfinite(last) && std::isfinite(birth) && last - birth < 1E6f)
        while (birth + 1 <= last) birth += 1;
    if (withCurve && K > 0 && Linf > 0 && last > 0) {
        const float top = 0.99f * Linf;
        for (int cohort = 1; cohort <= kMaxCohorts; ++cohort) {
            const float born = birth - static_cast<float>(cohort - 1);
            std::vector<double> ct, cl;
            bool grownAtStart = false;
            for (int m = 0; m < kCurveSteps; ++m) {
                const float t = static_cast<float>(m) * last / kCurveSteps;
                if (t < born) continue;  // not born yet
                float L = 0;
                try {
                    LengthFunc(*curveType, t, K, Linf, born, Ts, C, NGT, L);
                } catch (const VbError&) {
                    break;  // out of single range: the curve ends here
                }
                if (L > top) {
                    grownAtStart = ct.empty();
                    break;
                }
                ct.push_back(t);
                cl.push_back(L);
            }
            if (grownAtStart) break;  // this cohort and every older one is past 0.99 Linf
            if (!ct.empty())
                mPlot->AddLinePlot(static_cast<int32_t>(ct.size()), ct, cl, std::to_string(cohort));
        }
    }

    // 6. Over the data set's own plot window.
    if (!mPlotWindow) mPlotWindow = std::make_shared<int32_t>(chart::Chart().CreateCanvasWindow("frmGraph"));
    mPlot->ShowGraph(*std::static_pointer_cast<int32_t>(mPlotWindow));
}
