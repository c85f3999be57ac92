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

extern std::array<std::string, kNumGridTypes> GridTypeNames;
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
