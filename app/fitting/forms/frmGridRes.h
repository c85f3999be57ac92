#ifndef FRMGRIDRES_H
#define FRMGRIDRES_H
// Runs a grid search for the grid evaluation dialog and shows its result: the report
// lines (also written to the run log, saved as a .dat file and printed), the grid of scores
// as a table, the score contours and the fitted curve; Maximise runs the simplex search
// over the same two parameters. The main window asks it whether a result is held.
#include <QMainWindow>
#include <array>
#include <functional>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "clsLFDSearch.h"

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

    bool GridDefined() const { return gridDefined_; }
    int32_t MethType() const { return methType_; }
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

    // The report.
    const std::vector<std::string>& Header() const { return header_; }
    const std::vector<std::string>& Labels() const { return labels_; }
    const std::vector<std::string>& Values() const { return values_; }
    const std::vector<std::string>& GridData() const { return gridData_; }

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
    IMeth* Method() const { return method_.get(); }
    const clsLFDSearch& Search() const { return search_; }

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
    void LogResults();
    void StoreBestParams();
    void ShowGridTable();
    void ShowResultLabels();
    // Runs a command: no error leaves it.
    void Run(const std::function<void()>& command);

    bool withFit_ = false, withContour_ = false;
    bool maximised_ = false;
    bool gridDefined_ = false;
    int32_t methType_ = 0;
    float gridScore_ = 0, gridP1_ = 0, gridP2_ = 0, gridT0_ = 0;
    float maxScore_ = 0, maxP1_ = 0, maxP2_ = 0, maxT0_ = 0;
    clsLFDSearch search_;
    clsVorn* data_ = nullptr;
    std::unique_ptr<IMeth> method_;
    clsGrowthParams* params_ = nullptr;
    clsLog* log_ = nullptr;
    float p1Lo_ = 0, p1Hi_ = 0, p2Lo_ = 0, p2Hi_ = 0;
    int32_t p1Evals_ = 0, p2Evals_ = 0;
    std::vector<std::vector<std::string>> cells_;  // [j - 1][i - 1]
    std::vector<std::string> p1Labels_, p2Labels_;
    std::unique_ptr<frmPlotFit> plotFit_;
    std::unique_ptr<frmMaxOpts> maxOpts_;
    std::unique_ptr<frmPrintOpts> printOpts_;
    std::unique_ptr<frmResTable> resTable_;
    std::vector<std::string> header_, labels_, values_, gridData_;
    int16_t strBase_ = 800;
    std::string logTitle_;
};

#endif
