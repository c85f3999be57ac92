#include "clsPowWeath.h"

#include <string>

#include "modZReg.h"
#include "vb/VbRuntime.h"

namespace {

constexpr int32_t kRefused = 1009;

[[noreturn]] void Refuse(const std::string& text) { throw VbError(kRefused, "clsPowWeath.Create", text); }

}  // namespace

void clsPowWeath::Create(const clsVorn& data) {
    if (data.Status() == 0 || data.NumDists() < 1 || data.NumClasses() < 1 || !(data.ClassSize() > 0.0f))
        Refuse("The data set has no samples or no length classes.");
    data_ = &data;
    const int16_t nd = data.NumDists();
    const int16_t nc = data.NumClasses();
    means_.reset();

    // Every record is complete before the first fit, so a distribution that cannot be
    // fitted leaves the others usable.
    records_.assign(nd + 1, Record{});
    const float half = data.ClassSize() / 2.0f;
    for (int16_t d = 1; d <= nd; ++d) {
        Record& r = records_[d];
        r.included.assign(nc + 1, false);
        r.hasMean.assign(nc + 1, false);
        r.lbar.assign(nc + 1, 0.0f);
        r.fittedY.assign(nc + 1, 0.0f);
        r.y.assign(nc + 1, 0.0f);
        for (int16_t i = 1; i <= nc; ++i) {
            double s1 = 0.0, s0 = 0.0;
            for (int16_t j = i; j <= nc; ++j) {
                const double n = data.Dists(d, j);
                s1 += n * static_cast<double>(half + data.LBounds(j));
                s0 += n;
            }
            r.hasMean[i] = s0 > 1E-10;
            r.lbar[i] = r.hasMean[i] ? static_cast<float>(s1 / s0) : 0.0f;
            r.included[i] = data.Dists(d, i) != 0.0f && r.hasMean[i];
        }
    }
    bool any = false;
    for (int16_t d = 1; d <= nd; ++d) {
        FitDist(d);
        any = any || records_[d].line.has_value();
    }
    if (!any)
        Refuse("No distribution could be fitted: the plot needs fish in at least two length classes.");
}

void clsPowWeath::FitDist(int32_t dist) {
    Record& r = At(dist, 1, "FitDist");
    const int16_t nc = NumPoints();
    std::vector<float> x{0.0f}, y{0.0f};
    // A point without fish at or above it has no mean length: it never enters the fit,
    // whatever its flag says.
    for (int16_t i = 1; i <= nc; ++i) {
        const float L = data_->LBounds(i);
        r.y[i] = r.hasMean[i] ? r.lbar[i] - L : kNoValue;
        if (!r.included[i] || !r.hasMean[i]) continue;
        x.push_back(L);
        y.push_back(r.y[i]);
    }
    r.line = modZReg::FitLine(x, y);
    if (!r.line) return;
    const float A = r.line->A, B = r.line->B;
    try {
        r.zk = -vb::DivS(1.0f + B, B, "clsPowWeath.FitDist");
        r.linf = -vb::DivS(A, B, "clsPowWeath.FitDist");
    } catch (const VbError& err) {
        // A flat line (slope 0) has no crossing: no result, logged without a message.
        err_.HandleError(err, std::string("Cannot initialise"), Hald_Error::LogOnly);
        r.line.reset();
        return;
    }
    for (int16_t i = 1; i <= nc; ++i) r.fittedY[i] = data_->LBounds(i) * B + A;
}

std::optional<ZValues> clsPowWeath::DistResults(int32_t dist) {
    FitDist(dist);
    const Record& r = records_[static_cast<size_t>(dist)];
    if (!r.line) return std::nullopt;
    return ZValues({r.linf, r.zk});
}

void clsPowWeath::CalcMeans() {
    std::vector<float> linf, zk;
    for (int32_t d = 1; d <= NumDists(); ++d) {
        const Record& r = At(d, 1, "CalcMeans");
        if (!r.line) continue;
        linf.push_back(r.linf);
        zk.push_back(r.zk);
    }
    const auto l = modZReg::MeanAndSE(linf);
    const auto z = modZReg::MeanAndSE(zk);
    if (l && z) means_ = ZValues({l->mean, l->se, z->mean, z->se});
    else means_.reset();
}

std::optional<ZValues> clsPowWeath::MeanAndSE() {
    CalcMeans();
    return means_;
}

std::optional<ZLine> clsPowWeath::FittedLine(int32_t dist) const { return At(dist, 1, "FittedLine").line; }

float clsPowWeath::XData(int32_t i) const {
    if (i < 1 || i > NumPoints()) vb::Raise(9, "clsPowWeath.XData");
    return data_->LBounds(static_cast<int16_t>(i));
}

float clsPowWeath::YData(int32_t dist, int32_t i) const {
    const Record& r = At(dist, i, "YData");
    if (!r.hasMean[static_cast<size_t>(i)]) return kNoValue;
    return r.lbar[static_cast<size_t>(i)] - data_->LBounds(static_cast<int16_t>(i));
}

void clsPowWeath::setToggledIn(int32_t dist, int32_t i, bool value) {
    Record& r = At(dist, i, "ToggledIn");
    r.included[static_cast<size_t>(i)] = value && r.hasMean[static_cast<size_t>(i)];
}

bool clsPowWeath::ToggledIn(int32_t dist, int32_t i) const {
    return At(dist, i, "ToggledIn").included[static_cast<size_t>(i)];
}

float clsPowWeath::Lbar(int32_t dist, int32_t i) const { return At(dist, i, "Lbar").lbar[static_cast<size_t>(i)]; }

std::optional<float> clsPowWeath::FittedY(int32_t dist, int32_t i) const {
    const Record& r = At(dist, i, "FittedY");
    if (!r.line) return std::nullopt;
    return r.fittedY[static_cast<size_t>(i)];
}

const clsPowWeath::Record& clsPowWeath::At(int32_t dist, int32_t i, const char* proc) const {
    if (dist < 1 || dist > NumDists() || i < 1 || i > NumPoints() ||
        static_cast<size_t>(dist) >= records_.size() ||
        static_cast<size_t>(i) >= records_[static_cast<size_t>(dist)].lbar.size())
        vb::Raise(9, std::string("clsPowWeath.") + proc);
    return records_[static_cast<size_t>(dist)];
}

clsPowWeath::Record& clsPowWeath::At(int32_t dist, int32_t i, const char* proc) {
    return const_cast<Record&>(static_cast<const clsPowWeath*>(this)->At(dist, i, proc));
}
