#include "MVornGlobs.h"

#include <cmath>

#include "MUtility.h"
#include "StringTable.h"
#include "forms/FormsService.h"
#include "print/Printer.h"
#include "vb/VbError.h"
#include "vb/VbRuntime.h"

namespace MVornGlobs {

// The name tables are constants; they are set here as well as in InitGlobals so that code
// running before start-up (tests of single classes) sees the same names.
int16_t LangBase = 0;
bool CancelRequested = false;
std::string HelpFilePath;
int32_t ContourGranularity = 3;

std::array<std::string, kNumParams> ParamNames = {"K", "Linf", "Tzero", "Ts", "C", "NGT"};
std::array<std::string, kNumMethods> MethodNames = {"SLCA", "PROJMAT", "ELEFAN"};
std::array<std::string, kNumCurves> CurveNames = {"Non Seasonal", "Hoenig Seasonal", "Pauly Seasonal"};

namespace {

std::array<int32_t, kNumGridTypes> column(int32_t GridTypeParams::*field) {
    std::array<int32_t, kNumGridTypes> c{};
    for (int g = 0; g < kNumGridTypes; ++g) c[g] = kGridTypes[g].*field;
    return c;
}

std::array<std::string, kNumGridTypes> names(const std::array<int32_t, kNumGridTypes>& params) {
    std::array<std::string, kNumGridTypes> n;
    for (int g = 0; g < kNumGridTypes; ++g) n[g] = ParamNames[params[g]];
    return n;
}

}  // namespace

std::array<std::string, kNumGridTypes> GridTypeNames = {"K vs Linf", "K vs NGT", "C vs Ts", "K vs C", "NGT vs Ts"};
std::array<int32_t, kNumGridTypes> GridP1Params = column(&GridTypeParams::P1);
std::array<int32_t, kNumGridTypes> GridP2Params = column(&GridTypeParams::P2);
std::array<int32_t, kNumGridTypes> GridFixed1Params = column(&GridTypeParams::Fixed1);
std::array<int32_t, kNumGridTypes> GridFixed2Params = column(&GridTypeParams::Fixed2);
std::array<std::string, kNumGridTypes> GridP1Names = names(GridP1Params);
std::array<std::string, kNumGridTypes> GridP2Names = names(GridP2Params);
std::array<std::string, kNumGridTypes> GridFixed1Names = names(GridFixed1Params);
std::array<std::string, kNumGridTypes> GridFixed2Names = names(GridFixed2Params);

std::string ReadyText, SavingFileText, OpeningFileText, ErrorText;
std::string OKCaption, CancelCaption, HelpCaption, ParametersCaption;
std::string GrowthCurveCaption, GridTypeCaption, MethodCaption, OptionsCaption;
std::string NoneText, LogCaption, ModelCaption, CloseCaption, CalculateCaption;
std::string ContourPlotCaption, HelpCaption2;

namespace {

std::string load(int16_t id) { return res::LoadResString(vb::AddInt(LangBase, id)); }

struct Range {
    float lower, upper;
    bool strictLower;
};
// Shown bounds equal the accepted ones; K and Tzero exclude their lower bound.
constexpr Range kRanges[kNumParams] = {
    {0.0f, 1000.0f, true},     // K
    {0.0f, 1000000.0f, false}, // Linf
    {-1.0f, 0.0f, true},       // Tzero
    {-1.0f, 1.0f, false},      // Ts
    {0.0f, 1.0f, false},       // C
    {0.0f, 1.0f, false},       // NGT
};

bool inRange(int32_t p, float v) {
    const Range& r = kRanges[p];
    bool aboveLower = r.strictLower ? v > r.lower : v >= r.lower;
    return aboveLower && v <= r.upper;
}

bool refuse(int32_t p) {
    const Range& r = kRanges[p];
    forms::Forms().Beep();
    forms::Forms().MsgBox("Value for parameter " + ParamNames[p] + " must lie in the range " +
                              vb::CStr(static_cast<int32_t>(r.lower)) + " to " +
                              vb::CStr(static_cast<int32_t>(r.upper)),
                          forms::vbExclamation, forms::kAppTitle);
    return false;
}

}  // namespace

void InitGlobals() {
    LangBase = 0;

    std::string* texts[] = {&ReadyText,      &SavingFileText,    &OpeningFileText, &ErrorText,
                            &OKCaption,      &CancelCaption,     &HelpCaption,     &ParametersCaption,
                            &GrowthCurveCaption, &GridTypeCaption, &MethodCaption, &OptionsCaption,
                            &NoneText,       &LogCaption,        &ModelCaption,    &CloseCaption,
                            &CalculateCaption, &ContourPlotCaption};
    int16_t id = 1800;
    for (std::string* t : texts) *t = load(id++);
    HelpCaption2 = HelpCaption;

    HelpFilePath = MUtility::AppPath() + "/" + "Vorn5.hlp";

    ParamNames = {"K", "Linf", "Tzero", "Ts", "C", "NGT"};
    MethodNames = {"SLCA", "PROJMAT", "ELEFAN"};
    CurveNames = {"Non Seasonal", "Hoenig Seasonal", "Pauly Seasonal"};
    GridTypeNames = {"K vs Linf", "K vs NGT", "C vs Ts", "K vs C", "NGT vs Ts"};
    GridP1Params = column(&GridTypeParams::P1);
    GridP2Params = column(&GridTypeParams::P2);
    GridFixed1Params = column(&GridTypeParams::Fixed1);
    GridFixed2Params = column(&GridTypeParams::Fixed2);
    GridP1Names = names(GridP1Params);
    GridP2Names = names(GridP2Params);
    GridFixed1Names = names(GridFixed1Params);
    GridFixed2Names = names(GridFixed2Params);

    ContourGranularity = 3;
}

GridTypeParams GridParamsFor(int32_t gridType, int32_t curve) {
    if (gridType < 0 || gridType >= kNumGridTypes) return {kNoParam, kNoParam, kNoParam, ParamLinf};
    GridTypeParams row = kGridTypes[gridType];
    if (row.fixedFollowCurve) {
        if (curve == 0) row.Fixed1 = row.Fixed2 = kNoParam;
        else if (curve == 2) row.Fixed1 = ParamNGT;
    }
    return row;
}

bool CheckParamRange(int32_t p, const std::string& value) {
    if (p < 0 || p >= kNumParams) return false;  // no caller passes another index
    if (!vb::IsNumeric(value)) return refuse(p);
    float v;
    try {
        v = vb::CSng(value);
    } catch (const VbError&) {  // beyond single range: certainly out of range
        return refuse(p);
    }
    return inRange(p, v) ? true : refuse(p);
}

bool CheckParamRange(int32_t p, double value) {
    if (p < 0 || p >= kNumParams) return false;
    if (std::isnan(value) || std::abs(value) > 3.4028234663852886e38) return refuse(p);
    return inRange(p, static_cast<float>(value)) ? true : refuse(p);
}

bool ParamInCurve(int32_t curve, int32_t p) {
    static const int32_t nonSeasonal[] = {1, 0, 2};
    static const int32_t hoenig[] = {1, 0, 2, 3, 4};
    static const int32_t pauly[] = {1, 0, 2, 3, 5};
    switch (curve) {
        case 0: return MUtility::InArray(p, nonSeasonal);
        case 1: return MUtility::InArray(p, hoenig);
        case 2: return MUtility::InArray(p, pauly);
        default: return false;
    }
}

void PrintPageNumber() {
    print::Printer& printer = print::ThePrinter();
    const std::string text = "Page " + vb::CStr(printer.Page());
    printer.setCurrentX((printer.ScaleWidth() - printer.TextWidth(text)) / 2);
    printer.Print(text);
    printer.Print();
    printer.setCurrentX(0);
}

}  // namespace MVornGlobs
