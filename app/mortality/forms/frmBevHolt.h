#ifndef FRMBEVHOLT_H
#define FRMBEVHOLT_H
// The Beverton-Holt window: K, Linf and Lc in, Z of every sample with its mean and standard
// error out, written to the run log and printed or saved as a report. Narrow while no
// result is held (the results lie out of view to the right); a calculation widens it. The
// first key typed into a parameter while a result is shown asks whether to give it up.
#include <memory>
#include <string>

#include "ParamDialog.h"
#include "clsGrowthParams.h"

class QAction;
class QGroupBox;
class QLabel;
class QListWidget;
class QMenu;
class clsBevHoltResult;
class clsLog;
class clsVorn;

class frmBevHolt : public ParamDialog {
    Q_OBJECT
public:
    explicit frmBevHolt(QWidget* owner = nullptr);
    ~frmBevHolt() override;

    // Functions > Beverton-Holt Z: a new window on the data set, shown modally over `owner`.
    static void Run(QWidget* owner, const clsVorn& data, const clsGrowthParams& growth, clsLog& log);

    void Create(const clsVorn& data, const clsGrowthParams& growth, clsLog& log);

    bool ResultPresent() const;
    const clsBevHoltResult* Result() const { return result_.get(); }

    // The window's widths in twips: without and with the results in view.
    static constexpr int kNarrowTwips = 2900;
    static constexpr int kWideTwips = 5750;
    static constexpr int kHelpContext = 68;

    QGroupBox* fmeParams;
    QLabel* lblParam[3];
    QLineEdit* txtParam[3];
    QPushButton* cmdCalc;
    QGroupBox* fmeRes;
    QListWidget* lstRes;
    QLabel* lblResTitle;
    QLabel* lblMeanZ;
    QLabel* lblMeanZRes;
    QLabel* lblStdErr;
    QLabel* lblStdErrRes;
    QMenu* mnuBevHoltZ;
    QAction* mnuPrint;
    QAction* mnuSave;
    QAction* mnuExit;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void cmdCalc_Click();
    void mnuPrint_Click();
    void mnuSave_Click();
    void CloseWindow();
    // A key that would change a parameter while a result is shown: true when the user
    // gives the result up (the key then goes through).
    bool ConfirmClear();
    void ShowResult(bool shown);

    const clsVorn* data_ = nullptr;
    clsLog* log_ = nullptr;
    clsGrowthParams growth_;
    std::unique_ptr<clsBevHoltResult> result_;
};

#endif
