#ifndef FRMGRIDRES_H
#define FRMGRIDRES_H
// Runs a grid search for the grid evaluation dialog and shows its result (clsGridResult):
// the report lines (also written to the run log, saved as a .dat file and printed), the grid
// of scores as a table, the score contours and the fitted curve; Maximise runs the simplex
// search over the same two parameters. The main window asks it whether a result is held.
#include <QMainWindow>
#include <array>
#include <functional>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "clsGridResult.h"

class IMeth;
class QAction;
class QLabel;
class QMenu;
class QPushButton;
class clsGrowthParams;
class clsLog;
class clsVorn;
class frmMaxOpts;
class frmPlotFit;
class frmPrintOpts;
class frmResTable;

class frmGridRes : public QMainWindow {
    Q_OBJECT
public:
    explicit frmGridRes(QWidget* parent = nullptr);
    ~frmGridRes() override;

    bool GridDefined() const { return result_.Defined(); }
    int32_t MethType() const { return result_.MethType(); }
    void setWithFit(bool v) { withFit_ = v; }
    void setWithContour(bool v) { withContour_ = v; }
    void Reset();
    // Runs the grid search. False when it was cancelled (nothing is reported). Errors of
    // the search pass to the caller, with no result held.
    bool Create(clsGrowthParams& GrowthParams, float P1Lo, float P1Hi, int32_t P1Evals, float P2Lo,
                float P2Hi, int32_t P2Evals, int32_t MethType, clsVorn& DataSet, clsLog& Log);
    void PlotGridContour();
    void PlotFit();
    void BuildOutputStrings();
    // After a failed search: no result held, plots closed.
    void AbandonResult();
    // Forgets the result and the objects it uses (the data set is about to go).
    void Unload();

    // The result and its report.
    const clsGridResult& Result() const { return result_; }
    const std::vector<std::string>& Header() const { return result_.Header(); }
    const std::vector<std::string>& Labels() const { return result_.Labels(); }
    const std::vector<std::string>& Values() const { return result_.Values(); }
    std::vector<std::string> GridData() const { return result_.GridData(); }

    // Commands.
    void cmdMax_Click();
    void cmdOK_Click();
    void mnuSave_Click();
    void mnuPrint_Click();
    void mnuGridData_Click();

    frmResTable* ResTable() const { return resTable_.get(); }
    frmMaxOpts* MaxOpts() const { return maxOpts_.get(); }
    frmPrintOpts* PrintOpts() const { return printOpts_.get(); }
    frmPlotFit* PlotFitDialog() const { return plotFit_.get(); }
    IMeth* Method() const { return result_.Method(); }
    const clsLFDSearch& Search() const { return result_.Search(); }

    static constexpr int kHelpContext = 64;

    QLabel* lblResTitle;
    QLabel* lblRes;
    QLabel* lblMaxResTitle;
    QLabel* lblMaxRes;
    QPushButton* cmdMax;
    QPushButton* cmdOK;
    QPushButton* cmdHelp;
    QMenu* mnuResults;
    QMenu* mnuPlot;
    QMenu* mnuView;
    QAction* mnuPrint;
    QAction* mnuSave;
    QAction* mnuPlotFit;
    QAction* mnuPlotGrid;
    QAction* mnuGridData;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    std::string Res(int n) const;
    // Logs and shows a new grid result, with the plots asked for.
    void ShowNewResult();
    void LogResults();
    void ShowGridTable();
    void ShowResultLabels();
    // Runs a command: no error leaves it.
    void Run(const std::function<void()>& command);

    bool withFit_ = false, withContour_ = false;
    clsGridResult result_;
    clsLog* log_ = nullptr;
    std::unique_ptr<frmPlotFit> plotFit_;
    std::unique_ptr<frmMaxOpts> maxOpts_;
    std::unique_ptr<frmPrintOpts> printOpts_;
    std::unique_ptr<frmResTable> resTable_;
    int16_t strBase_ = 800;
};

#endif
