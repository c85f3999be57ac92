#include "clsLCCurve.h"

#include <cmath>
#include <string>

#include "modZReg.h"
#include "vb/VbRuntime.h"

namespace {

constexpr int32_t kRefused = 1009;

[[noreturn]] void Refuse(const std::string& text) { throw VbError(kRefused, "clsLCCurve.Create", text); }

// Relative age of a length whose share of Linf still to grow is x; 0 at or above Linf.
float Age(float x, float K) { return x > 0.0f ? static_cast<float>(-std::log(static_cast<double>(x)) / K) : 0.0f; }

}  // namespace

void clsLCCurve::Create(const clsVorn& data, float K, float Linf) {
    if (!(K > 0.0f)) Refuse("K must be greater than 0.");
    if (!(Linf > 0.0f)) Refuse("Linf must be greater than 0.");
    if (data.Status() == 0 || data.NumDists() < 1 || data.NumClasses() < 1 || !(data.ClassSize() > 0.0f))
        Refuse("The data set has no samples or no length classes.");

    data_.CopyFields(data);
    k_ = K;
    linf_ = Linf;
    const int16_t nc = data_.NumClasses();
    const int16_t nd = data_.NumDists();
    lowerAge_.assign(nc + 1, 0.0f);
    duration_.assign(nc + 1, 0.0f);
    midAge_.assign(nc + 1, 0.0f);
    records_.assign(nd + 1, Record{});
    means_.reset();

    const float w = data_.ClassSize();
    for (int16_t j = 1; j <= nc; ++j) {
        const float L = data_.LBounds(j);
        lowerAge_[j] = Age(1.0f - L / Linf, K);
        midAge_[j] = Age(1.0f - (L + w / 2.0f) / Linf, K);
        if (j > 1) duration_[j - 1] = lowerAge_[j] - lowerAge_[j - 1];
    }

    for (int16_t d = 1; d <= nd; ++d) {
        Record& r = records_[d];
        r.percentage.assign(nc + 1, 0.0f);
        r.y.assign(nc + 1, kNoValue);
        r.fittedY.assign(nc + 1, 0.0f);
        r.included.assign(nc + 1, false);
        // An empty distribution has no percentages: all its points are without a value.
        const float total = data_.NTotal(d);
        for (int16_t j = 1; j <= nc; ++j) {
            const float pct = total > 0.0f ? data_.Dists(d, j) * 100.0f / total : 0.0f;
            r.percentage[j] = pct;
            if (j == nc || duration_[j] <= 0.0f || pct <= 0.0f) continue;
            r.y[j] = static_cast<float>(vb::Log(vb::DivS(pct, duration_[j], "clsLCCurve.Create"), "clsLCCurve.Create"));
            r.included[j] = r.y[j] != 0.0f;
        }
        FitDist(d);
    }

    bool any = false;
    for (int16_t d = 1; d <= nd; ++d) any = any || records_[d].line.has_value();
    if (!any)
        Refuse("No distribution could be fitted: a catch curve needs fish in at least two length classes "
               "below Linf, not counting the last class.");
}

void clsLCCurve::FitDist(int32_t dist) {
    if (dist > NumDists()) return;
    Record& r = At(dist, 1, "FitDist");
    const int16_t nc = NumPoints();
    // The last class never takes part, and a point without a value never does either,
    // whatever its flag says.
    std::vector<float> x{0.0f}, y{0.0f};
    for (int16_t j = 1; j <= nc - 1; ++j) {
        if (!r.included[j] || r.y[j] == kNoValue) continue;
        x.push_back(midAge_[j]);
        y.push_back(r.y[j]);
    }
    r.line = modZReg::FitLine(x, y);
    if (!r.line) return;
    for (int16_t j = 1; j <= nc - 1; ++j) r.fittedY[j] = midAge_[j] * r.line->B + r.line->A;
}

std::optional<ZValues> clsLCCurve::DistResults(int32_t dist) {
    At(dist, 1, "DistResults");
    FitDist(dist);
    const auto& line = records_[static_cast<size_t>(dist)].line;
    if (!line) return std::nullopt;
    return ZValues({-line->B});
}

void clsLCCurve::CalcMeans() {
    std::vector<float> z;
    for (int32_t d = 1; d <= NumDists(); ++d)
        if (const auto& line = records_[static_cast<size_t>(d)].line) z.push_back(-line->B);
    const auto m = modZReg::MeanAndSE(z);
    if (m) means_ = ZValues({m->mean, m->se});
    else means_.reset();
}

std::optional<ZValues> clsLCCurve::MeanAndSE() {
    CalcMeans();
    return means_;
}

std::optional<ZLine> clsLCCurve::FittedLine(int32_t dist) const { return At(dist, 1, "FittedLine").line; }

float clsLCCurve::XData(int32_t i) const {
    if (i < 1 || i > NumPoints()) vb::Raise(9, "clsLCCurve.XData");
    return midAge_[static_cast<size_t>(i)];
}

float clsLCCurve::YData(int32_t dist, int32_t i) const { return At(dist, i, "YData").y[static_cast<size_t>(i)]; }

void clsLCCurve::setToggledIn(int32_t dist, int32_t i, bool value) {
    At(dist, i, "ToggledIn").included[static_cast<size_t>(i)] = value;
}

bool clsLCCurve::ToggledIn(int32_t dist, int32_t i) const {
    return At(dist, i, "ToggledIn").included[static_cast<size_t>(i)];
}

float clsLCCurve::LowerAge(int32_t j) const {
    if (j < 1 || j > NumPoints()) vb::Raise(9, "clsLCCurve.LowerAge");
    return lowerAge_[static_cast<size_t>(j)];
}

float clsLCCurve::Duration(int32_t j) const {
    if (j < 1 || j > NumPoints()) vb::Raise(9, "clsLCCurve.Duration");
    return duration_[static_cast<size_t>(j)];
}

float clsLCCurve::Percentage(int32_t dist, int32_t j) const {
    return At(dist, j, "Percentage").percentage[static_cast<size_t>(j)];
}

std::optional<float> clsLCCurve::FittedY(int32_t dist, int32_t j) const {
    const Record& r = At(dist, j, "FittedY");
    if (!r.line || j == NumPoints()) return std::nullopt;
    return r.fittedY[static_cast<size_t>(j)];
}

const clsLCCurve::Record& clsLCCurve::At(int32_t dist, int32_t i, const char* proc) const {
    if (dist < 1 || dist > NumDists() || i < 1 || i > NumPoints() ||
        static_cast<size_t>(dist) >= records_.size())
        vb::Raise(9, std::string("clsLCCurve.") + proc);
    return records_[static_cast<size_t>(dist)];
}

clsLCCurve::Record& clsLCCurve::At(int32_t dist, int32_t i, const char* proc) {
    return const_cast<Record&>(static_cast<const clsLCCurve*>(this)->At(dist, i, proc));
}
