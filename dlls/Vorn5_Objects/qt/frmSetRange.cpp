#include "frmSetRange.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "BoxChecks.h"
#include "forms/HandlerGuard.h"
#include "clsSetRange.h"
#include "vb/VbRuntime.h"

frmSetRange::frmSetRange(QWidget* parent) : QDialog(parent) {
    setObjectName("frmSetRange");
    setModal(true);
    Frame1 = new QGroupBox(this);
    Frame1->setObjectName("Frame1");
    txtHigh = new QLineEdit(Frame1);
    txtHigh->setObjectName("txtHigh");
    txtLow = new QLineEdit(Frame1);
    txtLow->setObjectName("txtLow");
    for (int k = 0; k < 2; ++k) {
        lblHL[k] = new QLabel(Frame1);
        lblHL[k]->setObjectName(QString("lblHL%1").arg(k));
    }
    // The boxes only select their text on entry; OK does the checking.
    auto* checks = new BoxChecks(this, [](QWidget*) { return true; });
    checks->setParent(this);
    for (QLineEdit* box : {txtLow, txtHigh}) checks->Add(box);
    cmdOK = new QPushButton("&OK", this);
    cmdOK->setObjectName("cmdOK");
    cmdCancel = new QPushButton("&Cancel", this);
    cmdCancel->setObjectName("cmdCancel");
    cmdOK->setDefault(true);  // Enter in a box means OK

    auto* grid = new QGridLayout(Frame1);
    grid->addWidget(lblHL[0], 0, 0);
    grid->addWidget(txtHigh, 0, 1);
    grid->addWidget(lblHL[1], 1, 0);
    grid->addWidget(txtLow, 1, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(Frame1, 1);
    layout->addLayout(buttons);
    setTabOrder(txtHigh, txtLow);
    setTabOrder(txtLow, cmdOK);
    setTabOrder(cmdOK, cmdCancel);
    resize(320, 120);

    // UI -> model
    connect(cmdOK, &QPushButton::clicked, this, [this] { forms::RunHandler([this] { cmdOK_Click(); }); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
}

void frmSetRange::Load(float sngLow, float sngHigh) {
    sngLow_ = sngLow;
    sngHigh_ = sngHigh;
    txtLow->setText(QString::fromStdString(vb::CStr(sngLow)));
    txtHigh->setText(QString::fromStdString(vb::CStr(sngHigh)));
    mblnOK_ = false;
    setWindowTitle("Input Range");
    Frame1->setTitle("Input Range");
    lblHL[0]->setText("High");
    lblHL[1]->setText("Low");
}

void frmSetRange::SetCaption(const std::string& text) { setWindowTitle(QString::fromStdString(text)); }
void frmSetRange::SetRangeLabel(const std::string& text) { Frame1->setTitle(QString::fromStdString(text)); }
void frmSetRange::SetHiLabel(const std::string& text) { lblHL[0]->setText(QString::fromStdString(text)); }
void frmSetRange::SetLoLabel(const std::string& text) { lblHL[1]->setText(QString::fromStdString(text)); }

void frmSetRange::ShowModal() {
    txtHigh->setFocus();
    exec();
}

void frmSetRange::cmdOK_Click() {
    float low = 0.0f, high = 0.0f;
    switch (clsSetRange::CheckRange(txtLow->text().toStdString(), txtHigh->text().toStdString(), low, high)) {
        case clsSetRange::Refocus::None:
            sngLow_ = low;
            sngHigh_ = high;
            mblnOK_ = true;
            hide();
            break;
        case clsSetRange::Refocus::Low:
            txtLow->setFocus(Qt::OtherFocusReason);
            break;
        case clsSetRange::Refocus::High:
            txtHigh->setFocus(Qt::OtherFocusReason);
            break;
    }
}

void frmSetRange::cmdCancel_Click() {
    mblnOK_ = false;
    hide();
}

void frmSetRange::reject() { cmdCancel_Click(); }
