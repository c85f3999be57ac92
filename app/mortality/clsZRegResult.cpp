#include "clsZRegResult.h"

#include "vb/VbRuntime.h"

namespace {

std::string Fixed(float v, const char* pattern) { return vb::Format(static_cast<double>(v), pattern); }

}  // namespace

clsZRegResult::clsZRegResult(IZReg& reg) : reg_(reg), zType_(reg.ZType()), numDists_(reg.NumDists()) { Refresh(); }

void clsZRegResult::Refresh() {
    results_.assign(static_cast<size_t>(numDists_) + 1, std::nullopt);
    lines_.clear();
    anyResult_ = false;
    for (int16_t i = 1; i <= numDists_; ++i) {
        results_[i] = reg_.DistResults(i);
        const auto& r = results_[i];
        anyResult_ = anyResult_ || r.has_value();
        std::string line = "    " + vb::CStr(static_cast<int32_t>(i)) + std::string(i <= 9 ? 8 : 6, ' ');
        if (zType_ == 0) line += r ? Fixed((*r)(1), "0.00") : "-";
        else line += r ? Fixed((*r)(1), "0.00") + "     " + Fixed((*r)(2), "0.00") : "-     -";
        lines_.push_back(line);
    }

    const auto m = reg_.MeanAndSE();
    auto value = [&](int32_t k, const char* pattern) { return m ? Fixed((*m)(k), pattern) : std::string("-"); };
    meanLabels_.clear();
    if (zType_ == 0) {
        meanLabels_.push_back("Mean Z: " + value(1, "0.00"));
        meanLabels_.push_back("Std. Error: " + value(2, "0.000"));
    } else {
        meanLabels_.push_back("Mean Linf: " + value(1, "0.00"));
        meanLabels_.push_back("Std. Error: " + value(2, "0.000"));
        meanLabels_.push_back("Mean Z/K: " + value(3, "0.00"));
        meanLabels_.push_back("Std. Error: " + value(4, "0.000"));
    }
}

chart::PointMark clsZRegResult::Mark(int32_t dist, int32_t i) const {
    if (reg_.ToggledIn(dist, i)) return chart::PointMark::Included;
    return reg_.YData(dist, i) == IZReg::kNoValue ? chart::PointMark::NoValue : chart::PointMark::Excluded;
}

void clsZRegResult::Toggle(int32_t dist, int32_t i) {
    reg_.setToggledIn(dist, i, !reg_.ToggledIn(dist, i));
    Refresh();
}

std::vector<std::string> clsZRegResult::LogLines(const std::string& caption) {
    Refresh();
    if (!anyResult_) return {};
    std::vector<std::string> out{caption, ""};
    for (int16_t i = 1; i <= numDists_; ++i) {
        const auto& r = results_[i];
        if (!r) continue;
        std::string line = "Dist. " + std::string(7, ' ') + vb::CStr(static_cast<int32_t>(i)) + std::string(11, ' ');
        if (zType_ == 0) line += " Z = " + Fixed((*r)(1), "0.000");
        else line += " Linf = " + Fixed((*r)(1), "0.000") + "  Z/K = " + Fixed((*r)(2), "0.000");
        out.push_back(line);
    }
    out.push_back("");
    out.insert(out.end(), meanLabels_.begin(), meanLabels_.end());
    out.push_back("");
    return out;
}
