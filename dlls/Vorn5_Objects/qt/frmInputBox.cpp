#include "frmInputBox.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmInputBox::frmInputBox(QWidget* parent) : QDialog(parent) {
    setObjectName("frmInputBox");
    setWindowTitle("frmInputBox");
    setModal(true);
    lblInput = new QLabel("lblInput", this);
    lblInput->setObjectName("lblInput");
    txtInput = new QLineEdit(this);
    txtInput->setObjectName("txtInput");
    cmdOK = new QPushButton("cmdOK", this);
    cmdOK->setObjectName("cmdOK");
    cmdCancel = new QPushButton("cmdCancel", this);
    cmdCancel->setObjectName("cmdCancel");
    cmdOK->setDefault(true);  // Enter in a box means OK

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblInput);
    layout->addWidget(txtInput);
    layout->addLayout(buttons);
    resize(320, 110);

    // UI -> model
    connect(cmdOK, &QPushButton::clicked, this, [this] {
        blnOK_ = true;
        hide();
    });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { reject(); });
}

void frmInputBox::SetText(const std::string& text) { txtInput->setText(QString::fromStdString(text)); }

std::string frmInputBox::Text() const { return txtInput->text().toStdString(); }

void frmInputBox::ShowModal() {
    blnOK_ = false;
    txtInput->setFocus();
    exec();
}

void frmInputBox::reject() {
    blnOK_ = false;
    hide();
}
