#ifndef CLSAUTOFINDRESULT_H
#define CLSAUTOFINDRESULT_H
// The report of one automatic seasonal fit, held without a window: its results text,
// which is saved and printed as it stands, and the run log's block. The fit passes
// LogLines to the run log, Lines to the .dat file and to the printer, line by line; the
// results window and the plot show the fit's own values (Values), which the shared growth
// parameters may no longer hold.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

class clsAutofindResult {
public:
    // What a fit reports.
    struct Fit {
        int32_t GrowthCurve = 1;   // 1 Hoenig, 2 Pauly
        int32_t Method = 2;        // 1 PROJMAT, 2 ELEFAN
        std::array<float, 2> ParamLo{}, ParamHi{};   // K (0) and Linf (1)
        float k = 0, Linf = 0, T0 = 0, Ts = 0, c = 0, NGT = 0;
        float Score = 0;
    };

    clsAutofindResult() = default;
    explicit clsAutofindResult(const Fit& fit);

    // The results text in order: title, heading, rule, curve, method, the ranges, the
    // estimates, the score. Lines 6 and 10 are a lone CR, line 7 ends in one.
    const std::vector<std::string>& Lines() const { return lines_; }
    bool Empty() const { return lines_.empty(); }
    // What the fit reported (Fit's defaults for an empty report).
    const Fit& Values() const { return fit_; }
    // The run log's block: every line but the title, then an empty line.
    std::vector<std::string> LogLines() const;

private:
    Fit fit_;
    std::vector<std::string> lines_;
};

#endif
