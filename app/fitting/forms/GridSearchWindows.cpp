#include "GridSearchWindows.h"

#include <QWidget>

#include "OwnedWindows.h"
#include "clsGrowthParams.h"
#include "clsVorn.h"
#include "frmGridEval.h"
#include "frmGridRes.h"
#include "frmPlotFit.h"

GridSearchWindows::GridSearchWindows(QWidget* mainWindow) : main_(mainWindow) {}

GridSearchWindows::~GridSearchWindows() {
    // The dialog goes before the results window it points at.
    eval_.reset();
    res_.reset();
}

frmGridRes& GridSearchWindows::GridRes() {
    if (!res_) res_ = std::make_unique<frmGridRes>();
    return *res_;
}

bool GridSearchWindows::GridDefined() { return GridRes().GridDefined(); }

int32_t GridSearchWindows::MethType() { return GridRes().MethType(); }

void GridSearchWindows::ScoreFunctionGrid(clsVorn& DataSet, clsGrowthParams& GrowthParams, clsLog& Log) {
    if (!eval_) eval_ = std::make_unique<frmGridEval>(main_);
    eval_->Create(GridRes(), DataSet, GrowthParams, Log);
    if (DataSet.NumDists() == 1) eval_->disableProjmat();
    else eval_->enableProjmat();
    // Modeless and without an owner of its own, but the main window is disabled while it is
    // open: it must stay reachable above that window.
    owned::ShowOwned(*eval_, main_);
}

void GridSearchWindows::ViewParameterEstimates() {
    frmGridRes& res = GridRes();
    if (!res.GridDefined()) return;
    owned::ShowOwned(res, eval_.get());
}

void GridSearchWindows::PlotRestructuredData() { GridRes().PlotFit(); }

void GridSearchWindows::PlotFit(clsVorn& DataSet, clsGrowthParams& GrowthParams) {
    if (!plotFit_) plotFit_ = std::make_unique<frmPlotFit>(main_);
    plotFit_->Create(DataSet, GrowthParams);
    plotFit_->exec();
    // The dialog wrote each plotted curve into GrowthParams itself.
}

void GridSearchWindows::Unload() {
    if (eval_) {
        eval_->hide();
        eval_.reset();  // enables the main window again
    }
    if (res_) res_->Unload();
}
