#ifndef MVORNGLOBS_H
#define MVORNGLOBS_H
// Program-wide state: the string-table offset, interface texts read once, the help file,
// the names of parameters, methods, growth curves and grid types, which parameters each
// grid type varies and holds, and the cancel flag of long searches. InitGlobals fills it
// at start-up; afterwards only CancelRequested changes.
#include <array>
#include <cstdint>
#include <string>

namespace MVornGlobs {

inline constexpr int kNumParams = 6;     // 0 K, 1 Linf, 2 Tzero, 3 Ts, 4 C, 5 NGT
inline constexpr int kNumMethods = 3;    // 0 SLCA, 1 PROJMAT, 2 ELEFAN
inline constexpr int kNumCurves = 3;     // 0 non-seasonal, 1 Hoenig, 2 Pauly
inline constexpr int kNumGridTypes = 5;

extern int16_t LangBase;
extern bool CancelRequested;
extern std::string HelpFilePath;
extern int32_t ContourGranularity;

extern std::array<std::string, kNumParams> ParamNames;
extern std::array<std::string, kNumMethods> MethodNames;
extern std::array<std::string, kNumCurves> CurveNames;

// Growth parameter numbers: the index into ParamNames, the same numbering program-wide.
enum : int32_t { ParamK = 0, ParamLinf = 1, ParamTzero = 2, ParamTs = 3, ParamC = 4, ParamNGT = 5 };
inline constexpr int32_t kNoParam = -1;

// Which parameters a grid type varies (P1 on the x axis, P2 on the y axis) and which two
// it holds fixed. Every reader of the grid types goes through this one table.
struct GridTypeParams {
    int32_t P1, P2, Fixed1, Fixed2;
    bool fixedFollowCurve = false;  // the fixed pair is the growth curve's seasonal pair
};
inline constexpr std::array<GridTypeParams, kNumGridTypes> kGridTypes = {{
    {ParamK, ParamLinf, ParamC, ParamTs, true},  // K vs Linf
    {ParamK, ParamNGT, ParamTs, ParamLinf},      // K vs NGT
    {ParamC, ParamTs, ParamK, ParamLinf},        // C vs Ts
    {ParamK, ParamC, ParamTs, ParamLinf},        // K vs C
    {ParamNGT, ParamTs, ParamK, ParamLinf},      // NGT vs Ts
}};

// The row of `gridType` for growth curve `curve`. Where the fixed pair follows the curve,
// the non-seasonal curve holds nothing fixed and the Pauly curve holds NGT in place of C;
// any other curve keeps the table's row. Outside 0..4 nothing is gridded or held but
// Fixed2, which is Linf as on every grid type whose fixed pair does not follow the curve.
GridTypeParams GridParamsFor(int32_t gridType, int32_t curve);

extern std::array<std::string, kNumGridTypes> GridTypeNames;
// Columns of kGridTypes, as names and as ParamNames indices.
extern std::array<std::string, kNumGridTypes> GridP1Names;
extern std::array<std::string, kNumGridTypes> GridP2Names;
extern std::array<std::string, kNumGridTypes> GridFixed1Names;
extern std::array<std::string, kNumGridTypes> GridFixed2Names;
extern std::array<int32_t, kNumGridTypes> GridP1Params;
extern std::array<int32_t, kNumGridTypes> GridP2Params;
extern std::array<int32_t, kNumGridTypes> GridFixed1Params;
extern std::array<int32_t, kNumGridTypes> GridFixed2Params;

// Interface texts (string ids 1800..1817).
extern std::string ReadyText, SavingFileText, OpeningFileText, ErrorText;
extern std::string OKCaption, CancelCaption, HelpCaption, ParametersCaption;
extern std::string GrowthCurveCaption, GridTypeCaption, MethodCaption, OptionsCaption;
extern std::string NoneText, LogCaption, ModelCaption, CloseCaption, CalculateCaption;
extern std::string ContourPlotCaption, HelpCaption2;

// Fills everything above. A missing string-table entry raises (error 326).
void InitGlobals();

// Range check of a growth parameter typed by the user. Out of range or not a number:
// beeps, shows "Value for parameter <name> must lie in the range <lo> to <hi>" with the
// exclamation icon, titled "Vorn 5.0", and returns false.
bool CheckParamRange(int32_t p, const std::string& value);
bool CheckParamRange(int32_t p, double value);

// Whether growth curve `curve` uses parameter `p`.
bool ParamInCurve(int32_t curve, int32_t p);

// "Page n" centred on the current printer line, then an empty line.
void PrintPageNumber();

// Selects the whole text of a parameter box on entry (any box with setSelection).
template <typename Box>
void SelectAllText(Box& box) {
    box.setSelection(0, 1000);
}

}  // namespace MVornGlobs

#endif
