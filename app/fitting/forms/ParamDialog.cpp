#include "ParamDialog.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

#include "MVornGlobs.h"
#include "forms/FormsService.h"
#include "vb/VbRuntime.h"

ParamDialog::ParamDialog(QWidget* parent)
    : QDialog(parent),
      checks_(this, [this](QWidget* focus) { return cancelling_ || (cancelButton_ && focus == cancelButton_); }) {}

void ParamDialog::AddBox(QLineEdit* box, std::function<bool()> check) {
    box->installEventFilter(this);
    checks_.Add(box, std::move(check));
}

bool ParamDialog::CheckBox(QLineEdit* box) { return checks_.Check(box); }

bool ParamDialog::CheckAllBoxes() { return checks_.CheckAll(); }

bool ParamDialog::CheckRangeOrder(QLineEdit* lo, QLineEdit* hi) {
    if (vb::CDbl(hi->text().toStdString()) >= vb::CDbl(lo->text().toStdString())) return true;
    Refuse(hi, "Invalid range specified");
    return false;
}

void ParamDialog::Refuse(QLineEdit* box, const std::string& message) {
    forms::Forms().Beep();
    forms::Forms().MsgBox(message, forms::vbExclamation, forms::kAppTitle);
    checks_.Refocus(box);
}

void ParamDialog::MakeButtons(const QString& okCaption, const QString& cancelCaption) {
    cmdOK = new QPushButton(okCaption, this);
    cmdOK->setObjectName("cmdOK");
    cmdCancel = new QPushButton(cancelCaption, this);
    cmdCancel->setObjectName("cmdCancel");
    cmdHelp = new QPushButton(QString::fromStdString(MVornGlobs::HelpCaption), this);
    cmdHelp->setObjectName("cmdHelp");
    cmdOK->setDefault(true);
    cancelButton_ = cmdCancel;
}

QHBoxLayout* ParamDialog::ButtonRow() {
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(cmdOK);
    row->addWidget(cmdCancel);
    row->addWidget(cmdHelp);
    return row;
}

void ParamDialog::Finish(bool accepted) {
    hide();
    done(accepted ? QDialog::Accepted : QDialog::Rejected);
    forms::Forms().DoEvents();
}
