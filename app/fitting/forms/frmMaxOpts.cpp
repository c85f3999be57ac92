#include "frmMaxOpts.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "MVornGlobs.h"
#include "forms/FormsService.h"
#include "forms/HandlerGuard.h"
#include "vb/VbRuntime.h"

namespace G = MVornGlobs;

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string T(const QLineEdit* box) { return box->text().toStdString(); }
}  // namespace

frmMaxOpts::frmMaxOpts(QWidget* parent) : ParamDialog(parent) {
    setObjectName("frmMaxOpts");
    setModal(true);
    setWindowTitle("Maximisation Options");
    fmeMaxOpts = new QGroupBox("Define Boundaries for Maximisation", this);
    OptRange[0] = new QRadioButton("Use grid range for search", fmeMaxOpts);
    OptRange[0]->setObjectName("OptRange0");
    OptRange[1] = new QRadioButton("Manually define search boundaries", fmeMaxOpts);
    OptRange[1]->setObjectName("OptRange1");
    lblP1 = new QLabel(fmeMaxOpts);
    lblP2 = new QLabel(fmeMaxOpts);
    Label1 = new QLabel("to", fmeMaxOpts);
    Label2 = new QLabel("to", fmeMaxOpts);
    auto box = [this](const char* name) {
        auto* b = new QLineEdit(fmeMaxOpts);
        b->setObjectName(name);
        return b;
    };
    txtP1Lo = box("txtP1Lo");
    txtP1Hi = box("txtP1Hi");
    txtP2Lo = box("txtP2Lo");
    txtP2Hi = box("txtP2Hi");
    chkViewMax = new QCheckBox("View Maximisation Process", this);
    chkViewMax->setObjectName("chkViewMax");
    auto* grid = new QGridLayout(fmeMaxOpts);
    grid->addWidget(OptRange[0], 0, 0, 1, 4);
    grid->addWidget(OptRange[1], 1, 0, 1, 4);
    grid->addWidget(lblP1, 2, 0);
    grid->addWidget(txtP1Lo, 2, 1);
    grid->addWidget(Label1, 2, 2);
    grid->addWidget(txtP1Hi, 2, 3);
    grid->addWidget(lblP2, 3, 0);
    grid->addWidget(txtP2Lo, 3, 1);
    grid->addWidget(Label2, 3, 2);
    grid->addWidget(txtP2Hi, 3, 3);

    MakeButtons(Q(G::OKCaption), Q(G::CancelCaption));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fmeMaxOpts);
    layout->addWidget(chkViewMax);
    layout->addLayout(ButtonRow());

    auto p1 = [this] { return G::GridP1Params[gridType_]; };
    auto p2 = [this] { return G::GridP2Params[gridType_]; };
    AddBox(txtP1Lo, [this, p1] { return G::CheckParamRange(p1(), T(txtP1Lo)); });
    AddBox(txtP1Hi, [this, p1] { return G::CheckParamRange(p1(), T(txtP1Hi)); });
    AddBox(txtP2Lo, [this, p2] { return G::CheckParamRange(p2(), T(txtP2Lo)); });
    AddBox(txtP2Hi, [this, p2] { return G::CheckParamRange(p2(), T(txtP2Hi)); });

    for (QRadioButton* o : OptRange) connect(o, &QRadioButton::clicked, this, [this] { RefreshBounds(); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { forms::RunHandler([this] { cmdOK_Click(); }); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { reject(); });
    connect(cmdHelp, &QPushButton::clicked, this,
            [] { forms::Forms().ShowHelp(G::HelpFilePath, 1, kHelpContext); });
}

void frmMaxOpts::Create(int32_t GridType, int32_t GrowthCurve, float P1Lo, float P1Hi, float P2Lo, float P2Hi) {
    gridType_ = GridType;
    growthCurve_ = GrowthCurve;
    cur_ = grid_ = {P1Lo, P1Hi, P2Lo, P2Hi};
    viewMax_ = false;
    OK_ = false;
    cancelling_ = false;
    RefreshControls();
    lblP1->setText(Q(G::GridP1Names[GridType]));
    lblP2->setText(Q(G::GridP2Names[GridType]));
}

void frmMaxOpts::RefreshControls() {
    OptRange[0]->setChecked(useGrid_);
    OptRange[1]->setChecked(!useGrid_);
    chkViewMax->setChecked(viewMax_);
    RefreshBounds();
}

void frmMaxOpts::RefreshBounds() {
    const bool grid = OptRange[0]->isChecked();
    const std::array<float, 4>& shown = grid ? grid_ : cur_;
    const std::array<QLineEdit*, 4> boxes{txtP1Lo, txtP1Hi, txtP2Lo, txtP2Hi};
    for (int i = 0; i < 4; ++i) {
        boxes[i]->setText(Q(vb::CStr(shown[i])));
        boxes[i]->setEnabled(!grid);
    }
}

void frmMaxOpts::cmdOK_Click() {
    if (!CheckAllBoxes()) return;
    if (!CheckRangeOrder(txtP1Lo, txtP1Hi) || !CheckRangeOrder(txtP2Lo, txtP2Hi)) return;
    OK_ = true;
    cur_ = {vb::CSng(T(txtP1Lo)), vb::CSng(T(txtP1Hi)), vb::CSng(T(txtP2Lo)), vb::CSng(T(txtP2Hi))};
    useGrid_ = OptRange[0]->isChecked();
    // Watching needs a contour plot, which a one-value axis does not have.
    viewMax_ = chkViewMax->isChecked() && chkViewMax->isEnabled();
    Finish(true);
}

void frmMaxOpts::reject() {
    OK_ = false;
    cancelling_ = true;
    RefreshControls();
    hide();
    QDialog::reject();
}
