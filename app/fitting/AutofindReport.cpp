#include "AutofindReport.h"

#include "MVornGlobs.h"
#include "ReportFile.h"
#include "clsLog.h"
#include "print/Printer.h"
#include "vb/VbRuntime.h"

namespace G = MVornGlobs;

AutofindReport::AutofindReport(const Fit& fit) {
    const auto& n = G::ParamNames;   // K, Linf, Tzero, Ts, C, NGT
    const std::string cr = "\r";
    lines_ = {
        "Vorn 5.0",
        "RESULTS OF SEASONAL GROWTH CURVE SEARCH",
        std::string(43, '-'),
        "GROWTH CURVE: " + G::CurveNames.at(fit.GrowthCurve),
        "METHOD: " + G::MethodNames.at(fit.Method),
        cr,
        "Ranges :" + cr,
        n[0] + " : " + vb::Str(fit.ParamLo[0]) + "   -   " + vb::Str(fit.ParamHi[0]),
        n[1] + " : " + vb::Str(fit.ParamLo[1]) + "   -   " + vb::Str(fit.ParamHi[1]),
        cr,
        "Parameter Estimates:",
        n[0] + " : " + vb::Str(fit.k),
        n[1] + " : " + vb::Str(fit.Linf),
        n[2] + " : " + vb::Str(fit.T0),
        n[3] + " : " + vb::Str(fit.Ts),
        fit.GrowthCurve == 2 ? n[5] + " : " + vb::Str(fit.NGT) : n[4] + " : " + vb::Str(fit.c),
        "Score Function : " + vb::Str(fit.Score),
    };
}

void AutofindReport::WriteToLog(clsLog& Log) const {
    Log.setPolling(false);
    Log.InsertSeperator();
    // The program's name heads the saved and printed report only.
    for (size_t k = 1; k < lines_.size(); ++k) {
        Log.LogText(lines_[k]);
        Log.LogText("\r\n");
    }
    Log.LogText("\r\n");
    Log.EndLog();
}

void AutofindReport::Save(const std::string& path) const { reportfile::Write(path, lines_); }

void AutofindReport::Print() const {
    print::Printer& printer = print::ThePrinter();
    G::PrintPageNumber();
    for (const std::string& line : lines_) printer.Print(line);
    printer.EndDoc();
}
