// The citation window.
#include "frmCitation.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

const char* const CitationsForm::kReference =
    "Vorn Development Team (2004). Vorn 5.0: a program for estimating seasonal and "
    "non-seasonal growth and total mortality of fish from length-frequency data. "
    "Fisheries Assessment Software Series, Computer Program Manual 5. "
    "Vorn Development Team.";

CitationsForm::CitationsForm(QWidget* parent) : QDialog(parent) {
    setObjectName("CitationsForm");
    setWindowTitle("Citation");
    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName("Text1");
    Text1->setReadOnly(true);
    Text1->setPlainText(QString::fromUtf8(kReference));
    cmdOK = new QPushButton("OK", this);
    cmdOK->setObjectName("cmdOK");
    cmdOK->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Text1);
    layout->addLayout(buttons);
    resize(420, 200);
    // OK only hides the window; the about box that opened it stays open.
    connect(cmdOK, &QPushButton::clicked, this, [this] { hide(); });
}
