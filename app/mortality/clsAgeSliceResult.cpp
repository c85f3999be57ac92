#include "clsAgeSliceResult.h"

#include "MVornGlobs.h"
#include "StringTable.h"
#include "clsVorn.h"
#include "vb/VbError.h"
#include "vb/VbRuntime.h"

namespace G = MVornGlobs;

const std::array<std::string, 2> clsAgeSliceResult::CurveCaptions = {"Von Bertalanffy", "Hoenig"};

std::string clsAgeSliceResult::RowLabel(int16_t r) const { return vb::CStr(slices_.RowAge(r)); }

bool clsAgeSliceResult::Calculate(const clsVorn& data, int32_t curve,
                                  const std::array<std::string, kParams>& texts) {
    defined_ = false;
    std::array<float, kParams> values{};
    try {
        for (int i = 0; i < kParams; ++i) values[i] = vb::CSng(texts[i]);
        slices_.Create(data, curve, values[0], values[1], values[2], values[3], values[4]);
    } catch (const VbError&) {
        return false;
    }
    // Without a fish of any age (every class at or above Linf, or no fish) there is no table.
    if (slices_.NumAges() < 1) return false;
    curve_ = curve;
    values_ = values;
    BuildLines(texts);
    defined_ = true;
    return true;
}

int32_t clsAgeSliceResult::TableRows() const { return slices_.NumAges() + 1; }

int32_t clsAgeSliceResult::TableCols() const { return slices_.NumDists() + 1; }

std::string clsAgeSliceResult::TableText(int32_t row, int32_t col) const {
    if (row == 0) return col == 0 ? std::string() : "Dist. " + vb::CStr(col);
    if (col == 0) return RowLabel(static_cast<int16_t>(row));
    return vb::Format(slices_.Slice(static_cast<int16_t>(row), static_cast<int16_t>(col)), "0.000");
}

void clsAgeSliceResult::BuildLines(const std::array<std::string, kParams>& texts) {
    // The status line names the parameters of the curve in use.
    status_ = G::GrowthCurveCaption + " = " + CurveCaptions[curve_ == 0 ? 0 : 1];
    const int shown = curve_ == 0 ? 3 : kParams;
    for (int i = 0; i < shown; ++i) status_ += ". " + G::ParamNames[i] + " = " + texts[i];

    heading_ = {res::LoadResString(G::LangBase + 911), G::GrowthCurveCaption + ": " + G::CurveNames[curve_]};
    for (int i = 0; i < kParams; ++i) heading_.push_back(G::ParamNames[i] + ": " + vb::CStr(values_[i]));
    heading_.push_back("\r");

    const int16_t dists = slices_.NumDists();
    ages_ = print::Table{{{"Age"}}, "\t"};
    for (int16_t d = 1; d <= dists; ++d) ages_.rows[0].push_back("Dist.#" + vb::CStr(static_cast<int32_t>(d)));
    for (int16_t r = 1; r <= slices_.NumAges(); ++r) {
        std::vector<std::string>& row = ages_.rows.emplace_back(1, RowLabel(r));
        for (int16_t d = 1; d <= dists; ++d) row.push_back(vb::Format(slices_.Slice(r, d), "0.00"));
    }
}

std::vector<std::string> clsAgeSliceResult::TableLines() const {
    std::vector<std::string> lines = ages_.Lines();
    lines.push_back("\r");
    return lines;
}

std::vector<std::string> clsAgeSliceResult::LogLines() const { return PrintReport(true, true).Lines(); }

print::Report clsAgeSliceResult::PrintReport(bool WithRes, bool WithGridData) const {
    print::Report report;
    if (WithRes) report.AddLines(heading_);
    if (WithGridData) report.AddTable(ages_).AddLine("\r");
    return report;
}
