#include "frmGridRes.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "BusyGuard.h"
#include "FlexGrid.h"
#include "IMeth.h"
#include "MVornGlobs.h"
#include "OwnedWindows.h"
#include "ReportFile.h"
#include "StringTable.h"
#include "clsGrowthParams.h"
#include "clsLog.h"
#include "clsVorn.h"
#include "forms/FormsService.h"
#include "frmMaxOpts.h"
#include "frmPlotFit.h"
#include "frmPrintOpts.h"
#include "frmResTable.h"
#include "print/Printer.h"
#include "vb/VbError.h"
#include "vb/VbRuntime.h"

namespace G = MVornGlobs;

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }
}  // namespace

frmGridRes::frmGridRes(QWidget* parent) : QMainWindow(parent) {
    setObjectName("frmGridRes");
    strBase_ = static_cast<int16_t>(G::LangBase + 800);
    setWindowTitle(Q(Res(3)));

    auto* central = new QWidget(this);
    setCentralWidget(central);
    lblResTitle = new QLabel(Q(Res(2)), central);
    lblRes = new QLabel(central);
    lblRes->setObjectName("lblRes");
    lblRes->setTextFormat(Qt::RichText);
    lblMaxResTitle = new QLabel(Q(Res(4)), central);
    lblMaxResTitle->setObjectName("lblMaxResTitle");
    lblMaxRes = new QLabel(central);
    lblMaxRes->setObjectName("lblMaxRes");
    cmdMax = new QPushButton(Q(Res(5)), central);
    cmdMax->setObjectName("cmdMax");
    cmdOK = new QPushButton(Q(res::LoadResString(G::LangBase + 1804)), central);
    cmdOK->setObjectName("cmdOK");
    cmdHelp = new QPushButton(Q(res::LoadResString(G::LangBase + 1806)), central);
    cmdHelp->setObjectName("cmdHelp");
    QFont bold = lblResTitle->font();
    bold.setBold(true);
    lblResTitle->setFont(bold);
    lblMaxResTitle->setFont(bold);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdMax);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdHelp);
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(lblResTitle);
    layout->addWidget(lblRes);
    layout->addWidget(lblMaxResTitle);
    layout->addWidget(lblMaxRes);
    layout->addStretch();
    layout->addLayout(buttons);

    mnuResults = menuBar()->addMenu(Q(Res(6)));
    mnuPrint = mnuResults->addAction(Q(Res(7)));
    mnuPrint->setObjectName("mnuPrint");
    mnuSave = mnuResults->addAction(Q(Res(8)));
    mnuSave->setObjectName("mnuSave");
    mnuPlot = menuBar()->addMenu(Q(Res(9)));
    mnuPlotFit = mnuPlot->addAction(Q(Res(10)));
    mnuPlotFit->setObjectName("mnuPlotFit");
    mnuPlotGrid = mnuPlot->addAction("Grid C&ontours");
    mnuPlotGrid->setObjectName("mnuPlotGrid");
    mnuView = menuBar()->addMenu(Q(Res(11)));
    mnuGridData = mnuView->addAction(Q(Res(12)));
    mnuGridData->setObjectName("mnuGridData");

    plotFit_ = std::make_unique<frmPlotFit>();
    maxOpts_ = std::make_unique<frmMaxOpts>();
    printOpts_ = std::make_unique<frmPrintOpts>();
    resize(560, 380);

    connect(cmdMax, &QPushButton::clicked, this, [this] { Run([this] { cmdMax_Click(); }); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { Run([this] { cmdOK_Click(); }); });
    connect(cmdHelp, &QPushButton::clicked, this,
            [] { forms::Forms().ShowHelp(G::HelpFilePath, 1, kHelpContext); });
    connect(mnuPrint, &QAction::triggered, this, [this] { Run([this] { mnuPrint_Click(); }); });
    connect(mnuSave, &QAction::triggered, this, [this] { Run([this] { mnuSave_Click(); }); });
    connect(mnuPlotFit, &QAction::triggered, this, [this] { Run([this] { PlotFit(); }); });
    connect(mnuPlotGrid, &QAction::triggered, this, [this] { Run([this] { PlotGridContour(); }); });
    connect(mnuGridData, &QAction::triggered, this, [this] { Run([this] { mnuGridData_Click(); }); });
    connect(mnuPlot, &QMenu::aboutToShow, this,
            [this] { mnuPlotGrid->setEnabled(result_.P1Evals() >= 2 && result_.P2Evals() >= 2); });
}

frmGridRes::~frmGridRes() = default;

std::string frmGridRes::Res(int n) const { return res::LoadResString(strBase_ + n); }

void frmGridRes::Run(const std::function<void()>& command) { busy::RunCommand(command); }

void frmGridRes::Reset() {
    result_.Abandon();
    cmdOK_Click();
}

bool frmGridRes::Create(clsGrowthParams& GrowthParams, float P1Lo, float P1Hi, int32_t P1Evals, float P2Lo,
                        float P2Hi, int32_t P2Evals, int32_t MethType, clsVorn& DataSet, clsLog& Log) {
    log_ = &Log;
    result_.Create(GrowthParams, P1Lo, P1Hi, P1Evals, P2Lo, P2Hi, P2Evals, MethType, DataSet);
    // The fit plot dialog shows the parameters the search starts from.
    plotFit_->Create(DataSet, GrowthParams);
    if (result_.RunGrid()) {
        maxOpts_->Create(GrowthParams.GridType(), GrowthParams.GrowthCurve(), P1Lo, P1Hi, P2Lo, P2Hi);
        ShowNewResult();
    }
    mnuPlotFit->setEnabled(DataSet.NumDists() != 1);
    return result_.Defined();
}

void frmGridRes::ShowNewResult() {
    LogResults();
    ShowGridTable();
    ShowResultLabels();
    if (withContour_ && result_.P1Evals() > 1 && result_.P2Evals() > 1) PlotGridContour();
    if (withFit_) PlotFit();
}

void frmGridRes::AbandonResult() {
    result_.Abandon();
    if (IMeth* m = result_.Method()) m->TerminateContourPlot();
    if (resTable_) resTable_->hide();
    hide();
}

void frmGridRes::Unload() {
    cmdOK_Click();
    if (resTable_) resTable_->hide();
    result_.Release();
    log_ = nullptr;
}

void frmGridRes::BuildOutputStrings() { result_.BuildOutputStrings(); }

void frmGridRes::LogResults() {
    clsLog& log = *log_;
    log.setPolling(false);
    log.InsertSeperator();
    for (const std::string& line : result_.LogLines()) log.LogText(line + "\r\n");
    log.EndLog();
}

void frmGridRes::ShowResultLabels() {
    // The maximisation line has its own section below the estimates.
    const std::vector<std::string>& labels = result_.Labels();
    const std::vector<std::string>& values = result_.Values();
    QString res = "<table cellspacing=\"0\" cellpadding=\"1\">";
    for (size_t k = 0; k + 1 < labels.size(); ++k)
        res += "<tr><td>" + Q(labels[k]).toHtmlEscaped() + "&nbsp;&nbsp;</td><td>" +
               Q(values[k]).toHtmlEscaped().replace(" ", "&nbsp;") + "</td></tr>";
    lblRes->setText(res + "</table>");
    lblMaxRes->setText(values.empty() ? QString() : Q(values.back()));
}

void frmGridRes::ShowGridTable() {
    if (!resTable_) resTable_ = std::make_unique<frmResTable>(this);
    frmResTable& table = *resTable_;
    table.setWindowTitle(Q(vb::Trim(Res(11))).remove('&'));
    const int32_t nx = result_.P1Evals(), ny = result_.P2Evals();
    FlexGrid* grid = table.Grid();
    grid->clear();
    grid->setRows(ny + 1);
    grid->setCols(nx + 1);
    grid->setFixedRows(1);
    grid->setFixedCols(1);
    for (int32_t i = 1; i <= nx; ++i) grid->setTextMatrix(0, i, result_.P1Labels()[i - 1]);
    for (int32_t j = 1; j <= ny; ++j) {
        grid->setTextMatrix(j, 0, result_.P2Labels()[j - 1]);
        for (int32_t i = 1; i <= nx; ++i) {
            grid->setTextMatrix(j, i, result_.Cell(j, i));
            grid->setCellForeColor(j, i, 0);
        }
    }
    const clsLFDSearch& search = result_.Search();
    grid->setCellForeColor(search.BestP2Eval(), search.BestP1Eval(), 255);
    grid->setCellForeColor(search.WorstP2Eval(), search.WorstP1Eval(), 0xFF0000);
    table.setStatusText(result_.TableStatus());
}

void frmGridRes::PlotGridContour() {
    if (IMeth* m = result_.Method()) m->PlotContours(result_.Search());
}

void frmGridRes::PlotFit() {
    IMeth* m = result_.Method();
    const clsGrowthParams* gp = result_.GrowthParams();
    if (!m || !gp) return;
    m->LFD().PlotDistributions(gp->k(), gp->Linf(), gp->T0(), gp->Ts(), gp->c(), gp->NGT(), gp->GrowthCurve());
}

void frmGridRes::cmdMax_Click() {
    IMeth* method = result_.Method();
    if (!result_.Defined() || !method) return;
    // A view of the process needs a contour plot, which needs two values on each axis.
    maxOpts_->chkViewMax->setEnabled(result_.P1Evals() != 1 && result_.P2Evals() != 1);
    maxOpts_->exec();
    if (!maxOpts_->OK()) return;
    bool converged = false;
    try {
        busy::BusyGuard guard;
        setEnabled(false);
        method->setPlotEvals(maxOpts_->ViewMax());
        if (maxOpts_->ViewMax()) method->PlotContours(result_.Search());
        converged = result_.Maximise(maxOpts_->P1Lo(), maxOpts_->P1Hi(), maxOpts_->P2Lo(), maxOpts_->P2Hi());
        setEnabled(true);
    } catch (const VbError& e) {
        setEnabled(true);
        method->TerminateContourPlot();
        // The grid result stays held; only the maximisation is lost.
        forms::Forms().MsgBox("The maximisation failed; the grid search result is kept.\r" + e.Description,
                              forms::vbExclamation, "Search Failed");
        return;
    }
    if (converged) {
        LogResults();
        ShowResultLabels();
        if (method->LFD().LFGraphVisible()) PlotFit();
    } else {
        method->TerminateContourPlot();
    }
}

void frmGridRes::cmdOK_Click() {
    if (IMeth* m = result_.Method()) {
        m->LFD().TerminateLFPlot();
        m->TerminateContourPlot();
    }
    hide();
}

void frmGridRes::mnuGridData_Click() {
    if (!resTable_) return;
    owned::ShowOwned(*resTable_, this);
}

void frmGridRes::mnuSave_Click() {
    if (!result_.Defined()) return;
    printOpts_->ShowSave();
    if (!printOpts_->OK()) return;
    const std::vector<std::string>& header = result_.Header();
    reportfile::SaveAs(header.empty() ? std::string() : header[0],
                       result_.SaveLines(printOpts_->WithRes(), printOpts_->WithGridData()));
}

void frmGridRes::mnuPrint_Click() {
    if (!result_.Defined()) return;
    printOpts_->ShowPrint();
    if (!printOpts_->OK()) return;
    print::Printer& printer = print::ThePrinter();
    G::PrintPageNumber();
    result_.PrintReport(printOpts_->WithRes(), printOpts_->WithGridData()).PrintOn(printer);
    printer.EndDoc();
}

void frmGridRes::closeEvent(QCloseEvent* event) {
    if (busy::DeferClose(this)) {
        event->ignore();
        return;
    }
    // The user's close is the OK button: plots closed, window hidden, result kept.
    event->ignore();
    Run([this] { cmdOK_Click(); });
}
