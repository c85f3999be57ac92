#include "frmAutoRes.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "MVornGlobs.h"
#include "StringTable.h"
#include "clsAutofind.h"
#include "clsVorn.h"
#include "forms/FormsService.h"
#include "forms/HandlerGuard.h"
#include "vb/VbRuntime.h"

namespace G = MVornGlobs;

namespace {
QString Res(int id) { return QString::fromStdString(res::LoadResString(G::LangBase + id)); }
QString Q(const std::string& s) { return QString::fromStdString(s); }
QString Number(float v) { return Q(vb::Format(v, "0.000")); }
}  // namespace

frmAutoRes::frmAutoRes(QWidget* parent) : QDialog(parent) {
    setObjectName("frmAutoRes");
    setModal(true);
    setWindowTitle(Res(1201));

    menuBar = new QMenuBar(this);
    mnuResults = menuBar->addMenu(Res(1204));
    mnuPrint = mnuResults->addAction(Res(1205));
    mnuPrint->setObjectName("mnuPrint");
    mnuSave = mnuResults->addAction(Res(1206));
    mnuSave->setObjectName("mnuSave");
    mnuPlot = menuBar->addMenu(Res(1207));
    mnuGrowthCurve = mnuPlot->addAction(Res(1208));
    mnuGrowthCurve->setObjectName("mnuGrowthCurve");

    auto label = [this](const QString& text, const char* name = nullptr) {
        auto* l = new QLabel(text, this);
        if (name) l->setObjectName(name);
        return l;
    };
    lblSettings = label(Res(1202));
    lblEstimates = label(Res(1203));
    QFont bold = lblSettings->font();
    bold.setBold(true);
    lblSettings->setFont(bold);
    lblEstimates->setFont(bold);
    // The two titles differ in where their colon sits.
    lblGCTitle = label(Q(G::GrowthCurveCaption + ": "));
    lblMethTitle = label(Q(G::MethodCaption + " :"));
    lblGC = label({}, "lblGC");
    lblMeth = label({}, "lblMeth");
    lblRanges = label(Res(1209));
    lblK = label(Q(G::ParamNames[0]));
    lblLinf = label(Q(G::ParamNames[1]));
    for (int i = 0; i < 2; ++i) {
        lblLo[i] = label({}, i == 0 ? "lblLo0" : "lblLo1");
        lblHi[i] = label({}, i == 0 ? "lblHi0" : "lblHi1");
    }
    for (int i = 0; i < 5; ++i) {
        lblParamTitle[i] = label({});
        lblParam[i] = label({});
        lblParam[i]->setObjectName("lblParam" + QString::number(i));
    }
    lblScoreTitle = label("Score :");
    lblScore = label({}, "lblScore");

    auto* grid = new QGridLayout;
    int row = 0;
    grid->addWidget(lblSettings, row++, 0, 1, 4);
    grid->addWidget(lblGCTitle, row, 0);
    grid->addWidget(lblGC, row++, 1, 1, 3);
    grid->addWidget(lblMethTitle, row, 0);
    grid->addWidget(lblMeth, row++, 1, 1, 3);
    grid->addWidget(lblRanges, row++, 0, 1, 4);
    for (int i = 0; i < 2; ++i) {
        grid->addWidget(i == 0 ? lblK : lblLinf, row, 0);
        grid->addWidget(lblLo[i], row, 1);
        grid->addWidget(new QLabel("-", this), row, 2);
        grid->addWidget(lblHi[i], row++, 3);
    }
    grid->addWidget(lblEstimates, row++, 0, 1, 4);
    for (int i = 0; i < 5; ++i) {
        grid->addWidget(lblParamTitle[i], row, 0);
        grid->addWidget(lblParam[i], row++, 1);
    }
    grid->addWidget(lblScoreTitle, row, 0);
    grid->addWidget(lblScore, row++, 1);

    cmdOK = new QPushButton(Q(G::OKCaption), this);
    cmdOK->setObjectName("cmdOK");
    cmdOK->setDefault(true);
    cmdHelp = new QPushButton(Q(G::HelpCaption), this);
    cmdHelp->setObjectName("cmdHelp");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdHelp);
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(buttons);

    connect(mnuGrowthCurve, &QAction::triggered, this, [this] { Run([this] { fit_->PlotFit(); }); });
    connect(mnuPrint, &QAction::triggered, this, [this] { Run([this] { fit_->PrintResults(); }); });
    connect(mnuSave, &QAction::triggered, this, [this] { Run([this] { fit_->SaveResults(); }); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { accept(); });
    connect(cmdHelp, &QPushButton::clicked, this, [] { forms::Forms().ShowHelp(G::HelpFilePath, 1, kHelpContext); });
}

void frmAutoRes::Install() {
    clsAutofind::SetResultsWindow([](clsAutofind& AutoFind, clsVorn& DataSet) {
        frmAutoRes window;
        window.Create(AutoFind, DataSet);
        window.exec();
    });
}

void frmAutoRes::Create(clsAutofind& AutoFind, clsVorn& DataSet) {
    fit_ = &AutoFind;
    mnuGrowthCurve->setEnabled(DataSet.NumDists() != 1);

    // The fit's own values: the shared parameters may have changed since (Plot Fit).
    const clsAutofindResult::Fit& v = AutoFind.Report().Values();
    lblGC->setText(Q(G::CurveNames.at(v.GrowthCurve)));
    lblMeth->setText(Q(G::MethodNames.at(v.Method)));
    for (int i = 0; i < 2; ++i) {
        lblLo[i]->setText(Number(v.ParamLo[i]));
        lblHi[i]->setText(Number(v.ParamHi[i]));
    }
    const bool pauly = v.GrowthCurve == 2;
    const std::array<int, 5> params{0, 1, 2, 3, pauly ? 5 : 4};
    const std::array<float, 5> values{v.k, v.Linf, v.T0, v.Ts, pauly ? v.NGT : v.c};
    for (int i = 0; i < 5; ++i) {
        lblParamTitle[i]->setText(Q(G::ParamNames[params[i]]));
        lblParam[i]->setText(Number(values[i]));
    }
    lblScore->setText(Number(v.Score));
}

void frmAutoRes::Run(const std::function<void()>& command) {
    if (fit_) forms::RunHandler(command);
}
