#include "frmPlotFit.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "MVornGlobs.h"
#include "StringTable.h"
#include "clsGrowthParams.h"
#include "clsVorn.h"
#include "forms/FormsService.h"
#include "vb/VbError.h"
#include "vb/VbRuntime.h"

namespace G = MVornGlobs;

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }
}  // namespace

frmPlotFit::frmPlotFit(QWidget* parent) : ParamDialog(parent) {
    setObjectName("frmPlotFit");
    setModal(true);
    setWindowTitle(Q(res::LoadResString(G::LangBase + 401)));
    fmeGC = new QGroupBox(Q(G::GrowthCurveCaption), this);
    auto* curves = new QVBoxLayout(fmeGC);
    for (int i = 0; i < 3; ++i) {
        optGC[i] = new QRadioButton(Q(G::CurveNames[i]), fmeGC);
        optGC[i]->setObjectName("optGC" + QString::number(i));
        curves->addWidget(optGC[i]);
        connect(optGC[i], &QRadioButton::clicked, this, [this, i] { optGC_Click(i); });
    }
    fmeParams = new QGroupBox(Q(G::ParametersCaption), this);
    auto* params = new QGridLayout(fmeParams);
    for (int k = 0; k < 6; ++k) {
        lblParam[k] = new QLabel(Q(G::ParamNames[k]), fmeParams);
        txtParam[k] = new QLineEdit(fmeParams);
        txtParam[k]->setObjectName("txtParam" + QString::number(k));
        params->addWidget(lblParam[k], k, 0);
        params->addWidget(txtParam[k], k, 1);
        AddBox(txtParam[k], [this, k] { return G::CheckParamRange(k, txtParam[k]->text().toStdString()); });
    }
    MakeButtons("&Plot", Q(G::CloseCaption));
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    buttons->addWidget(cmdHelp);
    buttons->addStretch();
    auto* left = new QVBoxLayout;
    left->addWidget(fmeGC);
    left->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addWidget(fmeParams, 1);
    layout->addLayout(buttons);

    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { reject(); });
    connect(cmdHelp, &QPushButton::clicked, this,
            [] { forms::Forms().ShowHelp(G::HelpFilePath, 1, kHelpContext); });
}

void frmPlotFit::Create(clsVorn& DataSet, clsGrowthParams& GrowthParams) {
    data_ = &DataSet;
    params_ = &GrowthParams;
    open_ = true;
    cancelling_ = false;
    const std::array<float, 6> values{GrowthParams.k(),  GrowthParams.Linf(), GrowthParams.T0(),
                                      GrowthParams.Ts(), GrowthParams.c(),    GrowthParams.NGT()};
    for (int k = 0; k < 6; ++k) txtParam[k]->setText(Q(vb::Format(values[k], "0.000")));
    const int curve = std::clamp<int>(GrowthParams.GrowthCurve(), 0, 2);
    optGC[curve]->setChecked(true);
    optGC_Click(curve);
}

void frmPlotFit::optGC_Click(int i) {
    curve_ = i;
    for (int k = 0; k < 6; ++k) {
        const bool used = G::ParamInCurve(i, k);
        lblParam[k]->setEnabled(used);
        txtParam[k]->setEnabled(used);
    }
}

void frmPlotFit::cmdOK_Click() {
    try {
        if (!params_ || !data_ || !CheckAllBoxes()) return;
        std::array<float, 6> v{};
        for (int k = 0; k < 6; ++k) v[k] = vb::CSng(txtParam[k]->text().toStdString());
        params_->setk(v[0]);
        params_->setLinf(v[1]);
        params_->setT0(v[2]);
        params_->setTs(v[3]);
        params_->setc(v[4]);
        params_->setNGT(v[5]);
        params_->setGrowthCurve(curve_);
        data_->PlotDistributions(v[0], v[1], v[2], v[3], v[4], v[5], curve_);
    } catch (const VbError& e) {
        forms::Forms().MsgBox("The growth curve could not be plotted.\r" + e.Description, forms::vbExclamation,
                              forms::kAppTitle);
    }
}

void frmPlotFit::reject() {
    open_ = false;
    hide();
    QDialog::reject();
}
