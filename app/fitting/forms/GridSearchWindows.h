#ifndef GRIDSEARCHWINDOWS_H
#define GRIDSEARCHWINDOWS_H
// The fitting windows the main window keeps: the grid evaluation dialog and the grid
// results window (made on first use, unloaded when the data set closes) and the one fit
// plot dialog. The main window's Fit and Data commands call these.
#include <cstdint>
#include <memory>

class QWidget;
class clsGrowthParams;
class clsLog;
class clsVorn;
class frmGridEval;
class frmGridRes;
class frmPlotFit;

class GridSearchWindows {
public:
    explicit GridSearchWindows(QWidget* mainWindow);
    ~GridSearchWindows();

    // Fit > Score Function Grid.
    void ScoreFunctionGrid(clsVorn& DataSet, clsGrowthParams& GrowthParams, clsLog& Log);
    // Fit > View Parameter Estimates.
    void ViewParameterEstimates();
    // Fit > Plot Restructured Data.
    void PlotRestructuredData();
    // Data > Plot Fit (modal).
    void PlotFit(clsVorn& DataSet, clsGrowthParams& GrowthParams);

    // What the menu rule reads (the results window is made when first asked).
    bool GridDefined();
    int32_t MethType();

    // The data set closes: the results and the dialog go with it.
    void Unload();

    frmGridEval* GridEval() const { return eval_.get(); }
    frmGridRes& GridRes();
    frmPlotFit* PlotFitDialog() const { return plotFit_.get(); }

private:
    QWidget* main_;
    std::unique_ptr<frmGridRes> res_;
    std::unique_ptr<frmGridEval> eval_;
    std::unique_ptr<frmPlotFit> plotFit_;
};

#endif
