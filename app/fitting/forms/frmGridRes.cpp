#include "frmGridRes.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSaveFile>
#include <QVBoxLayout>
#include <exception>

#include "BusyGuard.h"
#include "FlexGrid.h"
#include "IMeth.h"
#include "MUtility.h"
#include "MVornGlobs.h"
#include "StringTable.h"
#include "clsELEFAN.h"
#include "clsGrowthParams.h"
#include "clsLog.h"
#include "clsPROJMAT.h"
#include "clsSLCA.h"
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

std::string FormatValue(const MethValue& v, const char* pattern) {
    if (const float* f = std::get_if<float>(&v)) return vb::Format(*f, pattern);
    if (const std::string* s = std::get_if<std::string>(&v)) return *s;
    return {};
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& l : lines) text += l + "\r\n";
    return text;
}
}  // namespace

frmGridRes::frmGridRes(QWidget* parent) : QMainWindow(parent) {
    setObjectName("frmGridRes");
    strBase_ = static_cast<int16_t>(G::LangBase + 800);
    logTitle_ = Res(1);
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
            [this] { mnuPlotGrid->setEnabled(p1Evals_ >= 2 && p2Evals_ >= 2); });
}

frmGridRes::~frmGridRes() = default;

std::string frmGridRes::Res(int n) const { return res::LoadResString(strBase_ + n); }

void frmGridRes::Run(const std::function<void()>& command) {
    if (busy::IsBusy()) return;
    try {
        command();
    } catch (const VbError& e) {
        forms::Forms().MsgBox(e.Description, forms::vbExclamation, forms::kAppTitle);
    } catch (const std::exception& e) {
        forms::Forms().MsgBox(e.what(), forms::vbCritical, forms::kAppTitle);
    }
}

void frmGridRes::Reset() {
    gridDefined_ = false;
    cmdOK_Click();
}

bool frmGridRes::Create(clsGrowthParams& GrowthParams, float P1Lo, float P1Hi, int32_t P1Evals, float P2Lo,
                        float P2Hi, int32_t P2Evals, int32_t MethType, clsVorn& DataSet, clsLog& Log) {
    // 1.
    gridDefined_ = false;
    maximised_ = false;
    params_ = &GrowthParams;
    log_ = &Log;
    p1Lo_ = P1Lo, p1Hi_ = P1Hi, p1Evals_ = P1Evals;
    p2Lo_ = P2Lo, p2Hi_ = P2Hi, p2Evals_ = P2Evals;
    data_ = &DataSet;
    methType_ = MethType;
    // 2. A new method; the old one closes its contour plot as it goes.
    method_.reset();
    switch (MethType) {
    case 0: method_ = std::make_unique<clsSLCA>(); break;
    case 1: method_ = std::make_unique<clsPROJMAT>(); break;
    default: method_ = std::make_unique<clsELEFAN>(); break;
    }
    method_->Create(DataSet);
    method_->setGrowthCurve(GrowthParams.GrowthCurve());
    method_->settGridType(GrowthParams.GridType());
    method_->setsLinf(GrowthParams.Linf());
    method_->setsC(GrowthParams.c());
    method_->setsK(GrowthParams.k());
    method_->setsNGT(GrowthParams.NGT());
    method_->setsTs(GrowthParams.Ts());
    // 3.
    plotFit_->Create(DataSet, GrowthParams);
    search_.setVerbose(true);
    // 4.
    const int32_t g = GrowthParams.GridType();
    if (search_.GridSearch(*method_, g, P1Lo, P1Hi, static_cast<int16_t>(P1Evals), P2Lo, P2Hi,
                           static_cast<int16_t>(P2Evals))) {
        // 5.
        maxOpts_->Create(g, GrowthParams.GrowthCurve(), P1Lo, P1Hi, P2Lo, P2Hi);
        gridScore_ = search_.MaxScore();
        gridP1_ = search_.P1();
        gridP2_ = search_.P2();
        gridT0_ = search_.TZero();
        StoreBestParams();
        // 6.
        const float step1 = P1Evals == 1 ? 0.0f : (P1Hi - P1Lo) / static_cast<float>(P1Evals - 1);
        const float step2 = P2Evals == 1 ? 0.0f : (P2Hi - P2Lo) / static_cast<float>(P2Evals - 1);
        p1Labels_.assign(P1Evals, {});
        p2Labels_.assign(P2Evals, {});
        cells_.assign(P2Evals, std::vector<std::string>(P1Evals));
        for (int32_t i = 1; i <= P1Evals; ++i)
            p1Labels_[i - 1] = vb::Format(static_cast<float>(i - 1) * step1 + P1Lo, "0.00");
        for (int32_t j = 1; j <= P2Evals; ++j)
            p2Labels_[j - 1] = vb::Format(static_cast<float>(j - 1) * step2 + P2Lo, "0.00");
        for (int32_t j = 1; j <= P2Evals; ++j)
            for (int32_t i = 1; i <= P1Evals; ++i) {
                const auto score = search_.GridResults(static_cast<int16_t>(i), static_cast<int16_t>(j));
                cells_[j - 1][i - 1] = score ? vb::Format(*score, "0.000") : std::string();
            }
        // 7.
        BuildOutputStrings();
        LogResults();
        ShowGridTable();
        ShowResultLabels();
        if (withContour_ && P1Evals > 1 && P2Evals > 1) PlotGridContour();
        if (withFit_) PlotFit();
        // 8.
        gridDefined_ = true;
    }
    // 9.
    mnuPlotFit->setEnabled(DataSet.NumDists() != 1);
    return gridDefined_;
}

void frmGridRes::AbandonResult() {
    gridDefined_ = false;
    maximised_ = false;
    if (method_) method_->TerminateContourPlot();
    if (resTable_) resTable_->hide();
    hide();
}

void frmGridRes::Unload() {
    cmdOK_Click();
    if (resTable_) resTable_->hide();
    gridDefined_ = false;
    maximised_ = false;
    method_.reset();
    params_ = nullptr;
    log_ = nullptr;
    data_ = nullptr;
}

void frmGridRes::StoreBestParams() {
    clsGrowthParams& gp = *params_;
    IMeth& m = *method_;
    const float p1 = search_.P1(), p2 = search_.P2();
    gp.setT0(search_.TZero());
    switch (gp.GridType()) {
    case 0:
        gp.setk(p1), gp.setLinf(p2);
        if (gp.GrowthCurve() != 0) gp.setTs(m.sTs()), gp.setNGT(m.sNGT()), gp.setc(m.sC());
        else gp.setTs(0), gp.setNGT(0), gp.setc(0);
        break;
    case 1: gp.setk(p1), gp.setNGT(p2), gp.setLinf(m.sLinf()), gp.setTs(m.sTs()), gp.setc(m.sC()); break;
    case 2: gp.setc(p1), gp.setTs(p2), gp.setk(m.sK()), gp.setLinf(m.sLinf()), gp.setNGT(m.sNGT()); break;
    case 3: gp.setk(p1), gp.setc(p2), gp.setTs(m.sTs()), gp.setNGT(m.sNGT()), gp.setLinf(m.sLinf()); break;
    case 4: gp.setNGT(p1), gp.setTs(p2), gp.setk(m.sK()), gp.setLinf(m.sLinf()), gp.setc(m.sC()); break;
    default: break;
    }
}

void frmGridRes::BuildOutputStrings() {
    header_.clear(), labels_.clear(), values_.clear(), gridData_.clear();
    const int32_t g = params_->GridType();
    const int32_t curve = params_->GrowthCurve();
    const std::string& n1 = G::GridP1Names[g];
    const std::string& n2 = G::GridP2Names[g];

    header_.push_back(data_ ? data_->FileName() : std::string());
    header_.push_back(data_ ? data_->FileDesc() : std::string());
    header_.push_back(std::string(43, '-'));

    auto add = [this](const std::string& label, const std::string& value) {
        labels_.push_back(label);
        values_.push_back(value);
    };
    add(Res(14), G::MethodNames[methType_]);
    add(Res(15), G::CurveNames[curve]);
    add(Res(16), G::GridTypeNames[g]);
    add(Res(17), n1 + ": " + vb::Str(p1Lo_) + " - " + vb::Str(p1Hi_) + "   " + n2 + ":" + vb::CStr(p2Lo_) +
                     " - " + vb::CStr(p2Hi_));
    add(Res(18), n1 + ": " + vb::Str(p1Evals_) + "   " + n2 + ": " + vb::CStr(p2Evals_));
    add(Res(19), vb::Format(gridScore_, "0.000") + " at " + n1 + "=" + vb::Format(gridP1_, "0.00") + "  " + n2 +
                     "=" + vb::Format(gridP2_, "0.00"));
    add(G::ParamNames[2] + ":", vb::Format(gridT0_, "0.000"));
    std::string fixed;
    if (g == 0 && curve == 0) {
        fixed = G::NoneText;
    } else {
        std::string f1 = G::GridFixed1Names[g], f2 = G::GridFixed2Names[g];
        if (g == 0) f1 = curve == 1 ? "C" : "NGT", f2 = "Ts";
        fixed = f1 + "= " + FormatValue(method_->FixedParam1(), "0.000") + "   " + f2 + "= " +
                FormatValue(method_->FixedParam2(), "0.000");
    }
    add(Res(20), fixed);
    if (maximised_)
        add(Res(21), Res(23) + " = " + vb::Str(maxScore_) + " at " + n1 + "=" + vb::Format(maxP1_, "0.000") + "  " +
                         n2 + "=" + vb::Format(maxP2_, "0.000") + "  " + G::ParamNames[2] + "=" +
                         vb::Format(maxT0_, "0.000"));
    else
        add(Res(21), Res(22));

    if (!cells_.empty() && !cells_[0].empty()) {
        std::string first(cells_[0][0].size(), ' ');
        first += " ";
        for (const std::string& l : p1Labels_) first += l + " ";
        gridData_.push_back(first);
        for (size_t j = 0; j < cells_.size(); ++j) {
            std::string line = p2Labels_[j] + " ";
            for (const std::string& c : cells_[j]) line += c + " ";
            gridData_.push_back(line);
        }
    }
}

void frmGridRes::LogResults() {
    clsLog& log = *log_;
    log.setPolling(false);
    log.InsertSeperator();
    log.LogText(logTitle_);
    log.LogText("\r\n\r\n");
    for (size_t k = 0; k < labels_.size(); ++k) {
        log.LogText(labels_[k] + "\t");
        log.LogText(values_[k]);
        log.LogText("\r\n");
    }
    log.LogText("\r\n");
    log.EndLog();
}

void frmGridRes::ShowResultLabels() {
    // The maximisation line has its own section below the estimates.
    QString res = "<table cellspacing=\"0\" cellpadding=\"1\">";
    for (size_t k = 0; k + 1 < labels_.size(); ++k)
        res += "<tr><td>" + Q(labels_[k]).toHtmlEscaped() + "&nbsp;&nbsp;</td><td>" +
               Q(values_[k]).toHtmlEscaped().replace(" ", "&nbsp;") + "</td></tr>";
    lblRes->setText(res + "</table>");
    lblMaxRes->setText(values_.empty() ? QString() : Q(values_.back()));
}

void frmGridRes::ShowGridTable() {
    if (!resTable_) resTable_ = std::make_unique<frmResTable>(this);
    frmResTable& table = *resTable_;
    table.setWindowTitle(Q(vb::Trim(Res(11))).remove('&'));
    FlexGrid* grid = table.Grid();
    grid->clear();
    grid->setRows(p2Evals_ + 1);
    grid->setCols(p1Evals_ + 1);
    grid->setFixedRows(1);
    grid->setFixedCols(1);
    for (int32_t i = 1; i <= p1Evals_; ++i) grid->setTextMatrix(0, i, p1Labels_[i - 1]);
    for (int32_t j = 1; j <= p2Evals_; ++j) {
        grid->setTextMatrix(j, 0, p2Labels_[j - 1]);
        for (int32_t i = 1; i <= p1Evals_; ++i) {
            grid->setTextMatrix(j, i, cells_[j - 1][i - 1]);
            grid->setCellForeColor(j, i, 0);
        }
    }
    grid->setCellForeColor(search_.BestP2Eval(), search_.BestP1Eval(), 255);
    grid->setCellForeColor(search_.WorstP2Eval(), search_.WorstP1Eval(), 0xFF0000);
    const int32_t g = params_->GridType();
    table.setStatusText("Grid Search Data. " + G::GridTypeCaption + ": " + G::GridTypeNames[g] + ". " +
                        G::MethodCaption + ": " + G::MethodNames[methType_] + ". " + G::GrowthCurveCaption + ": " +
                        G::CurveNames[params_->GrowthCurve()]);
}

void frmGridRes::PlotGridContour() {
    if (method_) method_->PlotContours(search_);
}

void frmGridRes::PlotFit() {
    if (!method_ || !params_) return;
    const clsGrowthParams& gp = *params_;
    method_->LFD().PlotDistributions(gp.k(), gp.Linf(), gp.T0(), gp.Ts(), gp.c(), gp.NGT(), gp.GrowthCurve());
}

void frmGridRes::cmdMax_Click() {
    if (!gridDefined_ || !method_) return;
    // 1.
    maxOpts_->chkViewMax->setEnabled(p1Evals_ != 1 && p2Evals_ != 1);
    maxOpts_->exec();
    if (!maxOpts_->OK()) return;
    // A cancel left from an earlier run would end this one at once.
    G::CancelRequested = false;
    const int32_t g = params_->GridType();
    bool converged = false;
    try {
        busy::BusyGuard guard;
        setEnabled(false);
        // 2.
        search_.setVerbose(true);
        method_->setPlotEvals(maxOpts_->ViewMax());
        if (maxOpts_->ViewMax()) method_->PlotContours(search_);
        // 3.
        converged = search_.AmoebaSearch(*method_, g, maxOpts_->P1Lo(), maxOpts_->P1Hi(), maxOpts_->P2Lo(),
                                          maxOpts_->P2Hi());
        setEnabled(true);
    } catch (const VbError& e) {
        setEnabled(true);
        G::CancelRequested = false;
        method_->TerminateContourPlot();
        // The grid result stays held; only the maximisation is lost.
        forms::Forms().MsgBox("The maximisation failed; the grid search result is kept.\r" + e.Description,
                              forms::vbExclamation, "Search Failed");
        return;
    }
    G::CancelRequested = false;
    // 4.
    if (converged) {
        maximised_ = true;
        maxScore_ = search_.MaxScore();
        maxP1_ = search_.P1();
        maxP2_ = search_.P2();
        maxT0_ = search_.TZero();
        StoreBestParams();
        BuildOutputStrings();
        LogResults();
        ShowResultLabels();
        if (method_->LFD().LFGraphVisible()) PlotFit();
    } else {
        method_->TerminateContourPlot();
    }
}

void frmGridRes::cmdOK_Click() {
    if (method_) {
        method_->LFD().TerminateLFPlot();
        method_->TerminateContourPlot();
    }
    hide();
}

void frmGridRes::mnuGridData_Click() {
    if (!resTable_) return;
    resTable_->show();
    resTable_->raise();
}

void frmGridRes::mnuSave_Click() {
    if (!gridDefined_) return;
    printOpts_->ShowSave();
    if (!printOpts_->OK()) return;
    forms::FileDialogRequest request;
    request.fileName = MUtility::BaseNameOf(header_.empty() ? std::string() : header_[0]) + ".dat";
    request.title = "Save Results";
    request.filter = "Data (*.dat)|*.dat";
    request.flags = 6;
    const std::string path = forms::Forms().ShowSave(request);
    if (path.empty()) return;
    std::vector<std::string> lines = header_;
    if (printOpts_->WithRes())
        for (size_t k = 0; k < labels_.size(); ++k) lines.push_back(labels_[k] + "\t" + values_[k]);
    if (printOpts_->WithGridData()) lines.insert(lines.end(), gridData_.begin(), gridData_.end());
    const std::string text = Joined(lines);
    // Written whole or not at all.
    QSaveFile file(Q(path));
    if (!file.open(QIODevice::WriteOnly) || file.write(text.data(), static_cast<qint64>(text.size())) < 0 ||
        !file.commit())
        forms::Forms().MsgBox("The results could not be saved to " + path + ".", forms::vbExclamation,
                              forms::kAppTitle);
}

void frmGridRes::mnuPrint_Click() {
    if (!gridDefined_) return;
    printOpts_->ShowPrint();
    if (!printOpts_->OK()) return;
    print::Printer& printer = print::ThePrinter();
    G::PrintPageNumber();
    for (const std::string& l : header_) printer.Print(l);
    if (printOpts_->WithRes())
        for (size_t k = 0; k < labels_.size(); ++k) printer.Print(labels_[k] + "\t\t" + values_[k]);
    if (printOpts_->WithGridData())
        for (const std::string& l : gridData_) printer.Print(l);
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
