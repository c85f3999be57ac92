#ifndef FRMAGESLICE_H
#define FRMAGESLICE_H
// The age slicing window: the growth curve and its parameters in, the samples sliced into
// ages out, shown as a result table and a plot, written to the run log and printed. It is
// modeless, but the main window is disabled while it is open. Changing the curve while a
// result is held asks first; typing into a parameter gives the result up at once.
#include <QPointer>
#include <memory>
#include <string>

#include "ParamDialog.h"
#include "clsAgeSliceResult.h"
#include "clsGrowthParams.h"

class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QRadioButton;
class clsLog;
class clsVorn;
class frmResTable;

class frmAgeSlice : public ParamDialog {
    Q_OBJECT
public:
    // `mainWindow` is disabled while this window is open.
    explicit frmAgeSlice(QWidget* mainWindow = nullptr);
    ~frmAgeSlice() override;

    void Create(const clsVorn& data, const clsGrowthParams& growth, clsLog& log);

    bool ResultPresent() const { return result_.Defined(); }
    const clsAgeSliceResult& Result() const { return result_; }
    const clsGrowthParams& GrowthParams() const { return growth_; }
    frmResTable* ResTable() const { return resTable_.get(); }

    static constexpr int kHelpContext = 23;

    QGroupBox* fmeAgeSlice;
    QLabel* lblGC;
    QRadioButton* optGC[2];
    QLabel* lblParam[clsAgeSliceResult::kParams];
    QLineEdit* txtParam[clsAgeSliceResult::kParams];
    QPushButton* cmdCalc;
    QPushButton* cmdPlot;
    QMenu* mnuAgeSlicing;
    QAction* mnuPrint;
    QAction* mnuPlot;
    QAction* mnuLog;
    QAction* mnuExit;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void cmdCalc_Click();
    // Calculates when no result is held; false when that failed (the user was told).
    bool Calculate();
    void Plot(bool calculateFirst);
    void mnuLog_Click();
    void mnuPrint_Click();
    void optGC_Click(int i);
    void ShowTable();
    void ClearResult();
    void RefreshControls();
    void CloseWindow();
    void EnableMainWindow(bool enabled);
    std::string Res(int k) const;

    QPointer<QWidget> main_;
    const clsVorn* data_ = nullptr;
    clsLog* log_ = nullptr;
    clsGrowthParams growth_;
    clsAgeSliceResult result_;
    std::unique_ptr<frmResTable> resTable_;
    int curve_ = 0;  // the option shown as chosen
};

#endif
