#include "frmProgressUnknown.h"

#include <QCloseEvent>
#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "Twips.h"

namespace {
constexpr int kStep = 100;
constexpr int kWidth = 4500, kHeight = 1800;  // twips
}  // namespace

int frmProgressUnknown::px(int width) const { return twips::ToPixels(width, font()); }

frmProgressUnknown::frmProgressUnknown(QWidget* parent) : QDialog(parent) {
    setObjectName("frmProgressUnknown");
    setModal(false);
    setFixedSize(px(kWidth), px(kHeight));

    Label = new QLabel(this);
    Label->setObjectName("Label");
    Label->setGeometry(px(120), px(120), px(kWidth - 240), px(450));
    Label->setWordWrap(true);

    lblDot = new QLabel(".", this);
    lblDot->setObjectName("lblDot");
    QFont heavy("Arial Black");
    heavy.setStyleHint(QFont::SansSerif);
    heavy.setWeight(QFont::Black);
    heavy.setPixelSize(px(480));
    lblDot->setFont(heavy);
    lblDot->setAlignment(Qt::AlignLeft | Qt::AlignBottom);

    cmdCancel = new QPushButton("Cancel", this);
    cmdCancel->setObjectName("cmdCancel");
    cmdCancel->setGeometry(px(kWidth / 2 - 600), px(kHeight - 600), px(1200), px(380));

    Timer1 = new QTimer(this);
    Timer1->setInterval(200);

    // Loading puts the dot at the left edge.
    dotLeft_ = kStep;
    PlaceDot();

    // UI -> model
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
}

int frmProgressUnknown::WidthTwips() const { return twips::FromPixels(width(), font()); }

int frmProgressUnknown::NextDotLeft(int left, int width) {
    return left >= width - kStep ? kStep : left + kStep;
}

void frmProgressUnknown::PlaceDot() {
    // The dot is narrower than one step, so it never reaches past the right edge.
    lblDot->setGeometry(px(dotLeft_), px(600), px(kStep - 10), px(450));
}

void frmProgressUnknown::Timer1_Timer() {
    dotLeft_ = NextDotLeft(dotLeft_, WidthTwips());
    PlaceDot();
}

void frmProgressUnknown::ShowWindow() {
    show();
    raise();
    Timer1->start();
}

void frmProgressUnknown::HideWindow() {
    Timer1->stop();
    hide();
}

void frmProgressUnknown::SetCaption(const std::string& text) { setWindowTitle(QString::fromStdString(text)); }

void frmProgressUnknown::SetLabel(const std::string& text) { Label->setText(QString::fromStdString(text)); }

void frmProgressUnknown::cmdCancel_Click() {
    cancelFlag = true;
    HideWindow();
    if (onCancelPressed) onCancelPressed();
}

void frmProgressUnknown::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (isVisible()) cmdCancel_Click();
}

void frmProgressUnknown::reject() {
    if (isVisible()) cmdCancel_Click();
}

void InstallQtProgressUnknownWindows() {
    SetProgressUnknownViewFactory(
        []() -> std::unique_ptr<IProgressUnknownView> { return std::make_unique<frmProgressUnknown>(); });
}
