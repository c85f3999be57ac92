#include "frmCCParams.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "MVornGlobs.h"
#include "StringTable.h"
#include "forms/FormsService.h"
#include "vb/VbError.h"
#include "vb/VbRuntime.h"

namespace G = MVornGlobs;

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string T(const QLineEdit* box) { return box->text().toStdString(); }
}  // namespace

frmCCParams::frmCCParams(QWidget* parent) : ParamDialog(parent) {
    setObjectName("frmCCParams");
    setModal(true);
    setWindowTitle(Q(res::LoadResString(G::LangBase + 1301)));
    fmeParams = new QGroupBox(Q(res::LoadResString(G::LangBase + 1302)), this);
    lblK = new QLabel(Q(G::ParamNames[0]), fmeParams);
    lblLinf = new QLabel(Q(G::ParamNames[1]), fmeParams);
    txtK = new QLineEdit(fmeParams);
    txtK->setObjectName("txtK");
    txtLinf = new QLineEdit(fmeParams);
    txtLinf->setObjectName("txtLinf");
    auto* grid = new QGridLayout(fmeParams);
    grid->addWidget(lblK, 0, 0);
    grid->addWidget(txtK, 0, 1);
    grid->addWidget(lblLinf, 1, 0);
    grid->addWidget(txtLinf, 1, 1);

    MakeButtons(QString(), QString());
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    buttons->addWidget(cmdHelp);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fmeParams);
    layout->addLayout(buttons);
    setTabOrder(txtK, txtLinf);
    setTabOrder(txtLinf, cmdOK);

    // 0 is refused as well: the ages divide by K and the lengths by Linf.
    AddBox(txtK, [this] { return CheckValue(txtK, lblK, 1000, "Value must be between 0 and 1000"); });
    AddBox(txtLinf, [this] { return CheckValue(txtLinf, lblLinf, 1000000, "Value must be between 0 and 1000000"); });

    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { reject(); });
    connect(cmdHelp, &QPushButton::clicked, this, [] { forms::Forms().ShowHelp(G::HelpFilePath, 1, kHelpContext); });
}

void frmCCParams::Create(float K, float Linf) {
    OK_ = false;
    cancelling_ = false;
    cmdOK->setText(Q(G::OKCaption));
    cmdCancel->setText(Q(G::CancelCaption));
    cmdHelp->setText(Q(G::HelpCaption));
    k_ = K;
    linf_ = Linf;
    txtK->setText(Q(vb::Format(K, "0.000")));
    txtLinf->setText(Q(vb::Format(Linf, "0.000")));
    txtK->setFocus();
}

bool frmCCParams::CheckValue(QLineEdit* box, QLabel* label, double below, const char* message) {
    const std::string text = T(box);
    if (vb::IsNumeric(text)) {
        const double v = vb::CDbl(text);
        if (v > 0 && v < below) return true;
    }
    forms::Forms().MsgBox(message, forms::vbOKOnly, label->text().toStdString());
    return false;
}

void frmCCParams::cmdOK_Click() {
    try {
        if (!CheckAllBoxes()) return;
        k_ = vb::CSng(T(txtK));
        linf_ = vb::CSng(T(txtLinf));
        OK_ = true;
        hide();
        done(QDialog::Accepted);
    } catch (const VbError& e) {
        forms::Forms().MsgBox(e.Description, forms::vbExclamation, forms::kAppTitle);
    }
}

void frmCCParams::reject() {
    OK_ = false;
    cancelling_ = true;
    hide();
    QDialog::reject();
}
