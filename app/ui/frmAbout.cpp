// The about box.
#include "frmAbout.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "forms/FormsService.h"
#include "VornIcon.h"
#include "frmCitation.h"

namespace {
constexpr int kMajor = 5, kMinor = 0;

const char* const kDescription =
    "Estimates seasonal and non-seasonal growth curves of fish from length-frequency "
    "distributions by several methods (ELEFAN, SLCA and PROJMAT), estimates total mortality, "
    "and converts length frequencies into age frequencies.\r"
    "\r"
    "Design: the Vorn development team\r"
    "Programming: the Vorn development team";

const char* const kDisclaimer =
    "This software was developed by the Vorn development team for a fisheries research "
    "programme funded by a development agency. It is provided as it is, without any warranty; "
    "the views it expresses are not necessarily those of the funding body.";

// The logo: the program's picture on white.
QPixmap Logo() {
    QPixmap pm(96, 64);
    pm.fill(Qt::white);
    QPainter p(&pm);
    DrawVornPicture(p, QRectF(0, 0, 96, 64));
    return pm;
}

QString WithLineBreaks(const char* text) { return QString::fromUtf8(text).replace('\r', '\n'); }
}  // namespace

QString frmAbout::VersionText(int major, int minor) {
    return QStringLiteral("Vorn Version %1.%2").arg(major).arg(minor);
}

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName("frmAbout");
    setWindowTitle(QStringLiteral("About ") + QString::fromUtf8(forms::kAppTitle));

    picIcon = new QLabel(this);
    picIcon->setObjectName("picIcon");
    picIcon->setPixmap(VornIcon().pixmap(32, 32));
    Picture1 = new QLabel(this);
    Picture1->setObjectName("Picture1");
    Picture1->setPixmap(Logo());
    Label1 = new QLabel("Length-frequency analysis", this);
    Label1->setObjectName("Label1");

    lblVersion = new QLabel(VersionText(kMajor, kMinor), this);
    lblVersion->setObjectName("lblVersion");
    QFont f = lblVersion->font();
    f.setBold(true);
    lblVersion->setFont(f);
    lblDescription = new QLabel(WithLineBreaks(kDescription), this);
    lblDescription->setObjectName("lblDescription");
    lblDescription->setWordWrap(true);
    lblDisclaimer = new QLabel(QString::fromUtf8(kDisclaimer), this);
    lblDisclaimer->setObjectName("lblDisclaimer");
    lblDisclaimer->setWordWrap(true);

    cmdCitation = new QPushButton("&Citation", this);
    cmdCitation->setObjectName("cmdCitation");
    cmdOK = new QPushButton("OK", this);
    cmdOK->setObjectName("cmdOK");
    cmdOK->setDefault(true);

    auto* grid = new QGridLayout;
    grid->addWidget(picIcon, 0, 0, Qt::AlignTop);
    grid->addWidget(lblVersion, 0, 1);
    grid->addWidget(Picture1, 0, 2, 2, 1, Qt::AlignTop | Qt::AlignRight);
    grid->addWidget(Label1, 1, 1);
    grid->addWidget(lblDescription, 2, 1, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(lblDisclaimer, 1);
    auto* stack = new QVBoxLayout;
    stack->addWidget(cmdOK);
    stack->addWidget(cmdCitation);
    stack->addStretch();
    buttons->addLayout(stack);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    setMinimumWidth(460);

    // UI -> model
    connect(cmdOK, &QPushButton::clicked, this, [this] { accept(); });
    connect(cmdCitation, &QPushButton::clicked, this, [this] { cmdCitation_Click(); });
}

void frmAbout::cmdCitation_Click() {
    // A new citation window each time, modal over the about box.
    CitationsForm citation(this);
    citation.setWindowModality(Qt::WindowModal);
    citation.exec();
}
