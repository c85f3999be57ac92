#include "clsGridResult.h"

#include <variant>

#include "IMeth.h"
#include "MVornGlobs.h"
#include "StringTable.h"
#include "clsELEFAN.h"
#include "clsGrowthParams.h"
#include "clsPROJMAT.h"
#include "clsSLCA.h"
#include "clsVorn.h"
#include "vb/VbRuntime.h"

namespace G = MVornGlobs;

namespace {

std::unique_ptr<IMeth> NewMethod(int32_t MethType) {
    switch (MethType) {
    case 0: return std::make_unique<clsSLCA>();
    case 1: return std::make_unique<clsPROJMAT>();
    default: return std::make_unique<clsELEFAN>();
    }
}

// A fixed parameter as the report shows it: a value formatted, or the method's text.
std::string FormatValue(const MethValue& v, const char* pattern) {
    if (const float* f = std::get_if<float>(&v)) return vb::Format(*f, pattern);
    if (const std::string* s = std::get_if<std::string>(&v)) return *s;
    return {};
}

// The values of one grid axis, as the table and the report label them.
std::vector<std::string> AxisLabels(float lo, float hi, int32_t evals) {
    const float step = evals == 1 ? 0.0f : (hi - lo) / static_cast<float>(evals - 1);
    std::vector<std::string> labels(evals);
    for (int32_t k = 1; k <= evals; ++k) labels[k - 1] = vb::Format(static_cast<float>(k - 1) * step + lo, "0.00");
    return labels;
}

}  // namespace

clsGridResult::clsGridResult() : strBase_(static_cast<int16_t>(G::LangBase + 800)) {}

clsGridResult::~clsGridResult() = default;

std::string clsGridResult::Res(int n) const { return res::LoadResString(strBase_ + n); }

void clsGridResult::Create(clsGrowthParams& GrowthParams, float P1Lo, float P1Hi, int32_t P1Evals, float P2Lo,
                           float P2Hi, int32_t P2Evals, int32_t MethType, clsVorn& DataSet) {
    defined_ = false;
    maximised_ = false;
    params_ = &GrowthParams;
    p1Lo_ = P1Lo, p1Hi_ = P1Hi, p1Evals_ = P1Evals;
    p2Lo_ = P2Lo, p2Hi_ = P2Hi, p2Evals_ = P2Evals;
    data_ = &DataSet;
    methType_ = MethType;
    // The old method closes its contour plot as it goes.
    method_.reset();
    method_ = NewMethod(MethType);
    method_->Create(DataSet);
    method_->setGrowthCurve(GrowthParams.GrowthCurve());
    method_->settGridType(GrowthParams.GridType());
    method_->setsLinf(GrowthParams.Linf());
    method_->setsC(GrowthParams.c());
    method_->setsK(GrowthParams.k());
    method_->setsNGT(GrowthParams.NGT());
    method_->setsTs(GrowthParams.Ts());
}

bool clsGridResult::RunGrid() {
    if (!method_) return false;
    search_.setVerbose(true);
    if (!search_.GridSearch(*method_, params_->GridType(), p1Lo_, p1Hi_, static_cast<int16_t>(p1Evals_), p2Lo_,
                            p2Hi_, static_cast<int16_t>(p2Evals_)))
        return false;
    grid_ = SearchBest();
    StoreBestParams();
    FillGridTexts();
    BuildOutputStrings();
    defined_ = true;
    return true;
}

bool clsGridResult::Maximise(float P1Lo, float P1Hi, float P2Lo, float P2Hi) {
    if (!defined_ || !method_) return false;
    // A cancel left from an earlier run would end this one at once.
    G::CancelRequested = false;
    search_.setVerbose(true);
    bool converged = false;
    try {
        converged = search_.AmoebaSearch(*method_, params_->GridType(), P1Lo, P1Hi, P2Lo, P2Hi);
    } catch (...) {
        G::CancelRequested = false;
        throw;
    }
    G::CancelRequested = false;
    if (!converged) return false;
    maximised_ = true;
    max_ = SearchBest();
    StoreBestParams();
    BuildOutputStrings();
    return true;
}

clsGridResult::Best clsGridResult::SearchBest() const {
    return {search_.MaxScore(), search_.P1(), search_.P2(), search_.TZero()};
}

void clsGridResult::Abandon() {
    defined_ = false;
    maximised_ = false;
}

void clsGridResult::Release() {
    Abandon();
    method_.reset();
    params_ = nullptr;
    data_ = nullptr;
}

void clsGridResult::StoreBestParams() {
    clsGrowthParams& gp = *params_;
    const IMeth& m = *method_;
    const G::GridTypeParams row = G::GridParamsFor(gp.GridType(), gp.GrowthCurve());
    gp.setT0(search_.TZero());
    if (row.P1 == G::kNoParam) return;
    // What the grid does not vary comes from the method; a grid that holds no seasonal
    // parameter (the non-seasonal curve) stores them as 0.
    const bool seasonal = row.Fixed1 != G::kNoParam;
    gp.setk(m.sK());
    gp.setLinf(m.sLinf());
    gp.setTs(seasonal ? m.sTs() : 0.0f);
    gp.setNGT(seasonal ? m.sNGT() : 0.0f);
    gp.setc(seasonal ? m.sC() : 0.0f);
    gp.setP1(search_.P1());
    gp.setP2(search_.P2());
}

void clsGridResult::FillGridTexts() {
    p1Labels_ = AxisLabels(p1Lo_, p1Hi_, p1Evals_);
    p2Labels_ = AxisLabels(p2Lo_, p2Hi_, p2Evals_);
    cells_.assign(p2Evals_, std::vector<std::string>(p1Evals_));
    for (int32_t j = 1; j <= p2Evals_; ++j)
        for (int32_t i = 1; i <= p1Evals_; ++i) {
            const auto score = search_.GridResults(static_cast<int16_t>(i), static_cast<int16_t>(j));
            cells_[j - 1][i - 1] = score ? vb::Format(*score, "0.000") : std::string();
        }
}

void clsGridResult::BuildOutputStrings() {
    header_.clear(), labels_.clear(), values_.clear();
    const int32_t g = params_->GridType();
    const int32_t curve = params_->GrowthCurve();
    const std::string& n1 = G::GridP1Names[g];
    const std::string& n2 = G::GridP2Names[g];

    header_.push_back(data_ ? data_->FileName() : std::string());
    header_.push_back(data_ ? data_->FileDesc() : std::string());
    header_.push_back(std::string(43, '-'));

    auto add = [this](const std::string& label, const std::string& value) {
        labels_.push_back(label);
        values_.push_back(value);
    };
    add(Res(14), G::MethodNames[methType_]);
    add(Res(15), G::CurveNames[curve]);
    add(Res(16), G::GridTypeNames[g]);
    add(Res(17), n1 + ": " + vb::Str(p1Lo_) + " - " + vb::Str(p1Hi_) + "   " + n2 + ":" + vb::CStr(p2Lo_) +
                     " - " + vb::CStr(p2Hi_));
    add(Res(18), n1 + ": " + vb::Str(p1Evals_) + "   " + n2 + ": " + vb::CStr(p2Evals_));
    add(Res(19), vb::Format(grid_.score, "0.000") + " at " + n1 + "=" + vb::Format(grid_.p1, "0.00") + "  " + n2 +
                     "=" + vb::Format(grid_.p2, "0.00"));
    add(G::ParamNames[G::ParamTzero] + ":", vb::Format(grid_.t0, "0.000"));
    const G::GridTypeParams row = G::GridParamsFor(g, curve);
    if (row.Fixed1 == G::kNoParam)
        add(Res(20), G::NoneText);
    else
        add(Res(20), G::ParamNames[row.Fixed1] + "= " + FormatValue(method_->FixedParam1(), "0.000") + "   " +
                         G::ParamNames[row.Fixed2] + "= " + FormatValue(method_->FixedParam2(), "0.000"));
    if (maximised_)
        add(Res(21), Res(23) + " = " + vb::Str(max_.score) + " at " + n1 + "=" + vb::Format(max_.p1, "0.000") + "  " +
                         n2 + "=" + vb::Format(max_.p2, "0.000") + "  " + G::ParamNames[G::ParamTzero] + "=" +
                         vb::Format(max_.t0, "0.000"));
    else
        add(Res(21), Res(22));
}

print::Table clsGridResult::GridTable() const {
    print::Table table;
    table.after = " ";
    if (cells_.empty() || cells_[0].empty()) return table;
    std::vector<std::string>& first = table.rows.emplace_back(1, std::string(cells_[0][0].size(), ' '));
    first.insert(first.end(), p1Labels_.begin(), p1Labels_.end());
    for (size_t j = 0; j < cells_.size(); ++j) {
        std::vector<std::string>& row = table.rows.emplace_back(1, p2Labels_[j]);
        row.insert(row.end(), cells_[j].begin(), cells_[j].end());
    }
    return table;
}

std::string clsGridResult::TableStatus() const {
    return "Grid Search Data. " + G::GridTypeCaption + ": " + G::GridTypeNames[params_->GridType()] + ". " +
           G::MethodCaption + ": " + G::MethodNames[methType_] + ". " + G::GrowthCurveCaption + ": " +
           G::CurveNames[params_->GrowthCurve()];
}

std::vector<std::string> clsGridResult::LogLines() const {
    std::vector<std::string> lines{Res(1), ""};
    for (size_t k = 0; k < labels_.size(); ++k) lines.push_back(labels_[k] + "\t" + values_[k]);
    lines.push_back("");
    return lines;
}

print::Report clsGridResult::Report(bool WithRes, bool WithGridData, const std::string& tabs) const {
    print::Report report;
    report.AddLines(header_);
    if (WithRes)
        for (size_t k = 0; k < labels_.size(); ++k) report.AddLine(labels_[k] + tabs + values_[k]);
    if (WithGridData) report.AddTable(GridTable());
    return report;
}

std::vector<std::string> clsGridResult::SaveLines(bool WithRes, bool WithGridData) const {
    return Report(WithRes, WithGridData, "\t").Lines();
}

print::Report clsGridResult::PrintReport(bool WithRes, bool WithGridData) const {
    return Report(WithRes, WithGridData, "\t\t");
}
