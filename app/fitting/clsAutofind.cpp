// Automatic seasonal fit by alternating simplex searches.
//
// Each cycle searches K and Linf with the seasonal values held, then the seasonal pair
// (C and Ts, or NGT and Ts) with K and Linf held, each over a fixed rectangle. The cycles
// stop once the best score changed by less than 1% over a cycle (at least two cycles, at
// most ten). The cancel of the wait window reaches the searches through the program-wide
// CancelRequested, which this fit alone clears.
#include "clsAutofind.h"

#include <utility>

#include "IMeth.h"
#include "MUtility.h"
#include "MVornGlobs.h"
#include "ReportFile.h"
#include "clsELEFAN.h"
#include "clsGrowthParams.h"
#include "clsLFDSearch.h"
#include "clsLog.h"
#include "clsPROJMAT.h"
#include "clsProgressUnknown.h"
#include "clsVorn.h"
#include "forms/FormsService.h"
#include "modMaths.h"
#include "print/Printer.h"
#include "vb/VbError.h"
#include "vb/VbRuntime.h"

namespace G = MVornGlobs;

namespace {

constexpr const char* kSource = "clsAutofind";
constexpr float kNoScore = 3.4E+38f;
constexpr int32_t kUserCancelled = vbObjectError + 2263;
constexpr int kMaxCycles = 10;

clsAutofind::InputDialog& inputDialog() {
    static clsAutofind::InputDialog dialog;
    return dialog;
}

clsAutofind::ResultsWindow& resultsWindow() {
    static clsAutofind::ResultsWindow window;
    return window;
}

// The seasonal rectangle of a grid type: C 0..1 by Ts -0.5..0.5, or NGT 0..0.9 by
// Ts -1..0.5. C stays within what the rest of the program accepts.
struct Rectangle {
    float p1Lo, p1Hi, p2Lo, p2Hi;
};
constexpr Rectangle kHoenigBox{0.0f, 1.0f, -0.5f, 0.5f};
constexpr Rectangle kPaulyBox{0.0f, 0.9f, -1.0f, 0.5f};

// The flag is cleared by the fit's one error handler.
[[noreturn]] void RaiseCancelled() {
    throw VbError(kUserCancelled, std::string(kSource) + ".AutoFind", "User Cancelled.");
}

// PROJMAT compares samples taken at different times.
bool HasTwoSampleTimes(const clsVorn& data) {
    for (int16_t i = 2; i <= data.NumDists(); ++i)
        if (data.sTime(i) != data.sTime(1)) return true;
    return false;
}

}  // namespace

clsAutofind::Choice clsAutofind::Defaults(const clsGrowthParams& GrowthParams) {
    const float linf = GrowthParams.Linf();
    const double lo = linf / 1.25;
    double step = 2;
    while (lo > 0 && step > lo && step > 1E-30) step /= 10;
    double hi = modMaths::RoundDown(linf * 1.25, step);
    // Rounding down can bring the top to Linf or below (Linf 2.5 gives 2 to 2, Linf 4.5
    // gives 2 to 4), and the fit could not move Linf: one step more holds it inside.
    // Compared as the box will hold it, in single.
    if (static_cast<float>(hi) <= linf) hi += step;
    Choice c;
    c.ParamLo = {0.1f, static_cast<float>(modMaths::RoundDown(lo, step))};
    c.ParamHi = {1.0f, static_cast<float>(hi)};
    return c;
}

std::string clsAutofind::RangeFault(const Choice& choice) {
    if (!(choice.ParamLo[1] > 0.0f)) return "The lowest Linf must be greater than 0";
    if (!(choice.ParamHi[1] > choice.MinLength))
        return "The highest Linf must be greater than the smallest length of the data set (" +
               vb::CStr(choice.MinLength) + "): no fish could grow into any class";
    return {};
}

clsAutofind::InputDialog clsAutofind::SetInputDialog(InputDialog dialog) {
    return std::exchange(inputDialog(), std::move(dialog));
}

clsAutofind::ResultsWindow clsAutofind::SetResultsWindow(ResultsWindow window) {
    return std::exchange(resultsWindow(), std::move(window));
}

clsAutofind::clsAutofind() {
    Reset();
    moProg_ = std::make_unique<clsProgressUnknown>();
    userCancelId_ = moProg_->ConnectUserCancel([this] { moProg_UserCancel(); });
}

clsAutofind::~clsAutofind() { moProg_->DisconnectUserCancel(userCancelId_); }

void clsAutofind::Reset() {
    ownParams_ = std::make_unique<clsGrowthParams>();
    params_ = ownParams_.get();
    report_ = clsAutofindResult();
    meth_.reset();
    data_ = nullptr;
    success_ = false;
    verbose_ = false;
    paramLo_ = {0.1f, 60.0f};
    paramHi_ = {1.0f, 90.0f};
    growthCurve_ = 1;
    method_ = 2;
    score_ = kNoScore;
}

void clsAutofind::Create(clsVorn& DataSet, clsGrowthParams& GrowthParams, clsLog& Log) {
    data_ = &DataSet;
    params_ = &GrowthParams;
    log_ = &Log;
}

float clsAutofind::ParamHi(int32_t i) const {
    if (i < 0) vb::Raise(9, std::string(kSource) + ".ParamHi");
    if (i > 1) vb::Raise(111, std::string(kSource) + ".ParamHi");
    return paramHi_[static_cast<size_t>(i)];
}

float clsAutofind::ParamLo(int32_t i) const {
    if (i < 0) vb::Raise(9, std::string(kSource) + ".ParamLo");
    if (i > 1) vb::Raise(111, std::string(kSource) + ".ParamLo");
    return paramLo_[static_cast<size_t>(i)];
}

clsGrowthParams& clsAutofind::GrowthParams() {
    if (!params_) {
        ownParams_ = std::make_unique<clsGrowthParams>();
        params_ = ownParams_.get();
    }
    return *params_;
}

clsVorn* clsAutofind::FittedData() const { return meth_ ? &meth_->LFD() : nullptr; }

std::unique_ptr<IMeth> clsAutofind::NewMethod(int32_t Method) {
    if (Method == 1) return std::make_unique<clsPROJMAT>();
    return std::make_unique<clsELEFAN>();
}

void clsAutofind::StatusText(const std::string& text) {
    if (statusText_) statusText_(text);
}

void clsAutofind::moProg_UserCancel() { G::CancelRequested = true; }

void clsAutofind::AutoFind() {
    success_ = false;
    // A cancel left over from an earlier search would end this fit at once.
    G::CancelRequested = false;
    try {
        Choice choice = Defaults(GrowthParams());
        if (data_) choice.MinLength = data_->MinLength();
        if (verbose_) {
            const InputDialog& dialog = inputDialog();
            if (!dialog || !dialog(GrowthParams(), choice)) return;
        }
        // A fit that cannot measure growth is refused before it starts.
        std::string refusal = RangeFault(choice);
        if (refusal.empty() && choice.Method == 1 && data_ && !HasTwoSampleTimes(*data_))
            refusal = "PROJMAT needs samples taken at two or more different times";
        if (!refusal.empty()) {
            forms::Forms().MsgBox(refusal, forms::vbExclamation, "Error");
            return;
        }
        paramHi_ = choice.ParamHi;
        paramLo_ = choice.ParamLo;
        growthCurve_ = choice.GrowthCurve;
        method_ = choice.Method;
        Fit();
        moProg_->Hide();
        WriteResultsToLog();
        success_ = true;
    } catch (const std::exception& e) {
        moProg_->Hide();
        G::CancelRequested = false;
        StatusText(G::ReadyText);
        MUtility::Hourglass(false);
        const auto* err = dynamic_cast<const VbError*>(&e);
        if (!err || err->Number != kUserCancelled)
            forms::Forms().MsgBox("Maximisation could not converge", forms::vbExclamation, "Error");
        return;
    }
    G::CancelRequested = false;
    StatusText(G::ReadyText);
    MUtility::Hourglass(false);
}

void clsAutofind::Fit() {
    if (!data_ || !log_) vb::Raise(91, std::string(kSource) + ".AutoFind");
    meth_ = NewMethod(method_);
    IMeth& m = *meth_;
    const int32_t seasonal = growthCurve_ == 1 ? 2 : 4;
    const Rectangle box = seasonal == 2 ? kHoenigBox : kPaulyBox;

    StatusText("Calculating...");
    MUtility::Hourglass(true);
    clsLFDSearch s1;   // K and Linf
    clsLFDSearch s2;   // the seasonal pair
    moProg_->setCaption("Fitting Seasonal Growth Curve");
    moProg_->Show();

    clsGrowthParams& gp = GrowthParams();
    m.Create(*data_);
    m.setGrowthCurve(growthCurve_);
    m.setsC(gp.c());
    m.setsK(gp.k());
    m.setsLinf(gp.Linf());
    m.setsNGT(0.25f);
    m.setsTs(gp.Ts());
    m.settGridType(0);

    // One best: the score of the point (K, Linf, T0 and the seasonal pair) the fit holds.
    // A search's result replaces a part of that point only when it beats it, so the score
    // reported is always the score of the parameters reported.
    float best = -kNoScore, combined = -kNoScore;
    float K = 0, Linf = 0, T0 = 0;
    float C = 0, Ts = 0, NGT = 0.25f;
    for (int cycle = 1; cycle <= kMaxCycles; ++cycle) {
        m.setGrowthCurve(growthCurve_);
        m.setsC(C);
        m.setsTs(Ts);
        m.settGridType(0);
        m.setsNGT(NGT);

        moProg_->setLabel("Searching over " + G::GridTypeNames[0]);
        if (!s1.AmoebaSearch(m, 0, paramLo_[0], paramHi_[0], paramLo_[1], paramHi_[1])) {
            if (G::CancelRequested) RaiseCancelled();
            vb::Raise(101, std::string(kSource) + ".AutoFind");
        }
        if (s1.IsFitted() && s1.MaxScore() > best) {
            best = s1.MaxScore();
            K = s1.P1();
            Linf = s1.P2();
            m.GetT0(K, Linf, T0);
            m.setsK(K);
            m.setsLinf(Linf);
        }

        moProg_->setLabel("Searching over " + G::GridTypeNames[seasonal]);
        m.settGridType(seasonal);
        // PROJMAT's t0 search leaves the last point it was asked about in the method; the
        // seasonal pair is searched, and its t0 found, with the fit's own K and Linf.
        m.setsK(K);
        m.setsLinf(Linf);
        const bool ok = s2.AmoebaSearch(m, seasonal, box.p1Lo, box.p1Hi, box.p2Lo, box.p2Hi);
        if (G::CancelRequested) RaiseCancelled();
        if (!ok) vb::Raise(101, std::string(kSource) + ".AutoFind");
        if (s2.IsFitted() && s2.MaxScore() > best) {
            best = s2.MaxScore();
            if (growthCurve_ == 2) NGT = s2.P1();
            else C = s2.P1();
            Ts = s2.P2();
            // The search's own t0 belongs to its best point; the method now holds the
            // seasonal values of whatever point it scored last.
            T0 = s2.TZero();
        }
        m.setsTs(Ts);
        m.setsC(C);
        m.setsNGT(NGT);
        m.setsK(K);
        m.setsLinf(Linf);

        const float previous = combined;
        combined = best;
        if (previous != -kNoScore && modMaths::RelDiff(combined, previous) < 0.01) break;
    }

    gp.setk(K);
    gp.setLinf(Linf);
    gp.setT0(T0);
    gp.setTs(Ts);
    gp.setc(C);
    gp.setNGT(NGT);
    gp.setGrowthCurve(growthCurve_);
    score_ = combined;

    clsAutofindResult::Fit fit;
    fit.GrowthCurve = gp.GrowthCurve();
    fit.Method = method_;
    fit.ParamLo = paramLo_;
    fit.ParamHi = paramHi_;
    fit.k = gp.k();
    fit.Linf = gp.Linf();
    fit.T0 = gp.T0();
    fit.Ts = gp.Ts();
    fit.c = gp.c();
    fit.NGT = gp.NGT();
    fit.Score = score_;
    report_ = clsAutofindResult(fit);
}

void clsAutofind::ShowResults() {
    clsVorn* fitted = FittedData();
    if (!fitted || !resultsWindow()) return;
    resultsWindow()(*this, *fitted);
}

void clsAutofind::PlotFit() {
    if (!meth_ || report_.Empty()) return;
    // The fit's own curve, as the results window shows it.
    const clsAutofindResult::Fit& v = report_.Values();
    meth_->LFD().PlotDistributions(v.k, v.Linf, v.T0, v.Ts, v.c, v.NGT, v.GrowthCurve);
}

void clsAutofind::WriteResultsToLog() {
    log_->setPolling(false);
    log_->InsertSeperator();
    for (const std::string& line : report_.LogLines()) log_->LogText(line + "\r\n");
    log_->EndLog();
}

void clsAutofind::SaveResults() {
    const clsVorn* fitted = FittedData();
    reportfile::SaveAs(fitted ? fitted->FileName() : std::string(), report_.Lines());
}

void clsAutofind::PrintResults() {
    print::Printer& printer = print::ThePrinter();
    G::PrintPageNumber();
    for (const std::string& line : report_.Lines()) printer.Print(line);
    printer.EndDoc();
}
