#include "frmAgeSlice.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "BusyGuard.h"
#include "FlexGrid.h"
#include "MVornGlobs.h"
#include "MortalityForms.h"
#include "OwnedWindows.h"
#include "StringTable.h"
#include "clsLog.h"
#include "clsVorn.h"
#include "forms/FormsService.h"
#include "frmPrintOpts.h"
#include "frmResTable.h"
#include "print/Printer.h"
#include "vb/VbRuntime.h"

namespace G = MVornGlobs;

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }
}  // namespace

frmAgeSlice::frmAgeSlice(QWidget* mainWindow) : ParamDialog(nullptr), main_(mainWindow) {
    // No Qt parent: the main window is disabled while this one is open.
    setObjectName("frmAgeSlice");
    setModal(false);
    setWindowTitle(Q(Res(1)));

    fmeAgeSlice = new QGroupBox(Q(Res(8)), this);
    fmeAgeSlice->setObjectName("fmeAgeSlice");
    lblGC = new QLabel(Q(G::GrowthCurveCaption), fmeAgeSlice);
    auto* grid = new QGridLayout(fmeAgeSlice);
    grid->addWidget(lblGC, 0, 0, 1, 2);
    for (int i = 0; i < 2; ++i) {
        optGC[i] = new QRadioButton(Q(clsAgeSliceResult::CurveCaptions[i]), fmeAgeSlice);
        optGC[i]->setObjectName("optGC" + QString::number(i));
        grid->addWidget(optGC[i], 1 + i, 0, 1, 2);
    }
    for (int i = 0; i < clsAgeSliceResult::kParams; ++i) {
        lblParam[i] = new QLabel(Q(G::ParamNames[i]), fmeAgeSlice);
        txtParam[i] = new QLineEdit(fmeAgeSlice);
        txtParam[i]->setObjectName("txtParam" + QString::number(i));
        lblParam[i]->setBuddy(txtParam[i]);
        mortalityforms::GuardEdits(*txtParam[i]);
        grid->addWidget(lblParam[i], 3 + i, 0);
        grid->addWidget(txtParam[i], 3 + i, 1);
    }

    auto* bar = new QMenuBar(this);
    mnuAgeSlicing = bar->addMenu(Q(Res(2)));
    mnuAgeSlicing->setObjectName("mnuAgeSlicing");
    mnuPrint = mnuAgeSlicing->addAction(Q(Res(3)));
    mnuPrint->setObjectName("mnuPrint");
    mnuPlot = mnuAgeSlicing->addAction(Q(Res(4)));
    mnuPlot->setObjectName("mnuPlot");
    mnuLog = mnuAgeSlicing->addAction(Q(Res(6)));
    mnuLog->setObjectName("mnuLog");
    mnuAgeSlicing->addSeparator();
    mnuExit = mnuAgeSlicing->addAction(Q(Res(7)));
    mnuExit->setObjectName("mnuExit");

    cmdCalc = new QPushButton(Q(Res(9)), this);
    cmdCalc->setObjectName("cmdCalc");
    cmdPlot = new QPushButton(mnuPlot->text(), this);
    cmdPlot->setObjectName("cmdPlot");
    cmdCancel = new QPushButton(Q(G::CloseCaption), this);
    cmdCancel->setObjectName("cmdCancel");
    cmdHelp = new QPushButton(Q(G::HelpCaption), this);
    cmdHelp->setObjectName("cmdHelp");
    cancelButton_ = cmdCancel;
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {cmdCalc, cmdPlot, cmdCancel, cmdHelp}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->setMenuBar(bar);
    layout->addWidget(fmeAgeSlice);
    layout->addLayout(buttons);

    for (int i = 0; i < clsAgeSliceResult::kParams; ++i)
        AddBox(txtParam[i], [this, i] { return G::CheckParamRange(i, txtParam[i]->text().toStdString()); });

    // UI -> window
    for (int i = 0; i < 2; ++i)
        connect(optGC[i], &QRadioButton::clicked, this, [this, i] { busy::RunCommand([this, i] { optGC_Click(i); }); });
    connect(cmdCalc, &QPushButton::clicked, this, [this] { busy::RunCommand([this] { cmdCalc_Click(); }); });
    connect(cmdPlot, &QPushButton::clicked, this, [this] { busy::RunCommand([this] { Plot(true); }); });
    connect(mnuPlot, &QAction::triggered, this, [this] { busy::RunCommand([this] { Plot(false); }); });
    connect(mnuLog, &QAction::triggered, this, [this] { busy::RunCommand([this] { mnuLog_Click(); }); });
    connect(mnuPrint, &QAction::triggered, this, [this] { busy::RunCommand([this] { mnuPrint_Click(); }); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { CloseWindow(); });
    connect(mnuExit, &QAction::triggered, this, [this] { CloseWindow(); });
    connect(cmdHelp, &QPushButton::clicked, this, [] { forms::Forms().ShowHelp(G::HelpFilePath, 1, kHelpContext); });
    RefreshControls();
}

frmAgeSlice::~frmAgeSlice() {
    if (isVisible()) EnableMainWindow(true);
}

std::string frmAgeSlice::Res(int k) const { return res::LoadResString(G::LangBase + 900 + k); }

void frmAgeSlice::EnableMainWindow(bool enabled) {
    if (main_) main_->setEnabled(enabled);
}

void frmAgeSlice::Create(const clsVorn& data, const clsGrowthParams& growth, clsLog& log) {
    data_ = &data;
    log_ = &log;
    growth_.CopyData(growth);
    EnableMainWindow(false);
    // A window shown again checks its boxes again.
    cancelling_ = false;
    ClearResult();
    const float values[] = {growth_.k(), growth_.Linf(), growth_.T0(), growth_.Ts(), growth_.c()};
    for (int i = 0; i < clsAgeSliceResult::kParams; ++i) txtParam[i]->setText(Q(vb::Format(values[i], "0.000")));
    curve_ = growth_.GrowthCurve() == 0 ? 0 : 1;
    optGC[curve_]->setChecked(true);
    RefreshControls();
}

void frmAgeSlice::RefreshControls() {
    const bool seasonal = optGC[1]->isChecked();
    for (int i = 3; i < clsAgeSliceResult::kParams; ++i) {
        txtParam[i]->setEnabled(seasonal);
        lblParam[i]->setEnabled(seasonal);
    }
    const bool present = ResultPresent();
    for (QAction* a : {mnuPlot, mnuLog, mnuPrint}) a->setEnabled(present);
}

void frmAgeSlice::ClearResult() {
    result_.Clear();
    RefreshControls();
    result_.Slices().ClosePlot();
    if (resTable_) resTable_->hide();
}

bool frmAgeSlice::Calculate() {
    if (ResultPresent()) return true;
    if (!data_) return false;
    // Enter or a click can reach here without a box being left: check them all again.
    if (!CheckAllBoxes()) return false;
    std::array<std::string, clsAgeSliceResult::kParams> texts;
    for (int i = 0; i < clsAgeSliceResult::kParams; ++i) texts[i] = txtParam[i]->text().toStdString();
    const int32_t curve = optGC[0]->isChecked() ? 0 : 1;
    if (!result_.Calculate(*data_, curve, texts)) {
        forms::Forms().Beep();
        forms::Forms().MsgBox("Unable to Calculate Age Slices, try different parameter values", forms::vbExclamation,
                              forms::kAppTitle);
        RefreshControls();
        return false;
    }
    const auto& v = result_.Values();
    growth_.setk(v[0]);
    growth_.setLinf(v[1]);
    growth_.setT0(v[2]);
    growth_.setTs(v[3]);
    growth_.setc(v[4]);
    growth_.setGrowthCurve(curve);
    ShowTable();
    RefreshControls();
    return true;
}

void frmAgeSlice::ShowTable() {
    if (!resTable_) resTable_ = std::make_unique<frmResTable>(this);
    frmResTable& table = *resTable_;
    table.setWindowTitle(Q(Res(1)));
    table.setStatusText(result_.StatusText());
    FlexGrid* grid = table.Grid();
    grid->clear();
    grid->setRows(result_.TableRows());
    grid->setCols(result_.TableCols());
    grid->setFixedRows(1);
    grid->setFixedCols(1);
    for (int32_t r = 0; r < result_.TableRows(); ++r)
        for (int32_t c = 0; c < result_.TableCols(); ++c)
            if (r > 0 || c > 0) grid->setTextMatrix(r, c, result_.TableText(r, c));
}

void frmAgeSlice::cmdCalc_Click() {
    if (!Calculate()) return;
    owned::ShowOwned(*resTable_, this);
}

void frmAgeSlice::Plot(bool calculateFirst) {
    if (calculateFirst && !Calculate()) return;
    if (!ResultPresent()) return;
    result_.Slices().Show();
}

void frmAgeSlice::mnuLog_Click() {
    if (!ResultPresent()) return;
    clsLog& log = *log_;
    log.setPolling(true);
    log.InsertSeperator();
    for (const std::string& line : result_.LogLines()) log.LogText(line + "\r\n");
    log.EndLog();
    log.setPolling(false);
}

void frmAgeSlice::mnuPrint_Click() {
    if (!ResultPresent()) return;
    frmPrintOpts options;
    options.ShowPrint();
    if (!options.OK()) return;
    const print::Report report = result_.PrintReport(options.WithRes(), options.WithGridData());
    if (report.empty()) return;
    print::Printer& printer = print::ThePrinter();
    report.PrintOn(printer);
    printer.EndDoc();
}

void frmAgeSlice::optGC_Click(int i) {
    if (i == curve_) return;
    if (ResultPresent()) {
        const int16_t answer = forms::Forms().MsgBox(Res(10), forms::vbYesNo + forms::vbExclamation, forms::kAppTitle);
        if (answer != forms::vbYes) {
            optGC[curve_]->setChecked(true);
            RefreshControls();
            return;
        }
        ClearResult();
    }
    curve_ = i;
    RefreshControls();
}

bool frmAgeSlice::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && ResultPresent()) {
        for (QLineEdit* box : txtParam)
            if (watched == box && mortalityforms::EditsText(*static_cast<QKeyEvent*>(event))) ClearResult();
    }
    return ParamDialog::eventFilter(watched, event);
}

void frmAgeSlice::CloseWindow() {
    cancelling_ = true;
    cmdCancel->setFocus();
    ClearResult();
    hide();
    EnableMainWindow(true);
    data_ = nullptr;  // the data set may close while this window is hidden
}

void frmAgeSlice::reject() { CloseWindow(); }

void frmAgeSlice::closeEvent(QCloseEvent* event) {
    event->ignore();
    CloseWindow();
}
