#include "clsAutofindResult.h"

#include "MVornGlobs.h"
#include "vb/VbRuntime.h"

namespace G = MVornGlobs;

clsAutofindResult::clsAutofindResult(const Fit& fit) : fit_(fit) {
    auto name = [](int32_t p) { return G::ParamNames[p] + " : "; };
    const std::string cr = "\r";
    lines_ = {
        "Vorn 5.0",
        "RESULTS OF SEASONAL GROWTH CURVE SEARCH",
        std::string(43, '-'),
        "GROWTH CURVE: " + G::CurveNames.at(fit.GrowthCurve),
        "METHOD: " + G::MethodNames.at(fit.Method),
        cr,
        "Ranges :" + cr,
        name(G::ParamK) + vb::Str(fit.ParamLo[0]) + "   -   " + vb::Str(fit.ParamHi[0]),
        name(G::ParamLinf) + vb::Str(fit.ParamLo[1]) + "   -   " + vb::Str(fit.ParamHi[1]),
        cr,
        "Parameter Estimates:",
        name(G::ParamK) + vb::Str(fit.k),
        name(G::ParamLinf) + vb::Str(fit.Linf),
        name(G::ParamTzero) + vb::Str(fit.T0),
        name(G::ParamTs) + vb::Str(fit.Ts),
        fit.GrowthCurve == 2 ? name(G::ParamNGT) + vb::Str(fit.NGT) : name(G::ParamC) + vb::Str(fit.c),
        "Score Function : " + vb::Str(fit.Score),
    };
}

std::vector<std::string> clsAutofindResult::LogLines() const {
    // The program's name heads the saved and printed report only.
    std::vector<std::string> lines(lines_.begin() + (lines_.empty() ? 0 : 1), lines_.end());
    lines.push_back("");
    return lines;
}
