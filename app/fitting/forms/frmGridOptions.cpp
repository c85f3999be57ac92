#include "frmGridOptions.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "MVornGlobs.h"
#include "StringTable.h"
#include "clsGrowthParams.h"
#include "forms/FormsService.h"
#include "vb/VbError.h"
#include "vb/VbRuntime.h"

namespace G = MVornGlobs;

namespace {
QString Res(int id) { return QString::fromStdString(res::LoadResString(G::LangBase + id)); }
QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string T(const QLineEdit* box) { return box->text().toStdString(); }

// The box's number rounded to a whole count; false when it is none.
bool EvalsOf(const QLineEdit* box, int32_t& n) {
    const std::string text = T(box);
    if (!vb::IsNumeric(text)) return false;
    try {
        n = vb::CLng(vb::CDbl(text));
    } catch (const VbError&) {
        return false;
    }
    return true;
}
}  // namespace

frmGridOptions::frmGridOptions(QWidget* parent) : ParamDialog(parent) {
    setObjectName("frmGridOptions");
    setModal(true);
    setWindowTitle(Res(705));
    fmeGridBoundary = new QGroupBox(Res(701), this);
    fmePlot = new QGroupBox(Res(702), this);
    fmeFixed = new QGroupBox(Res(703), this);
    fmeFixed->setObjectName("fmeFixed");
    Label2 = new QLabel(Res(708), fmeGridBoundary);
    Label3 = new QLabel(Label2->text(), fmeGridBoundary);
    auto* bounds = new QGridLayout(fmeGridBoundary);
    auto* fixed = new QGridLayout(fmeFixed);
    for (int i = 0; i < 2; ++i) {
        const QString n = QString::number(i);
        lblParamLo[i] = new QLabel(fmeGridBoundary);
        txtLo[i] = new QLineEdit(fmeGridBoundary);
        txtLo[i]->setObjectName("txtLo" + n);
        txtHi[i] = new QLineEdit(fmeGridBoundary);
        txtHi[i]->setObjectName("txtHi" + n);
        lblEvals[i] = new QLabel(Res(704), fmeGridBoundary);
        txtEvals[i] = new QLineEdit(fmeGridBoundary);
        txtEvals[i]->setObjectName("txtEvals" + n);
        bounds->addWidget(lblParamLo[i], i, 0);
        bounds->addWidget(txtLo[i], i, 1);
        bounds->addWidget(i == 0 ? Label2 : Label3, i, 2);
        bounds->addWidget(txtHi[i], i, 3);
        bounds->addWidget(lblEvals[i], i, 4);
        bounds->addWidget(txtEvals[i], i, 5);
        lblFixed[i] = new QLabel(fmeFixed);
        txtFixed[i] = new QLineEdit(fmeFixed);
        txtFixed[i]->setObjectName("txtFixed" + n);
        fixed->addWidget(lblFixed[i], i, 0);
        fixed->addWidget(txtFixed[i], i, 1);
    }
    chkFit = new QCheckBox(Res(706), fmePlot);
    chkFit->setObjectName("chkFit");
    chkContour = new QCheckBox(Res(707), fmePlot);
    chkContour->setObjectName("chkContour");
    auto* plot = new QVBoxLayout(fmePlot);
    plot->addWidget(chkFit);
    plot->addWidget(chkContour);

    MakeButtons(Q(G::OKCaption), Q(G::CancelCaption));
    auto* lower = new QHBoxLayout;
    lower->addWidget(fmeFixed);
    lower->addWidget(fmePlot);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fmeGridBoundary);
    layout->addLayout(lower);
    layout->addLayout(ButtonRow());

    // Checks in tab order.
    for (int i = 0; i < 2; ++i) {
        AddBox(txtLo[i], [this, i] { return G::CheckParamRange(GridParam(i), T(txtLo[i])); });
        AddBox(txtHi[i], [this, i] { return G::CheckParamRange(GridParam(i), T(txtHi[i])); });
        AddBox(txtEvals[i], [this, i] { return CheckEvals(i); });
    }
    for (int i = 0; i < 2; ++i)
        AddBox(txtFixed[i], [this, i] { return G::CheckParamRange(FixedParam(i), T(txtFixed[i])); });

    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    connect(cmdHelp, &QPushButton::clicked, this,
            [] { forms::Forms().ShowHelp(G::HelpFilePath, 1, kHelpContext); });
}

int32_t frmGridOptions::GridParam(int i) const {
    const int32_t g = params_ ? params_->GridType() : 0;
    return i == 0 ? G::GridP1Params[g] : G::GridP2Params[g];
}

int32_t frmGridOptions::FixedParam(int i) const {
    const int32_t g = params_ ? params_->GridType() : 0;
    const G::GridTypeParams row = G::GridParamsFor(g, params_ ? params_->GrowthCurve() : 0);
    const int32_t p = i == 0 ? row.Fixed1 : row.Fixed2;
    // The boxes are disabled where the grid holds nothing; they keep the table's parameter.
    if (p == G::kNoParam) return i == 0 ? G::GridFixed1Params[g] : G::GridFixed2Params[g];
    return p;
}

void frmGridOptions::Create(clsGrowthParams& GrowthParams) {
    params_ = &GrowthParams;
    OK_ = false;
    cancelling_ = false;
    if (!defaultsSet_) {
        const double linf = GrowthParams.Linf();
        lo_ = {0.1f, static_cast<float>(5 * vb::Int(linf / 1.25 / 5)), 0.0f, -0.5f, 0.0f, 0.0f};
        hi_ = {1.0f, static_cast<float>(5 * vb::Int(linf * 1.25 / 5)), 0.0f, 0.5f, 1.0f, 0.5f};
        evals_.fill(15);
        defaultsSet_ = true;
    }
    Fill();
}

void frmGridOptions::Fill() {
    const int32_t curve = params_->GrowthCurve();
    for (int i = 0; i < 2; ++i) {
        const int32_t p = GridParam(i);
        txtLo[i]->setText(Q(vb::CStr(lo_[p])));
        txtHi[i]->setText(Q(vb::CStr(hi_[p])));
        lblParamLo[i]->setText(Q(G::ParamNames[p]));
        txtEvals[i]->setText(Q(vb::CStr(evals_[p])));
    }
    const bool seasonal = curve != 0;
    for (QWidget* w : fmeFixed->findChildren<QWidget*>()) w->setEnabled(seasonal);
    if (seasonal) {
        lblFixed[0]->setText(Q(G::ParamNames[FixedParam(0)]));
        lblFixed[1]->setText(Q(G::ParamNames[FixedParam(1)]));
        txtFixed[0]->setText(Q(vb::Format(params_->Fixed1().ToSingle(), "0.000")));
        txtFixed[1]->setText(Q(vb::Format(params_->Fixed2().ToSingle(), "0.000")));
    } else {
        for (int i = 0; i < 2; ++i) {
            lblFixed[i]->setText("N/A");
            txtFixed[i]->clear();
        }
    }
    chkFit->setChecked(withFit_);
    chkContour->setChecked(withContour_);
    RefreshContourBox();
}

void frmGridOptions::RefreshContourBox() {
    int32_t n1 = 0, n2 = 0;
    const bool ok = EvalsOf(txtEvals[0], n1) && EvalsOf(txtEvals[1], n2);
    chkContour->setEnabled(ok && n1 > 1 && n2 > 1);
}

bool frmGridOptions::CheckEvals(int i) {
    int32_t n = 0;
    if (!EvalsOf(txtEvals[i], n) || n < 1 || n > 100) {
        forms::Forms().Beep();
        forms::Forms().MsgBox("Value must be in range 1 - 100", forms::vbExclamation, forms::kAppTitle);
        return false;
    }
    RefreshContourBox();
    return true;
}

float frmGridOptions::P1Lo() const { return lo_[GridParam(0)]; }
float frmGridOptions::P1Hi() const { return hi_[GridParam(0)]; }
float frmGridOptions::P2Lo() const { return lo_[GridParam(1)]; }
float frmGridOptions::P2Hi() const { return hi_[GridParam(1)]; }
float frmGridOptions::P1Evals() const { return static_cast<float>(evals_[GridParam(0)]); }
float frmGridOptions::P2Evals() const { return static_cast<float>(evals_[GridParam(1)]); }

bool frmGridOptions::WithContour() const {
    // A contour needs two values on each axis, whatever the tick held from another grid.
    return withContour_ && P1Evals() > 1 && P2Evals() > 1;
}

void frmGridOptions::cmdOK_Click() {
    try {
        if (!CheckAllBoxes()) return;
        for (int i = 0; i < 2; ++i)
            if (!CheckRangeOrder(txtLo[i], txtHi[i])) return;
        OK_ = true;
        for (int i = 0; i < 2; ++i) {
            const int32_t p = GridParam(i);
            lo_[p] = vb::CSng(T(txtLo[i]));
            hi_[p] = vb::CSng(T(txtHi[i]));
        }
        for (int i = 0; i < 2; ++i) {
            int32_t n = 0;
            EvalsOf(txtEvals[i], n);
            evals_[GridParam(i)] = n;
        }
        RefreshContourBox();
        withFit_ = chkFit->isChecked();
        withContour_ = chkContour->isChecked() && chkContour->isEnabled();
        if (params_->GrowthCurve() != 0) {
            params_->setFixed1(ParamVariant::MakeText(T(txtFixed[0])));
            params_->setFixed2(ParamVariant::MakeText(T(txtFixed[1])));
        }
        hide();
        done(QDialog::Accepted);
    } catch (const VbError& e) {
        forms::Forms().MsgBox(e.Description, forms::vbExclamation, forms::kAppTitle);
    }
}

void frmGridOptions::cmdCancel_Click() {
    OK_ = false;
    cancelling_ = true;
    if (params_) Fill();
    hide();
    QDialog::reject();
}

// Esc and the close box cancel.
void frmGridOptions::reject() { cmdCancel_Click(); }
