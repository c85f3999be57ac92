#include "frmNewDataSet.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "MVornGlobs.h"
#include "StringTable.h"
#include "forms/FormsService.h"
#include "vb/VbError.h"
#include "vb/VbRuntime.h"

namespace {

QString Res(int id) { return QString::fromStdString(res::LoadResString(MVornGlobs::LangBase + id)); }

}  // namespace

frmNewDataSet::frmNewDataSet(QWidget* parent)
    : QDialog(parent), checks_(this, [this](QWidget* focus) { return focus == cmdCancel; }) {
    setObjectName("frmNewDataSet");
    setWindowTitle(Res(1));
    setModal(true);

    fmeParams = new QGroupBox(Res(7), this);
    auto makeBox = [this](const char* name, const QString& text) {
        auto* box = new QLineEdit(text, fmeParams);
        box->setObjectName(name);
        box->installEventFilter(this);  // Enter, Esc and the description's length
        return box;
    };
    lblDesc = new QLabel(Res(8), fmeParams);
    txtDesc = makeBox("txtDesc", Res(12));
    txtDesc->setMaxLength(kMaxDescription);  // pasted text too
    lblMinL = new QLabel(Res(6), fmeParams);
    txtMinL = makeBox("txtMinL", "10");
    lblClassSize = new QLabel(Res(5), fmeParams);
    txtClassSize = makeBox("txtClassSize", "5");
    lblNumClasses = new QLabel(Res(4), fmeParams);
    txtNumClasses = makeBox("txtNumClasses", "10");
    // In tab order, as OK checks them.
    checks_.Add(txtDesc);
    checks_.Add(txtMinL, [this] { return CheckNumber(txtMinL, 0.0, 1000.0, 10); });
    checks_.Add(txtClassSize, [this] { return CheckNumber(txtClassSize, 1e-10, 1000.0, 11); });
    checks_.Add(txtNumClasses, [this] { return CheckNumber(txtNumClasses, 1.0, 100.0, 9); });

    cmdOK = new QPushButton(Res(3), this);
    cmdOK->setObjectName("cmdOK");
    cmdCancel = new QPushButton(Res(2), this);
    cmdCancel->setObjectName("cmdCancel");
    cmdHelp = new QPushButton(Res(13), this);
    cmdHelp->setObjectName("cmdHelp");
    // Enter presses the focused button, and OK from anywhere else (the boxes' Enter is
    // handled in eventFilter).
    cmdOK->setDefault(true);

    auto* grid = new QGridLayout(fmeParams);
    grid->addWidget(lblDesc, 0, 0);
    grid->addWidget(txtDesc, 0, 1);
    grid->addWidget(lblMinL, 1, 0);
    grid->addWidget(txtMinL, 1, 1);
    grid->addWidget(lblClassSize, 2, 0);
    grid->addWidget(txtClassSize, 2, 1);
    grid->addWidget(lblNumClasses, 3, 0);
    grid->addWidget(txtNumClasses, 3, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    buttons->addWidget(cmdHelp);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(fmeParams, 1);
    layout->addLayout(buttons);
    setTabOrder(txtDesc, txtMinL);
    setTabOrder(txtMinL, txtClassSize);
    setTabOrder(txtClassSize, txtNumClasses);
    setTabOrder(txtNumClasses, cmdOK);
    setTabOrder(cmdOK, cmdCancel);
    setTabOrder(cmdCancel, cmdHelp);
    resize(460, 170);

    txtDesc->setFocus();
    txtDesc->selectAll();

    // UI -> model
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    connect(cmdHelp, &QPushButton::clicked, this, [this] { cmdHelp_Click(); });
}

std::string frmNewDataSet::FileDesc() const { return txtDesc->text().toStdString(); }
float frmNewDataSet::MinLength() const { return vb::CSng(txtMinL->text().toStdString()); }
float frmNewDataSet::ClassSize() const { return vb::CSng(txtClassSize->text().toStdString()); }
float frmNewDataSet::NumClasses() const { return vb::CSng(txtNumClasses->text().toStdString()); }

bool frmNewDataSet::CheckNumber(QLineEdit* box, double low, double high, int message) {
    const std::string text = box->text().toStdString();
    if (vb::IsNumeric(text)) {
        try {
            const double value = vb::CDbl(text);
            if (value >= low && value <= high) return true;
        } catch (const VbError&) {
            // falls through to the message
        }
    }
    forms::Forms().MsgBox(res::LoadResString(MVornGlobs::LangBase + message), forms::vbExclamation,
                          forms::kAppTitle);
    return false;
}

bool frmNewDataSet::eventFilter(QObject* watched, QEvent* event) {
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (!box) return QDialog::eventFilter(watched, event);
    try {
        switch (event->type()) {
            case QEvent::KeyPress: {
                auto* key = static_cast<QKeyEvent*>(event);
                if (key->key() == Qt::Key_Escape) {
                    cmdCancel_Click();
                    return true;
                }
                if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                    cmdOK_Click();
                    return true;
                }
                if (box == txtDesc && key->key() != Qt::Key_Backspace && !key->text().isEmpty() &&
                    txtDesc->text().size() > kMaxDescription - 1) {
                    forms::Forms().Beep();
                    return true;
                }
                break;
            }
            default:
                break;
        }
    } catch (const VbError& e) {
        forms::Forms().MsgBox(e.Description, forms::vbCritical, forms::kAppTitle);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void frmNewDataSet::cmdOK_Click() {
    try {
        // Every box again: the one with the focus was never checked when OK came from
        // Enter or a click.
        if (!checks_.CheckAll()) return;
        OK_ = true;
        hide();
        done(QDialog::Accepted);
    } catch (const VbError& e) {
        forms::Forms().MsgBox(e.Description, forms::vbCritical, forms::kAppTitle);
    }
}

void frmNewDataSet::cmdCancel_Click() {
    OK_ = false;
    hide();
    done(QDialog::Rejected);
}

void frmNewDataSet::reject() { cmdCancel_Click(); }

void frmNewDataSet::cmdHelp_Click() {
    forms::Forms().ShowHelp(MVornGlobs::HelpFilePath, 1, kHelpContext);
}
