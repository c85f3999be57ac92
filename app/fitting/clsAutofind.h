#ifndef CLSAUTOFIND_H
#define CLSAUTOFIND_H
// Automatic seasonal fit: with one scoring method (PROJMAT or ELEFAN) it alternates two
// simplex searches, first over K and Linf, then over the two seasonal parameters of the
// chosen curve (C and Ts, or NGT and Ts), and repeats these cycles until the best score
// settles. The result goes into the shared growth parameters and the run log; it can be
// shown, saved, printed and plotted.
//
// The input dialog and the results window are installed by the window layer; without an
// input dialog a verbose fit is not started, without a results window nothing is shown.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "clsAutofindResult.h"

class IMeth;
class clsGrowthParams;
class clsLog;
class clsProgressUnknown;
class clsVorn;

class clsAutofind {
public:
    // What the input dialog hands over: the ranges of K (0) and Linf (1), the curve
    // (1 Hoenig, 2 Pauly) and the method (1 PROJMAT, 2 ELEFAN).
    // MinLength comes in: the data set's smallest length.
    struct Choice {
        std::array<float, 2> ParamLo{}, ParamHi{};
        int32_t GrowthCurve = 1;
        int32_t Method = 2;
        float MinLength = 0;
    };
    // The dialog's starting values for a parameter set: K 0.1 to 1, Linf from Linf / 1.25
    // to Linf x 1.25, each brought down to an even number; Hoenig curve, ELEFAN. Below a
    // Linf of 2.5 even numbers would give 0: the step is then the largest 0.2, 0.02, ...
    // that still gives a low end above 0. Where the top comes down to Linf or below, it
    // is one step higher, so that Linf (above 0) always lies strictly inside its range.
    static Choice Defaults(const clsGrowthParams& GrowthParams);
    // Why a choice's Linf range cannot measure growth (a low end not above 0, or a high
    // end no fish could grow into any class with), or empty when it can.
    static std::string RangeFault(const Choice& choice);

    // Shows the input dialog bound to the parameter set (modal), fills the choice and
    // returns True when it was closed with OK. Returns the previously installed one.
    using InputDialog = std::function<bool(clsGrowthParams&, Choice&)>;
    static InputDialog SetInputDialog(InputDialog dialog);
    // Shows the results window of a fit (modal).
    using ResultsWindow = std::function<void(clsAutofind&, clsVorn& DataSet)>;
    static ResultsWindow SetResultsWindow(ResultsWindow window);

    clsAutofind();
    virtual ~clsAutofind();
    clsAutofind(const clsAutofind&) = delete;
    clsAutofind& operator=(const clsAutofind&) = delete;

    // Bounds of K (0) and Linf (1); i > 1 raises 111, a negative i 9.
    float ParamHi(int32_t i) const;
    float ParamLo(int32_t i) const;
    int32_t Method() const { return method_; }
    // Curve of the last fit (1 Hoenig, 2 Pauly).
    int32_t GrowthCurve() const { return growthCurve_; }
    clsGrowthParams& GrowthParams();
    float Score() const { return score_; }
    bool Success() const { return success_; }
    void setVerbose(bool v) { verbose_ = v; }

    // Plots the distributions of the fitted data set with the fitted curve (after a fit).
    void PlotFit();
    void Reset();
    // Binds the data set, the shared parameter set and the run log; nothing else.
    void Create(clsVorn& DataSet, clsGrowthParams& GrowthParams, clsLog& Log);
    // Asks for the settings (when verbose) and fits. Every failure ends in one message,
    // "Maximisation could not converge", except the user's Cancel, which shows nothing.
    void AutoFind();
    void ShowResults();
    // Save dialog, then the report as a .dat file; Cancel ends it silently, a file that
    // cannot be written is said in a box.
    void SaveResults();
    // The report on the printer, after the page number.
    void PrintResults();

    // The main window's status text.
    void setStatusText(std::function<void(const std::string&)> statusText) { statusText_ = std::move(statusText); }

    const clsAutofindResult& Report() const { return report_; }
    // The method of the last fit (nullptr before the first one).
    IMeth* Meth() const { return meth_.get(); }
    // The data set the last fit scored (the method's own copy), or nullptr.
    clsVorn* FittedData() const;

protected:
    // A new scoring object for method 1 (PROJMAT) or 2 (ELEFAN).
    virtual std::unique_ptr<IMeth> NewMethod(int32_t Method);

private:
    void Fit();
    void WriteResultsToLog();
    void StatusText(const std::string& text);
    void moProg_UserCancel();

    std::unique_ptr<clsGrowthParams> ownParams_;   // until Create binds the shared set
    clsGrowthParams* params_ = nullptr;
    clsVorn* data_ = nullptr;
    std::unique_ptr<IMeth> meth_;
    clsLog* log_ = nullptr;
    bool verbose_ = false;
    bool success_ = false;
    int32_t growthCurve_ = 1;
    int32_t method_ = 2;
    std::array<float, 2> paramHi_{}, paramLo_{};
    float score_ = 0;
    clsAutofindResult report_;
    std::unique_ptr<clsProgressUnknown> moProg_;
    int userCancelId_ = 0;
    std::function<void(const std::string&)> statusText_;
};

#endif
