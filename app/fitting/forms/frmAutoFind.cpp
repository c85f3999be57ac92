#include "frmAutoFind.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "MVornGlobs.h"
#include "StringTable.h"
#include "clsAutofind.h"
#include "clsGrowthParams.h"
#include "forms/FormsService.h"
#include "forms/HandlerGuard.h"
#include "vb/VbRuntime.h"

namespace G = MVornGlobs;

namespace {
QString Res(int id) { return QString::fromStdString(res::LoadResString(G::LangBase + id)); }
QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string T(const QLineEdit* box) { return box->text().toStdString(); }
}  // namespace

frmAutoFind::frmAutoFind(QWidget* parent) : ParamDialog(parent) {
    setObjectName("frmAutoFind");
    setModal(true);
    setWindowTitle(Res(1101));
    fmeRanges = new QGroupBox(Res(1102), this);
    fmeModel = new QGroupBox(Q(G::ModelCaption), this);
    fmeModel->setObjectName("fmeModel");
    fmeGC = new QGroupBox(Q(G::GrowthCurveCaption), this);
    fmeGC->setObjectName("fmeGC");

    auto* model = new QVBoxLayout(fmeModel);
    auto* curves = new QVBoxLayout(fmeGC);
    for (int i = 1; i <= 2; ++i) {
        optMeth[i] = new QRadioButton(Q(G::MethodNames[i]), fmeModel);
        optMeth[i]->setObjectName("optMeth" + QString::number(i));
        model->addWidget(optMeth[i]);
        optGC[i] = new QRadioButton(Q(G::CurveNames[i]), fmeGC);
        optGC[i]->setObjectName("optGC" + QString::number(i));
        curves->addWidget(optGC[i]);
        connect(optMeth[i], &QRadioButton::clicked, this, [this, i] { method_ = i; });
        connect(optGC[i], &QRadioButton::clicked, this, [this, i] { growthCurve_ = i; });
    }

    auto* ranges = new QGridLayout(fmeRanges);
    for (int i = 0; i < 2; ++i) {
        const QString n = QString::number(i);
        lblParam[i] = new QLabel(Q(G::ParamNames[i]), fmeRanges);
        txtParamLo[i] = new QLineEdit(fmeRanges);
        txtParamLo[i]->setObjectName("txtParamLo" + n);
        txtParamHi[i] = new QLineEdit(fmeRanges);
        txtParamHi[i]->setObjectName("txtParamHi" + n);
        ranges->addWidget(lblParam[i], i, 0);
        ranges->addWidget(txtParamLo[i], i, 1);
        ranges->addWidget(new QLabel("-", fmeRanges), i, 2);
        ranges->addWidget(txtParamHi[i], i, 3);
    }

    MakeButtons(Q(G::OKCaption), Q(G::CancelCaption));
    auto* choices = new QHBoxLayout;
    choices->addWidget(fmeGC);
    choices->addWidget(fmeModel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addWidget(fmeRanges);
    layout->addLayout(ButtonRow());

    // Checks in tab order: K low, K high, Linf low, Linf high.
    for (int i = 0; i < 2; ++i) {
        AddBox(txtParamLo[i], [this, i] { return G::CheckParamRange(i, T(txtParamLo[i])); });
        AddBox(txtParamHi[i], [this, i] { return G::CheckParamRange(i, T(txtParamHi[i])); });
    }
    connect(cmdOK, &QPushButton::clicked, this, [this] { forms::RunHandler([this] { cmdOK_Click(); }); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    connect(cmdHelp, &QPushButton::clicked, this, [] { forms::Forms().ShowHelp(G::HelpFilePath, 1, kHelpContext); });

    optGC[1]->setChecked(true);
    optMeth[2]->setChecked(true);
}

frmAutoFind::~frmAutoFind() = default;

void frmAutoFind::Install() {
    clsAutofind::SetInputDialog([](clsGrowthParams& GrowthParams, clsAutofind::Choice& choice) {
        frmAutoFind dialog;
        dialog.Create(GrowthParams);
        dialog.setMinLength(choice.MinLength);
        dialog.exec();
        if (!dialog.OK()) return false;
        choice.ParamHi = {dialog.ParamHi(0), dialog.ParamHi(1)};
        choice.ParamLo = {dialog.ParamLo(0), dialog.ParamLo(1)};
        choice.GrowthCurve = dialog.GrowthCurve();
        choice.Method = dialog.Method();
        return true;
    });
}

clsGrowthParams& frmAutoFind::GrowthParams() {
    if (!params_) {
        ownParams_ = std::make_unique<clsGrowthParams>();
        params_ = ownParams_.get();
    }
    return *params_;
}

void frmAutoFind::Create(clsGrowthParams& GrowthParams) {
    params_ = &GrowthParams;
    const clsAutofind::Choice start = clsAutofind::Defaults(GrowthParams);
    for (int i = 0; i < 2; ++i) {
        txtParamLo[i]->setText(Q(vb::CStr(start.ParamLo[i])));
        txtParamHi[i]->setText(Q(vb::CStr(start.ParamHi[i])));
    }
}

float frmAutoFind::ParamHi(int32_t i) const {
    if (i < 0 || i > 1) return 0.0f;
    return vb::CSng(T(txtParamHi[i]));
}

float frmAutoFind::ParamLo(int32_t i) const {
    if (i < 0 || i > 1) return 0.0f;
    return vb::CSng(T(txtParamLo[i]));
}

void frmAutoFind::cmdOK_Click() {
    if (!CheckAllBoxes()) return;
    for (int i = 0; i < 2; ++i)
        if (!CheckRangeOrder(txtParamLo[i], txtParamHi[i])) return;
    clsAutofind::Choice choice;
    choice.ParamLo = {ParamLo(0), ParamLo(1)};
    choice.ParamHi = {ParamHi(0), ParamHi(1)};
    choice.MinLength = minLength_;
    const std::string fault = clsAutofind::RangeFault(choice);
    if (!fault.empty()) {
        Refuse(choice.ParamLo[1] > 0.0f ? txtParamHi[1] : txtParamLo[1], fault);
        return;
    }
    GrowthParams().setGrowthCurve(growthCurve_);
    OK_ = true;
    Finish(true);
}

void frmAutoFind::cmdCancel_Click() {
    OK_ = false;
    cancelling_ = true;
    Finish(false);
}

// Esc and the close box cancel.
void frmAutoFind::reject() { cmdCancel_Click(); }
