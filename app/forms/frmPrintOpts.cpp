#include "frmPrintOpts.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "MVornGlobs.h"
#include "StringTable.h"

namespace {
QString Res(int id) { return QString::fromStdString(res::LoadResString(MVornGlobs::LangBase + id)); }
}  // namespace

frmPrintOpts::frmPrintOpts(QWidget* parent) : QDialog(parent) {
    setObjectName("frmPrintOpts");
    setModal(true);
    fmePrintOpts = new QGroupBox(Res(1404), this);
    fmePrintOpts->setObjectName("fmePrintOpts");
    chkRes = new QCheckBox(fmePrintOpts);
    chkRes->setObjectName("chkRes");
    chkGridData = new QCheckBox(fmePrintOpts);
    chkGridData->setObjectName("chkGridData");
    chkRes->setChecked(true);
    chkGridData->setChecked(false);
    auto* boxes = new QVBoxLayout(fmePrintOpts);
    boxes->addWidget(chkRes);
    boxes->addWidget(chkGridData);

    cmdOK = new QPushButton(Res(1804), this);
    cmdOK->setObjectName("cmdOK");
    cmdCancel = new QPushButton(Res(1805), this);
    cmdCancel->setObjectName("cmdCancel");
    cmdOK->setDefault(true);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(fmePrintOpts, 1);
    layout->addLayout(buttons);

    connect(cmdOK, &QPushButton::clicked, this, [this] {
        OK_ = true;
        hide();
        done(QDialog::Accepted);
    });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { reject(); });
}

void frmPrintOpts::reject() {
    OK_ = false;
    hide();
    QDialog::reject();
}

void frmPrintOpts::Show(bool printMode) {
    printMode_ = printMode;
    const QString prefix = Res(printMode ? 1406 : 1405);
    setWindowTitle(prefix + Res(1401));
    chkRes->setText(prefix + Res(1402));
    chkGridData->setText(prefix + Res(1403));
    OK_ = false;
    exec();
}

void frmPrintOpts::ShowSave() { Show(false); }
void frmPrintOpts::ShowPrint() { Show(true); }
bool frmPrintOpts::WithRes() const { return chkRes->isChecked(); }
bool frmPrintOpts::WithGridData() const { return chkGridData->isChecked(); }
