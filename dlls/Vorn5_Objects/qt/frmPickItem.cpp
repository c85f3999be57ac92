#include "frmPickItem.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

frmPickItem::frmPickItem(QWidget* parent) : QDialog(parent) {
    setObjectName("frmPickItem");
    setWindowTitle("frmPickList");
    setModal(true);
    lblPickList = new QLabel("lblPickList", this);
    lblPickList->setObjectName("lblPickList");
    lstPickList = new QListWidget(this);
    lstPickList->setObjectName("lstPickList");
    lstPickList->installEventFilter(this);
    cmdOK = new QPushButton("&OK", this);
    cmdOK->setObjectName("cmdOK");
    cmdCancel = new QPushButton("&Cancel", this);
    cmdCancel->setObjectName("cmdCancel");

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblPickList);
    layout->addWidget(lstPickList, 1);
    layout->addLayout(buttons);
    resize(300, 260);

    // UI -> model
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    connect(lstPickList, &QListWidget::itemDoubleClicked, this, [this] { cmdOK_Click(); });
}

void frmPickItem::SetCaption(const std::string& text) { setWindowTitle(QString::fromStdString(text)); }

void frmPickItem::SetLabel(const std::string& text) { lblPickList->setText(QString::fromStdString(text)); }

void frmPickItem::setvntListContents(const std::vector<std::string>& items) {
    vntListContents_ = items;
    lstPickList->clear();
    for (std::size_t k = 0; k < items.size(); ++k) {
        auto* item = new QListWidgetItem(QString::fromStdString(items[k]), lstPickList);
        item->setData(Qt::UserRole, static_cast<int>(k + 1));
    }
    if (lstPickList->count() > 0) lstPickList->setCurrentRow(0);
}

void frmPickItem::ShowModal() {
    // Loading clears the last answer.
    intChosen_ = 0;
    strChosen_.clear();
    mblnOK_ = false;
    lstPickList->setFocus();
    exec();
}

void frmPickItem::cmdOK_Click() {
    const QList<QListWidgetItem*> selected = lstPickList->selectedItems();
    if (selected.isEmpty()) return;
    mblnOK_ = true;
    intChosen_ = static_cast<int16_t>(selected.front()->data(Qt::UserRole).toInt());
    strChosen_ = selected.front()->text().toStdString();
    hide();
}

void frmPickItem::cmdCancel_Click() {
    mblnOK_ = false;
    hide();
}

void frmPickItem::reject() { cmdCancel_Click(); }

bool frmPickItem::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lstPickList && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            cmdOK_Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
