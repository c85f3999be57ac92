#include "frmBevHolt.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "BusyGuard.h"
#include "MVornGlobs.h"
#include "MortalityForms.h"
#include "ReportFile.h"
#include "Twips.h"
#include "clsBevHoltResult.h"
#include "clsLog.h"
#include "clsVorn.h"
#include "forms/FormsService.h"
#include "print/Printer.h"
#include "vb/VbRuntime.h"

namespace G = MVornGlobs;

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }
}  // namespace

frmBevHolt::frmBevHolt(QWidget* owner) : ParamDialog(owner) {
    setObjectName("frmBevHolt");
    setModal(true);
    setWindowTitle("Beverton-Holt Z");

    fmeParams = new QGroupBox("Please Specify Parameters", this);
    auto* params = new QGridLayout(fmeParams);
    const char* names[] = {"K", "Linf", "Lc"};
    for (int i = 0; i < 3; ++i) {
        lblParam[i] = new QLabel(names[i], fmeParams);
        txtParam[i] = new QLineEdit(fmeParams);
        txtParam[i]->setObjectName("txtParam" + QString::number(i));
        lblParam[i]->setBuddy(txtParam[i]);
        mortalityforms::GuardEdits(*txtParam[i]);
        params->addWidget(lblParam[i], i, 0);
        params->addWidget(txtParam[i], i, 1);
    }
    cmdCalc = new QPushButton(Q(G::CalculateCaption), this);
    cmdCalc->setObjectName("cmdCalc");
    cmdCancel = new QPushButton(Q(G::CloseCaption), this);
    cmdCancel->setObjectName("cmdCancel");
    cmdHelp = new QPushButton(Q(G::HelpCaption), this);
    cmdHelp->setObjectName("cmdHelp");
    cancelButton_ = cmdCancel;
    for (QPushButton* b : {cmdCalc, cmdCancel, cmdHelp}) b->setAutoDefault(false);

    fmeRes = new QGroupBox("Results", this);
    fmeRes->setObjectName("fmeRes");
    lblResTitle = new QLabel("Dist." + QString(7, ' ') + "Z", fmeRes);
    lblResTitle->setObjectName("lblResTitle");
    lstRes = new QListWidget(fmeRes);
    lstRes->setObjectName("lstRes");
    lblMeanZ = new QLabel(fmeRes);
    lblMeanZRes = new QLabel(fmeRes);
    lblMeanZRes->setObjectName("lblMeanZRes");
    lblStdErr = new QLabel(fmeRes);
    lblStdErrRes = new QLabel(fmeRes);
    lblStdErrRes->setObjectName("lblStdErrRes");
    auto* res = new QGridLayout(fmeRes);
    res->addWidget(lblResTitle, 0, 0, 1, 2);
    res->addWidget(lstRes, 1, 0, 1, 2);
    res->addWidget(lblMeanZ, 2, 0);
    res->addWidget(lblMeanZRes, 2, 1);
    res->addWidget(lblStdErr, 3, 0);
    res->addWidget(lblStdErrRes, 3, 1);

    auto* left = new QVBoxLayout;
    left->addWidget(fmeParams);
    left->addWidget(cmdCalc);
    left->addWidget(cmdCancel);
    left->addWidget(cmdHelp);
    left->addStretch();
    auto* leftPane = new QWidget(this);
    leftPane->setLayout(left);
    leftPane->setFixedWidth(twips::ToPixels(kNarrowTwips, font()) - 12);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(leftPane);
    layout->addWidget(fmeRes);

    auto* bar = new QMenuBar(this);
    mnuBevHoltZ = bar->addMenu("&Bev-Holt Z");
    mnuBevHoltZ->setObjectName("mnuBevHoltZ");
    mnuPrint = mnuBevHoltZ->addAction("&Print");
    mnuPrint->setObjectName("mnuPrint");
    mnuSave = mnuBevHoltZ->addAction("&Save");
    mnuSave->setObjectName("mnuSave");
    mnuExit = mnuBevHoltZ->addAction("E&xit");
    mnuExit->setObjectName("mnuExit");
    layout->setMenuBar(bar);

    AddBox(txtParam[0], [this] { return G::CheckParamRange(0, txtParam[0]->text().toStdString()); });
    for (int i = 1; i < 3; ++i)
        AddBox(txtParam[i], [this, i] { return G::CheckParamRange(1, txtParam[i]->text().toStdString()); });

    // UI -> window
    connect(cmdCalc, &QPushButton::clicked, this, [this] { busy::RunCommand([this] { cmdCalc_Click(); }); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { CloseWindow(); });
    connect(cmdHelp, &QPushButton::clicked, this, [] { forms::Forms().ShowHelp(G::HelpFilePath, 1, kHelpContext); });
    connect(mnuPrint, &QAction::triggered, this, [this] { busy::RunCommand([this] { mnuPrint_Click(); }); });
    connect(mnuSave, &QAction::triggered, this, [this] { busy::RunCommand([this] { mnuSave_Click(); }); });
    connect(mnuExit, &QAction::triggered, this, [this] { CloseWindow(); });
    ShowResult(false);
}

frmBevHolt::~frmBevHolt() = default;

void frmBevHolt::Run(QWidget* owner, const clsVorn& data, const clsGrowthParams& growth, clsLog& log) {
    frmBevHolt window(owner);
    window.Create(data, growth, log);
    window.exec();
}

void frmBevHolt::Create(const clsVorn& data, const clsGrowthParams& growth, clsLog& log) {
    log_ = &log;
    data_ = &data;
    result_ = std::make_unique<clsBevHoltResult>(data);
    growth_.CopyData(growth);
    cancelling_ = false;
    txtParam[0]->setText(Q(vb::Format(growth_.k(), "0.000")));
    txtParam[1]->setText(Q(vb::Format(growth_.Linf(), "0.000")));
    txtParam[2]->setText(Q(vb::Format(growth_.Linf() / 2, "0.000")));
    ShowResult(false);
}

bool frmBevHolt::ResultPresent() const { return result_ && result_->Defined(); }

void frmBevHolt::ShowResult(bool shown) {
    fmeRes->setVisible(shown);
    setFixedWidth(twips::ToPixels(shown ? kWideTwips : kNarrowTwips, font()));
    mnuPrint->setEnabled(shown);
    mnuSave->setEnabled(shown);
}

void frmBevHolt::cmdCalc_Click() {
    if (ResultPresent() || !result_) return;
    // Enter or a click can reach here without a box being left: check them all again.
    if (!CheckAllBoxes()) return;
    if (!result_->Calculate(txtParam[0]->text().toStdString(), txtParam[1]->text().toStdString(),
                            txtParam[2]->text().toStdString())) {
        forms::Forms().Beep();
        forms::Forms().MsgBox("Calculation Failed\r" + result_->FailReason(), forms::vbExclamation, forms::kAppTitle);
        return;
    }
    lstRes->clear();
    for (const std::string& line : result_->ListLines()) lstRes->addItem(Q(line));
    lblMeanZ->setText("Mean Z:");
    lblMeanZRes->setText(Q(result_->MeanZText()));
    lblStdErr->setText("Standard Error Z:");
    lblStdErrRes->setText(Q(result_->StdErrText()));
    ShowResult(true);

    clsLog& log = *log_;
    log.setPolling(false);
    log.InsertSeperator();
    for (const std::string& line : result_->ReportLines()) log.LogText(line + "\r\n");
    log.EndLog();
}

bool frmBevHolt::ConfirmClear() {
    const int16_t answer =
        forms::Forms().MsgBox("Changing parameter values will clear current Mortality Calculation. Continue?",
                              forms::vbYesNo + forms::vbExclamation, "Warning");
    if (answer != forms::vbYes) return false;
    result_->Clear();
    ShowResult(false);
    return true;
}

bool frmBevHolt::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && ResultPresent()) {
        for (QLineEdit* box : txtParam)
            if (watched == box && mortalityforms::EditsText(*static_cast<QKeyEvent*>(event)) && !ConfirmClear())
                return true;  // the key is discarded
    }
    return ParamDialog::eventFilter(watched, event);
}

void frmBevHolt::mnuPrint_Click() {
    if (!ResultPresent()) return;
    print::Printer& printer = print::ThePrinter();
    G::PrintPageNumber();
    result_->Report().PrintOn(printer);
    printer.EndDoc();
}

void frmBevHolt::mnuSave_Click() {
    if (!ResultPresent()) return;
    reportfile::SaveAs(data_ ? data_->FileName() : std::string(), result_->ReportLines());
}

void frmBevHolt::CloseWindow() {
    cancelling_ = true;
    cmdCancel->setFocus();
    hide();
}

void frmBevHolt::reject() { CloseWindow(); }

void frmBevHolt::closeEvent(QCloseEvent* event) {
    event->ignore();
    CloseWindow();
}
