#include "frmZReg.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "GraphControlWidget.h"
#include "Hald_Error.h"
#include "MVornGlobs.h"
#include "StringTable.h"
#include "clsLog.h"
#include "forms/FormsService.h"
#include "vb/VbError.h"

namespace G = MVornGlobs;

namespace {
constexpr int kStrBase = 1000;
QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string Res(int k) { return res::LoadResString(G::LangBase + kStrBase + k); }
}  // namespace

frmZReg::frmZReg(QWidget* parent) : QDialog(parent), err_(std::make_unique<Hald_Error>()) {
    setObjectName("frmZReg");
    setModal(true);
    setWindowTitle(Q(Res(1)));
    lblDists = new QLabel("Distribution", this);
    lbl2 = new QLabel(this);
    lbl3 = new QLabel(this);
    lstDists = new QListWidget(this);
    lstDists->setObjectName("lstDists");
    QFont fixed("Monospace");
    fixed.setStyleHint(QFont::TypeWriter);
    lstDists->setFont(fixed);
    Label1 = new QLabel(this);
    Label2 = new QLabel(this);
    Label3 = new QLabel(this);
    Label4 = new QLabel(this);
    picGraph = new QFrame(this);
    picGraph->setFrameShape(QFrame::StyledPanel);
    gphReg = new chartqt::GraphControlWidget(picGraph);
    gphReg->setObjectName("gphReg");
    gphReg->setMinimumSize(420, 300);
    gphReg->setLineMode(chart::LineMode::Straight);
    auto* graphLayout = new QVBoxLayout(picGraph);
    graphLayout->setContentsMargins(0, 0, 0, 0);
    graphLayout->addWidget(gphReg);
    lblLegend = new QLabel(this);
    lblLegend->setWordWrap(true);
    cmdOK = new QPushButton(this);
    cmdOK->setObjectName("cmdOK");
    cmdLog = new QPushButton(this);
    cmdLog->setObjectName("cmdLog");
    cmdHelp = new QPushButton(this);
    cmdHelp->setObjectName("cmdHelp");

    auto* headers = new QHBoxLayout;
    headers->addWidget(lblDists);
    headers->addWidget(lbl2);
    headers->addWidget(lbl3);
    auto* left = new QVBoxLayout;
    left->addLayout(headers);
    left->addWidget(lstDists, 1);
    for (QLabel* l : {Label1, Label2, Label3, Label4}) left->addWidget(l);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {cmdOK, cmdLog, cmdHelp}) buttons->addWidget(b);
    left->addLayout(buttons);
    auto* right = new QVBoxLayout;
    right->addWidget(picGraph, 1);
    right->addWidget(lblLegend);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(right, 1);

    // UI -> estimator.
    connect(lstDists, &QListWidget::currentRowChanged, this, [this] { Handle("lstDists_Click", [this] { lstDists_Click(); }); });
    connect(gphReg, &chartqt::GraphControlWidget::pointClicked, this,
            [this](int i) { Handle("gphReg_PointClicked", [this, i] { gphReg_PointClicked(i); }); });
    connect(cmdLog, &QPushButton::clicked, this, [this] { Handle("cmdLog_Click", [this] { cmdLog_Click(); }); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { accept(); });
    connect(cmdHelp, &QPushButton::clicked, this, [this] { forms::Forms().ShowHelp(G::HelpFilePath, 1, HelpContext()); });
}

frmZReg::~frmZReg() = default;

void frmZReg::setTitle(const std::string& title) { setWindowTitle(Q(title)); }

void frmZReg::setXAxisTitle(const std::string& title) {
    gphReg->setXTitle(title);
    gphReg->Redraw();
}

void frmZReg::setYAxisTitle(const std::string& title) {
    gphReg->setYTitle(title);
    gphReg->Redraw();
}

void frmZReg::Create(IZReg& reg, clsLog& log) {
    log_ = &log;
    result_ = std::make_unique<clsZRegResult>(reg);
    cmdOK->setText(Q(G::OKCaption));
    cmdLog->setText(Q(G::LogCaption));
    cmdHelp->setText(Q(G::HelpCaption));
    lblDists->setText(Q(result_->Header1()));
    lbl2->setText(Q(result_->Header2()));
    lbl3->setText(Q(result_->Header3()));
    Label3->setVisible(result_->ZType() == 1);
    Label4->setVisible(result_->ZType() == 1);

    // The chart: one point per class, x fixed, the legend and the hint.
    gphReg->setPointCount(result_->NumPoints());
    gphReg->setLegend(Res(3), Res(4));
    for (int32_t i = 1; i <= result_->NumPoints(); ++i) gphReg->setX(i, result_->X(i));
    lblLegend->setText(Q(Res(5)));

    dist_ = 1;
    RefreshList();
    lstDists->blockSignals(true);
    lstDists->setCurrentRow(0);
    lstDists->blockSignals(false);
    PlotDist();
}

void frmZReg::Handle(const char* proc, const std::function<void()>& handler) {
    try {
        handler();
    } catch (const VbError& e) {
        err_->HandleError(e, std::string("frmZReg.") + proc);
    } catch (const std::exception& e) {
        forms::Forms().MsgBox(e.what(), forms::vbCritical, forms::kAppTitle);
    }
}

void frmZReg::RefreshList() {
    // The lines were rebuilt by the last refit; the list keeps its selection.
    lstDists->setEnabled(false);
    lstDists->blockSignals(true);
    const int selected = lstDists->currentRow();
    lstDists->clear();
    for (const std::string& line : result_->Lines()) lstDists->addItem(Q(line));
    lstDists->setCurrentRow(selected);
    lstDists->blockSignals(false);
    lstDists->setEnabled(true);

    const auto& means = result_->MeanLabels();
    QLabel* labels[] = {Label1, Label2, Label3, Label4};
    for (size_t k = 0; k < 4; ++k) labels[k]->setText(k < means.size() ? Q(means[k]) : QString());
}

void frmZReg::lstDists_Click() {
    if (lstDists->currentRow() < 0) return;
    dist_ = lstDists->currentRow() + 1;
    PlotDist();
}

void frmZReg::PlotDist() {
    for (int32_t i = 1; i <= result_->NumPoints(); ++i) {
        gphReg->setY(i, result_->Y(dist_, i));
        MarkPoint(i);
    }
    ShowLine();
    gphReg->Redraw();
}

void frmZReg::MarkPoint(int32_t i) { gphReg->setPointMark(i, result_->Mark(dist_, i)); }

void frmZReg::ShowLine() {
    // The estimator's own fit, so the line skips exactly the points the fit skipped.
    if (const auto line = result_->FittedLine(dist_)) gphReg->setStraightLine(line->A, line->B);
    else gphReg->clearStraightLine();
}

void frmZReg::gphReg_PointClicked(int32_t i) {
    result_->Toggle(dist_, i);
    MarkPoint(i);
    RefreshList();
    ShowLine();
    gphReg->Redraw();
}

void frmZReg::cmdLog_Click() {
    const std::vector<std::string> lines = result_->LogLines(windowTitle().toStdString());
    // Also refreshes the list: logging refits every distribution.
    RefreshList();
    if (lines.empty()) {
        forms::Forms().Beep();
        forms::Forms().MsgBox("No distribution has a result to log.", forms::vbExclamation, forms::kAppTitle);
        return;
    }
    log_->setPolling(false);
    log_->InsertSeperator();
    for (const std::string& line : lines) log_->LogText(line + "\r\n");
    log_->EndLog();
}
