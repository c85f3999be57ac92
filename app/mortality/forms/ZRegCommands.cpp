#include "ZRegCommands.h"

#include "MVornGlobs.h"
#include "StringTable.h"
#include "clsLCCurve.h"
#include "clsPowWeath.h"
#include "forms/FormsService.h"
#include "frmCCParams.h"
#include "frmZReg.h"
#include "vb/VbError.h"

namespace {

constexpr int kMainStrBase = 300;

std::string MainRes(int k) { return res::LoadResString(MVornGlobs::LangBase + kMainStrBase + k); }

void Refuse(const VbError& e, const std::string& title) {
    forms::Forms().Beep();
    forms::Forms().MsgBox(e.Description, forms::vbExclamation, title);
}

// "Calculating..." with the hourglass while it lives; "Ready..." without it afterwards.
class Calculating {
public:
    explicit Calculating(const std::function<void(const std::string&)>& status) : status_(status) {
        status_("Calculating...");
        forms::Forms().SetHourglass(true);
    }
    ~Calculating() {
        forms::Forms().SetHourglass(false);
        status_(MVornGlobs::ReadyText);
    }
    Calculating(const Calculating&) = delete;
    Calculating& operator=(const Calculating&) = delete;

private:
    const std::function<void(const std::string&)>& status_;
};

void ShowRegression(QWidget* owner, IZReg& reg, clsLog& Log, int titleId) {
    frmZReg window(owner);
    window.Create(reg, Log);
    window.setTitle(MainRes(titleId));
    window.setXAxisTitle(MainRes(titleId + 1));
    window.setYAxisTitle(MainRes(titleId + 2));
    window.exec();
}

}  // namespace

namespace ZRegCommands {

void CatchCurve(QWidget* owner, const clsVorn& DataSet, float K, float Linf, clsLog& Log) {
    float k = 0, linf = 0;
    {
        frmCCParams params(owner);
        params.Create(K, Linf);
        params.exec();
        if (!params.OK()) return;
        k = params.kval();
        linf = params.Linfval();
    }
    forms::Forms().DoEvents();
    clsLCCurve cc;
    try {
        cc.Create(DataSet, k, linf);
    } catch (const VbError& e) {
        Refuse(e, forms::kAppTitle);
        return;
    }
    ShowRegression(owner, cc, Log, 47);
}

void PowellWetherall(QWidget* owner, const clsVorn& DataSet, clsLog& Log,
                     const std::function<void(const std::string&)>& StatusText) {
    clsPowWeath pw;
    try {
        Calculating calculating(StatusText);
        pw.Create(DataSet);
    } catch (const VbError& e) {
        Refuse(e, "Cannot initialise");
        return;
    }
    ShowRegression(owner, pw, Log, 51);
}

}  // namespace ZRegCommands
