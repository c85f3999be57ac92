#ifndef FRMGRIDEVAL_H
#define FRMGRIDEVAL_H
// The first window of a grid search: scoring method, growth curve and grid type (which
// two growth parameters vary), the grid options, and OK to run the search in the results
// window. Only the allowed combinations can be chosen. Modeless; the main window stays
// disabled while it is shown.
#include <QDialog>
#include <array>
#include <cstdint>
#include <memory>

class QGroupBox;
class QPushButton;
class QRadioButton;
class clsGrowthParams;
class clsLog;
class clsVorn;
class frmGridOptions;
class frmGridRes;

class frmGridEval : public QDialog {
    Q_OBJECT
public:
    // `mainWindow` is disabled from Create until the dialog hides.
    explicit frmGridEval(QWidget* mainWindow = nullptr);
    ~frmGridEval() override;

    void Create(frmGridRes& Results, clsVorn& DataSet, clsGrowthParams& GrowthParams, clsLog& Log);
    void enableProjmat();
    void disableProjmat();
    clsGrowthParams* GrowthParams() const { return params_; }
    frmGridOptions* Options() const { return options_.get(); }

    // Whether method m may be used with growth curve c on grid type g.
    static bool Allowed(int m, int c, int g);

    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdOptions_Click();

    static constexpr int kHelpContext = 62;

    std::array<QRadioButton*, 3> optMeth{};
    std::array<QRadioButton*, 3> optGC{};
    std::array<QRadioButton*, 5> optGT{};
    QGroupBox* frmMeth;
    QGroupBox* fmeGC;
    QGroupBox* fmeGridType;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
    QPushButton* cmdOptions;
    QPushButton* cmdHelp;

protected:
    void reject() override;
    void closeEvent(QCloseEvent* event) override;

private:
    void RefreshEnabled();
    void RefillOptionsIfChanged();
    void EnableMainWindow(bool enabled);

    QWidget* mainWindow_;
    frmGridRes* results_ = nullptr;
    clsVorn* data_ = nullptr;
    clsGrowthParams* params_ = nullptr;
    clsLog* log_ = nullptr;
    std::unique_ptr<frmGridOptions> options_;
    bool changed_ = false;
    bool loaded_ = false;
    bool projmat_ = true;
    int16_t method_ = 0, gridType_ = 0, curve_ = 0;
};

#endif
