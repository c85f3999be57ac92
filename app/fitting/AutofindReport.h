#ifndef AUTOFINDREPORT_H
#define AUTOFINDREPORT_H
// The report of one automatic seasonal fit: its lines, and the same lines written to the
// run log, saved as a .dat file and printed.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

class clsLog;

class AutofindReport {
public:
    // What a fit reports.
    struct Fit {
        int32_t GrowthCurve = 1;   // 1 Hoenig, 2 Pauly
        int32_t Method = 2;        // 1 PROJMAT, 2 ELEFAN
        std::array<float, 2> ParamLo{}, ParamHi{};   // K (0) and Linf (1)
        float k = 0, Linf = 0, T0 = 0, Ts = 0, c = 0, NGT = 0;
        float Score = 0;
    };

    AutofindReport() = default;
    explicit AutofindReport(const Fit& fit);

    // The lines in order: title, heading, rule, curve, method, the ranges, the estimates,
    // the score. Lines 6 and 10 are a lone CR, line 7 ends in one.
    const std::vector<std::string>& Lines() const { return lines_; }
    bool Empty() const { return lines_.empty(); }

    // A run-log block: a separator, every line but the first with CR LF, one more CR LF.
    void WriteToLog(clsLog& Log) const;
    // Every line with CR LF, written whole or not at all; a failure raises VbError and
    // leaves an existing file as it was.
    void Save(const std::string& path) const;
    // On the installed printer: the page number, every line, then the end of the document.
    void Print() const;

private:
    std::vector<std::string> lines_;
};

#endif
