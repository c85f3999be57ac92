#include "frmNumberFormat.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include "Hald_Error.h"
#include "MVornGlobs.h"
#include "StringTable.h"
#include "forms/FormsService.h"
#include "vb/VbError.h"
#include "vb/VbRuntime.h"

namespace {

constexpr int kResBase = 600;
QString Res(int k) { return QString::fromStdString(res::LoadResString(MVornGlobs::LangBase + kResBase + k)); }

[[noreturn]] void RaiseInvalidFormat() {
    throw VbError(vbObjectError + frmNumberFormat::kInvalidNumberFormat, "_frmNumberFormat", "Invalid Number Format");
}

// The data of the selected item of a list; the format error when none is selected.
int32_t SelectedData(const QListWidget* list) {
    const QList<QListWidgetItem*> items = list->selectedItems();
    if (items.isEmpty()) RaiseInvalidFormat();
    return items.front()->data(Qt::UserRole).toInt();
}

}  // namespace

frmNumberFormat::frmNumberFormat(QWidget* parent) : QDialog(parent) {
    setObjectName("frmNumberFormat");
    setWindowTitle(Res(4));
    setModal(true);
    lblCategory = new QLabel(Res(5), this);
    lblCategory->setObjectName("lblCategory");
    lstFormat = new QListWidget(this);
    lstFormat->setObjectName("lstFormat");
    for (int k = 1; k <= 3; ++k) {
        auto* item = new QListWidgetItem(Res(k), lstFormat);
        item->setData(Qt::UserRole, k);
    }
    frmSample = new QGroupBox(Res(6), this);
    frmSample->setObjectName("frmSample");
    lblSample = new QLabel(frmSample);
    lblSample->setObjectName("lblSample");
    lblDecPlaces = new QLabel(Res(7), this);
    lblDecPlaces->setObjectName("lblDecPlaces");
    lstDecPlaces = new QListWidget(this);
    lstDecPlaces->setObjectName("lstDecPlaces");
    for (int d = 15; d >= 0; --d) {
        auto* item = new QListWidgetItem(QString::number(d), lstDecPlaces);
        item->setData(Qt::UserRole, d);
    }
    for (QListWidget* list : {lstFormat, lstDecPlaces}) list->installEventFilter(this);
    cmdOK = new QPushButton(Res(8), this);
    cmdOK->setObjectName("cmdOK");
    cmdCancel = new QPushButton(Res(9), this);
    cmdCancel->setObjectName("cmdCancel");
    cmdHelp = new QPushButton(QString::fromStdString(MVornGlobs::HelpCaption2), this);
    cmdHelp->setObjectName("cmdHelp");

    auto* sampleLayout = new QVBoxLayout(frmSample);
    sampleLayout->addWidget(lblSample);
    auto* left = new QVBoxLayout;
    left->addWidget(lblCategory);
    left->addWidget(lstFormat);
    left->addWidget(frmSample);
    auto* middle = new QVBoxLayout;
    middle->addWidget(lblDecPlaces);
    middle->addWidget(lstDecPlaces);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    buttons->addWidget(cmdHelp);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(middle);
    layout->addLayout(buttons);
    lstFormat->setFixedHeight(lstFormat->sizeHintForRow(0) * 3 + 2 * lstFormat->frameWidth() + 4);
    lstDecPlaces->setFixedSize(60, lstDecPlaces->sizeHintForRow(0) * 6 + 2 * lstDecPlaces->frameWidth());
    resize(380, 190);

    // UI -> model
    auto handle = [this](void (frmNumberFormat::*handler)()) {
        return [this, handler] {
            try {
                (this->*handler)();
            } catch (const VbError& e) {
                mErr.HandleError(e, "_frmNumberFormat");
            }
        };
    };
    connect(lstFormat, &QListWidget::itemSelectionChanged, this, handle(&frmNumberFormat::ListClick));
    connect(lstDecPlaces, &QListWidget::itemSelectionChanged, this, handle(&frmNumberFormat::ListClick));
    // Scrolling the decimal places picks the top one shown.
    connect(lstDecPlaces->verticalScrollBar(), &QScrollBar::actionTriggered, this, [this] {
        QTimer::singleShot(0, this, [this] {
            const QModelIndex top = lstDecPlaces->indexAt(QPoint(1, 1));
            if (top.isValid()) lstDecPlaces->setCurrentRow(top.row());
        });
    });
    connect(cmdOK, &QPushButton::clicked, this, handle(&frmNumberFormat::cmdOK_Click));
    connect(cmdCancel, &QPushButton::clicked, this, handle(&frmNumberFormat::cmdCancel_Click));
    connect(cmdHelp, &QPushButton::clicked, this, handle(&frmNumberFormat::cmdHelp_Click));
}

std::string frmNumberFormat::BuildFormat(int32_t k, int16_t d) {
    const std::string base = d < 1 ? "0" : "0.";
    const std::string zeros(static_cast<std::size_t>(std::max<int16_t>(d, 0)), '0');
    if (k == 2) return "#," + base + zeros;
    if (k == 3) return base + zeros + "E+";
    return base + zeros;
}

void frmNumberFormat::showEvent(QShowEvent* event) {
    if (!loaded_) Load();
    QDialog::showEvent(event);
}

void frmNumberFormat::Load() {
    loaded_ = true;
    const QSignalBlocker blockFormat(lstFormat), blockDec(lstDecPlaces);
    // A preset outside the list selects nothing; OK then says the format is invalid.
    const int decRow = 15 - decPlaces_;
    if (decRow >= 0 && decRow <= 15) lstDecPlaces->setCurrentRow(decRow);
    else lstDecPlaces->clearSelection();
    lstFormat->setCurrentRow(tFormat_ == 2 ? 1 : tFormat_ == 3 ? 2 : 0);
    ApplyFormat(tFormat_, decPlaces_);
    lstFormat->setFocus();
}

void frmNumberFormat::ApplyFormat(int32_t k, int16_t d) {
    numFormat_ = BuildFormat(k, d);
    lblSample->setText(QString::fromStdString(vb::Format(sample_, numFormat_)));
    decPlaces_ = d;
}

void frmNumberFormat::ListClick() {
    if (lstFormat->selectedItems().isEmpty() || lstDecPlaces->selectedItems().isEmpty()) return;
    ApplyFormat(SelectedData(lstFormat), static_cast<int16_t>(SelectedData(lstDecPlaces)));
}

void frmNumberFormat::cmdOK_Click() {
    const int32_t k = SelectedData(lstFormat);
    const int32_t d = SelectedData(lstDecPlaces);
    if (k > 3 || d < 0 || d > 15) RaiseInvalidFormat();
    ApplyFormat(k, static_cast<int16_t>(d));
    OK_ = true;
    hide();
}

void frmNumberFormat::cmdCancel_Click() {
    OK_ = false;
    hide();
}

void frmNumberFormat::cmdHelp_Click() { forms::Forms().ShowHelp(MVornGlobs::HelpFilePath, 1, kHelpContext); }

void frmNumberFormat::reject() { cmdCancel_Click(); }

bool frmNumberFormat::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == lstFormat || watched == lstDecPlaces) && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        try {
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                cmdOK_Click();
                return true;
            }
            if (key == Qt::Key_Escape) {
                cmdCancel_Click();
                return true;
            }
        } catch (const VbError& e) {
            mErr.HandleError(e, "_frmNumberFormat");
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
