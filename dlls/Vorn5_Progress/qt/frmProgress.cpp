#include "frmProgress.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

frmProgress::frmProgress(QWidget* parent) : QDialog(parent) {
    setObjectName("frmProgress");
    setWindowTitle("Progress...");
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose, false);

    prgProgress = new QProgressBar(this);
    prgProgress->setObjectName("prgProgress");
    prgProgress->setRange(0, 100);
    prgProgress->setValue(0);
    prgProgress->setTextVisible(false);
    lblTimeElapsed = new QLabel(this);
    lblTimeElapsed->setObjectName("lblTimeElapsed");
    lblTimeLeft = new QLabel(this);
    lblTimeLeft->setObjectName("lblTimeLeft");
    cmdCancel = new QPushButton("Cancel", this);
    cmdCancel->setObjectName("cmdCancel");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prgProgress);
    layout->addWidget(lblTimeElapsed);
    layout->addWidget(lblTimeLeft);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdCancel);
    layout->addLayout(buttons);
    resize(360, 130);

    // UI -> model
    connect(cmdCancel, &QPushButton::clicked, this, [this] { blnCancelPressed = true; });
}

void frmProgress::SetCaption(const std::string& text) { setWindowTitle(QString::fromStdString(text)); }

std::string frmProgress::Caption() const { return windowTitle().toStdString(); }

void frmProgress::SetMin(int16_t value) { prgProgress->setMinimum(value); }

void frmProgress::SetMax(int16_t value) { prgProgress->setMaximum(value); }

int16_t frmProgress::Max() const { return static_cast<int16_t>(prgProgress->maximum()); }

void frmProgress::SetValue(int16_t value) { prgProgress->setValue(value); }

int16_t frmProgress::Value() const { return static_cast<int16_t>(prgProgress->value()); }

void frmProgress::SetElapsedText(const std::string& text) { lblTimeElapsed->setText(QString::fromStdString(text)); }

void frmProgress::SetTimeLeftText(const std::string& text) { lblTimeLeft->setText(QString::fromStdString(text)); }

std::string frmProgress::TimeLeftText() const { return lblTimeLeft->text().toStdString(); }

void frmProgress::ShowWindow() {
    show();
    raise();
}

void frmProgress::Repaint() { repaint(); }

void frmProgress::closeEvent(QCloseEvent* event) {
    blnCancelPressed = true;
    event->ignore();
}

void frmProgress::reject() { blnCancelPressed = true; }

void InstallQtProgressWindows() {
    SetProgressViewFactory([]() -> std::unique_ptr<IProgressView> { return std::make_unique<frmProgress>(); });
}
