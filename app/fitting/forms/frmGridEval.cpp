#include "frmGridEval.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <exception>

#include "BusyGuard.h"
#include "MVornGlobs.h"
#include "OwnedWindows.h"
#include "StringTable.h"
#include "clsGrowthParams.h"
#include "forms/FormsService.h"
#include "frmGridOptions.h"
#include "frmGridRes.h"
#include "vb/VbError.h"

namespace G = MVornGlobs;

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }
}  // namespace

frmGridEval::frmGridEval(QWidget* mainWindow) : QDialog(nullptr), mainWindow_(mainWindow) {
    setObjectName("frmGridEval");
    setModal(false);
    setWindowTitle(Q(res::LoadResString(G::LangBase + 501)));
    frmMeth = new QGroupBox("Method", this);
    fmeGC = new QGroupBox("Growth Curve", this);
    fmeGridType = new QGroupBox("Grid Type", this);
    auto* meth = new QVBoxLayout(frmMeth);
    auto* gc = new QVBoxLayout(fmeGC);
    auto* gt = new QVBoxLayout(fmeGridType);
    const char* methods[] = {"SLCA", "PROJMAT", "ELEFAN"};
    for (int i = 0; i < 3; ++i) {
        optMeth[i] = new QRadioButton(methods[i], frmMeth);
        optMeth[i]->setObjectName("optMeth" + QString::number(i));
        meth->addWidget(optMeth[i]);
        optGC[i] = new QRadioButton(Q(G::CurveNames[i]), fmeGC);
        optGC[i]->setObjectName("optGC" + QString::number(i));
        gc->addWidget(optGC[i]);
    }
    for (int i = 0; i < 5; ++i) {
        optGT[i] = new QRadioButton(Q(G::GridTypeNames[i]), fmeGridType);
        optGT[i]->setObjectName("optGT" + QString::number(i));
        gt->addWidget(optGT[i]);
    }
    cmdOK = new QPushButton(Q(G::OKCaption), this);
    cmdOK->setObjectName("cmdOK");
    cmdCancel = new QPushButton(Q(G::CancelCaption), this);
    cmdCancel->setObjectName("cmdCancel");
    cmdOptions = new QPushButton(QString("&Define Grid") + "...", this);
    cmdOptions->setObjectName("cmdOptions");
    cmdHelp = new QPushButton(Q(G::HelpCaption), this);
    cmdHelp->setObjectName("cmdHelp");
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {cmdOK, cmdCancel, cmdOptions, cmdHelp}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    buttons->addStretch();
    auto* left = new QVBoxLayout;
    left->addWidget(frmMeth);
    left->addWidget(fmeGC);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addWidget(fmeGridType);
    layout->addLayout(buttons);

    options_ = std::make_unique<frmGridOptions>(this);

    for (int i = 0; i < 3; ++i) {
        connect(optMeth[i], &QRadioButton::clicked, this, [this, i] {
            method_ = static_cast<int16_t>(i);
            changed_ = true;
            RefreshEnabled();
        });
        connect(optGC[i], &QRadioButton::clicked, this, [this, i] {
            curve_ = static_cast<int16_t>(i);
            if (params_) params_->setGrowthCurve(i);
            changed_ = true;
            RefreshEnabled();
        });
    }
    for (int i = 0; i < 5; ++i)
        connect(optGT[i], &QRadioButton::clicked, this, [this, i] {
            gridType_ = static_cast<int16_t>(i);
            if (params_) params_->setGridType(i);
            changed_ = true;
            RefreshEnabled();
        });
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    connect(cmdOptions, &QPushButton::clicked, this, [this] { cmdOptions_Click(); });
    connect(cmdHelp, &QPushButton::clicked, this,
            [] { forms::Forms().ShowHelp(G::HelpFilePath, 1, kHelpContext); });
}

frmGridEval::~frmGridEval() { EnableMainWindow(true); }

bool frmGridEval::Allowed(int m, int c, int g) {
    if (m == 0) return g == 0 && c == 0;
    switch (g) {
    case 0: return true;
    case 1:
    case 4: return c == 2;
    case 2:
    case 3: return c == 1;
    default: return false;
    }
}

void frmGridEval::EnableMainWindow(bool enabled) {
    if (mainWindow_) mainWindow_->setEnabled(enabled);
}

void frmGridEval::Create(frmGridRes& Results, clsVorn& DataSet, clsGrowthParams& GrowthParams, clsLog& Log) {
    EnableMainWindow(false);
    results_ = &Results;
    data_ = &DataSet;
    params_ = &GrowthParams;
    log_ = &Log;
    if (!loaded_) {
        method_ = gridType_ = curve_ = 0;
        loaded_ = true;
    }
    // The parameters follow the choices shown (another window may have changed the curve).
    params_->setGridType(gridType_);
    params_->setGrowthCurve(curve_);
    optMeth[method_]->setChecked(true);
    optGC[curve_]->setChecked(true);
    optGT[gridType_]->setChecked(true);
    RefreshEnabled();
    options_->Create(GrowthParams);
    changed_ = false;
}

void frmGridEval::enableProjmat() {
    projmat_ = true;
    RefreshEnabled();
}

void frmGridEval::disableProjmat() {
    projmat_ = false;
    if (method_ == 1) {
        method_ = 2;
        optMeth[2]->setChecked(true);
        changed_ = true;
    }
    RefreshEnabled();
}

void frmGridEval::RefreshEnabled() {
    for (int i = 0; i < 3; ++i) optMeth[i]->setEnabled(Allowed(i, curve_, gridType_) && (i != 1 || projmat_));
    for (int i = 0; i < 3; ++i) optGC[i]->setEnabled(Allowed(method_, i, gridType_));
    for (int i = 0; i < 5; ++i) optGT[i]->setEnabled(Allowed(method_, curve_, i));
}

void frmGridEval::RefillOptionsIfChanged() {
    if (!changed_ || !params_) return;
    options_->Create(*params_);
    changed_ = false;
}

void frmGridEval::cmdOptions_Click() {
    if (!params_) return;
    RefillOptionsIfChanged();
    options_->exec();
    if (options_->OK()) params_->CopyData(*options_->GrowthParams());
}

void frmGridEval::cmdOK_Click() {
    if (!results_ || !params_ || busy::IsBusy()) return;
    RefillOptionsIfChanged();
    frmGridRes& results = *results_;
    results.setWithFit(options_->WithFit());
    results.setWithContour(options_->WithContour());
    bool found = false;
    try {
        busy::BusyGuard guard;
        setEnabled(false);
        found = results.Create(*params_, options_->P1Lo(), options_->P1Hi(),
                               static_cast<int32_t>(options_->P1Evals()), options_->P2Lo(), options_->P2Hi(),
                               static_cast<int32_t>(options_->P2Evals()), method_, *data_, *log_);
        setEnabled(true);
    } catch (const VbError& e) {
        setEnabled(true);
        results.AbandonResult();
        forms::Forms().MsgBox(e.Description, forms::vbExclamation, "Search Failed");
    } catch (const std::exception& e) {
        setEnabled(true);
        results.AbandonResult();
        forms::Forms().MsgBox(e.what(), forms::vbExclamation, "Search Failed");
    }
    if (found) owned::ShowOwned(results, this);
    cmdCancel_Click();
}

void frmGridEval::cmdCancel_Click() {
    hide();
    EnableMainWindow(true);
}

void frmGridEval::reject() { cmdCancel_Click(); }

void frmGridEval::closeEvent(QCloseEvent* event) {
    if (busy::DeferClose(this)) {
        event->ignore();
        return;
    }
    cmdCancel_Click();
    event->accept();
}
