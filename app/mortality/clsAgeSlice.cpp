#include "clsAgeSlice.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "GraphingTypes.h"
#include "chart/ChartLibrary.h"
#include "clsMultiLFGraph.h"
#include "clsVorn.h"
#include "vb/VbRuntime.h"

namespace {

constexpr float kNoAge = -999.0f;  // at or below: the bound lies at or above Linf
constexpr float kNGT = 0;          // neither curve has a no-growth period

// The table under construction: rows 1..101 by samples 1..n.
struct Table {
    int16_t dists;
    std::vector<float> cells;

    explicit Table(int16_t n)
        : dists(n), cells(static_cast<size_t>(clsAgeSlice::kRows) * static_cast<size_t>(n), 0.0f) {}

    static void CheckRow(double row) {
        if (!(row >= 1 && row <= clsAgeSlice::kRows)) vb::Raise(9, "clsAgeSlice.Create");
    }
    void Add(double row, int16_t dist, float n) {
        CheckRow(row);
        cells[static_cast<size_t>(row - 1) * static_cast<size_t>(dists) + static_cast<size_t>(dist - 1)] += n;
    }
};

}  // namespace

clsAgeSlice::clsAgeSlice() = default;

clsAgeSlice::~clsAgeSlice() { ClosePlot(); }

float clsAgeSlice::Slice(int16_t age, int16_t dist) const {
    if (age < 1 || age > kRows || dist < 1 || dist > numDists_) vb::Raise(9, "clsAgeSlice.Slice");
    return table_[static_cast<size_t>(age - 1) * static_cast<size_t>(numDists_) + static_cast<size_t>(dist - 1)];
}

void clsAgeSlice::Create(const clsVorn& data, int32_t growthCurve, float K, float Linf, float t0, float Ts,
                         float C) {
    // Everything is built aside and taken over only when the whole table is made.
    auto copy = std::make_unique<clsVorn>();
    copy->CopyFields(data);
    const int16_t nDists = copy->NumDists();
    const int16_t nClasses = copy->NumClasses();
    if (nDists < 1 || nClasses < 1 || !(copy->ClassSize() > 0)) vb::Raise(9, "clsAgeSlice.Create");
    Table table(nDists);

    copy->Calc_Lower_Age_Bounds(growthCurve, K, Linf, t0, Ts, C);
    const bool shift = copy->Tmin(1) < 0;
    const double s = shift ? 1 : 0;
    double numAges = 0;

    auto length = [&](float age) {
        float L = 0;
        copy->LengthFunc(growthCurve, age, K, Linf, t0, Ts, C, kNGT, L);
        return L;
    };

    for (int16_t j = 1; j <= nClasses; ++j) {
        const float t2 = copy->Tmin(static_cast<int16_t>(j + 1));
        if (t2 <= kNoAge) continue;
        const float lower = copy->LBounds(j);
        const float upper = copy->LBounds(static_cast<int16_t>(j + 1));
        const float a = vb::Int(copy->Tmin(j));
        const float b = vb::Int(t2);
        const float w = upper - lower;
        for (int16_t d = 1; d <= nDists; ++d) {
            const float n = copy->Dists(d, j);
            if (!(n > 0)) continue;
            if (b >= a) {
                // Every row written lies between these two.
                Table::CheckRow(a + 1 + s);
                Table::CheckRow(b + 1 + s);
            }
            if (b == a) {
                table.Add(a + 1 + s, d, n);
            } else if (b == a + 1) {
                const float f = vb::DivS(length(a + 1) - lower, w);
                table.Add(a + 1 + s, d, n * f);
                table.Add(a + 2 + s, d, n * (1 - f));
            } else if (b > a + 1) {
                float previous = length(a + 1);
                table.Add(a + 1 + s, d, n * vb::DivS(previous - lower, w));
                for (float k = a + 2; k <= b; k += 1) {
                    const float L = length(k);
                    table.Add(k + s, d, n * vb::DivS(L - previous, w));
                    previous = L;
                }
                table.Add(b + 1 + s, d, n * vb::DivS(upper - previous, w));
            }
            numAges = std::max(numAges, b + 1 + s);
        }
    }
    if (numAges > kRows) vb::Raise(9, "clsAgeSlice.Create");

    copy_ = std::move(copy);
    numDists_ = nDists;
    numAges_ = static_cast<int16_t>(numAges);
    shift_ = shift;
    table_ = std::move(table.cells);
}

void clsAgeSlice::ClosePlot() {
    if (plot_) plot_->CloseGraph();
}

void clsAgeSlice::Show() {
    if (plot_ && plot_->Visible()) return;
    if (!copy_ || numAges_ < 1)
        throw VbError(5, "clsAgeSlice.Show", "There are no age slices to plot; calculate them first.");
    auto plot = std::make_unique<clsMultiLFGraph>();
    plot->Create(GrColor::PaleBlue, GrColor::Blue, GrColor::OffWhite, "Age Slice", "Sample Timing", "Nominal Age");

    // The gap a sample's bars may fill: back to the previous sample; the first takes the
    // widest gap, or a year when it is alone.
    std::vector<float> gap(static_cast<size_t>(numDists_) + 1, 0.0f);
    float widest = 0;
    for (int16_t d = 2; d <= numDists_; ++d) {
        gap[d] = std::fabs(copy_->sTime(d) - copy_->sTime(static_cast<int16_t>(d - 1)));
        widest = std::max(widest, gap[d]);
    }
    gap[1] = numDists_ == 1 ? 1.0f : widest;

    std::vector<double> ages;
    for (int16_t r = 1; r <= numAges_; ++r) ages.push_back(RowAge(r));
    bool anyBars = false;
    for (int16_t d = 1; d <= numDists_; ++d) {
        float most = 0;
        for (int16_t r = 1; r <= numAges_; ++r) most = std::max(most, Slice(r, d));
        if (!(most > 0)) continue;  // an empty sample has no bars to scale
        const float t = copy_->sTime(d);
        std::vector<std::array<double, 2>> bars;
        for (int16_t r = 1; r <= numAges_; ++r)
            bars.push_back({t, t - static_cast<double>(Slice(r, d) / most * gap[d]) * 0.95});
        plot->AddFloatPlot(numAges_, ages, bars, vb::CStr(t));
        anyBars = true;
    }
    if (!anyBars) throw VbError(5, "clsAgeSlice.Show", "No sample has fish of any age to plot.");

    if (!canvas_) canvas_ = chart::Chart().CreateCanvasWindow("frmGraph");
    ClosePlot();
    plot_ = std::move(plot);
    plot_->ShowGraph(canvas_);
}
