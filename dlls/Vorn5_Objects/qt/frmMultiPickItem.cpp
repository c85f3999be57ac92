#include "frmMultiPickItem.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "forms/HandlerGuard.h"

namespace {

int16_t RowOf(const QListWidgetItem* item) { return static_cast<int16_t>(item->data(Qt::UserRole).toInt()); }

void SelectTopVisible(QListWidget* list) {
    if (list->count() == 0) return;
    const QModelIndex top = list->indexAt(QPoint(1, 1));
    list->setCurrentRow(top.isValid() ? top.row() : 0);
}

}  // namespace

frmMultiPickItem::frmMultiPickItem(QWidget* parent) : QDialog(parent) {
    setObjectName("frmMultiPickItem");
    setWindowTitle("Form1");
    setModal(true);
    auto make = [this](QPushButton*& button, const char* name, const char* text) {
        button = new QPushButton(text, this);
        button->setObjectName(name);
    };
    auto makeList = [this](QListWidget*& list, const char* name) {
        list = new QListWidget(this);
        list->setObjectName(name);
        list->installEventFilter(this);
    };
    Frame1 = new QGroupBox(this);
    Frame1->setObjectName("Frame1");
    Label1 = new QLabel("Label1", Frame1);
    Label1->setObjectName("Label1");
    Label1->setWordWrap(true);
    lblUnSelected = new QLabel("lblUnSelected", this);
    lblUnSelected->setObjectName("lblUnSelected");
    lblSelected = new QLabel("lblSelected", this);
    lblSelected->setObjectName("lblSelected");
    makeList(lstUnSelected, "lstUnSelected");
    makeList(lstSelected, "lstSelected");
    make(cmdSelectOne, "cmdSelectOne", ">");
    make(cmdUnselectOne, "cmdUnselectOne", "<");
    make(cmdSelectAll, "cmdSelectAll", ">>>");
    make(cmdUnselectAll, "cmdUnselectAll", "<<<");
    make(cmdOK, "cmdOK", "&OK");
    make(cmdCancel, "cmdCancel", "&Cancel");

    auto* frameLayout = new QVBoxLayout(Frame1);
    frameLayout->addWidget(Label1);
    auto* moves = new QVBoxLayout;
    moves->addStretch();
    for (QPushButton* b : {cmdSelectOne, cmdUnselectOne, cmdSelectAll, cmdUnselectAll}) moves->addWidget(b);
    moves->addStretch();
    auto* lists = new QGridLayout;
    lists->addWidget(lblUnSelected, 0, 0);
    lists->addWidget(lblSelected, 0, 2);
    lists->addWidget(lstUnSelected, 1, 0);
    lists->addLayout(moves, 1, 1);
    lists->addWidget(lstSelected, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Frame1);
    layout->addLayout(lists, 1);
    layout->addLayout(buttons);
    resize(460, 320);

    // UI -> model
    auto on = [this](auto* sender, auto signal, void (frmMultiPickItem::*handler)()) {
        connect(sender, signal, this, [this, handler] { forms::RunHandler([&] { (this->*handler)(); }); });
    };
    on(cmdSelectOne, &QPushButton::clicked, &frmMultiPickItem::cmdSelectOne_Click);
    on(cmdUnselectOne, &QPushButton::clicked, &frmMultiPickItem::cmdUnselectOne_Click);
    on(cmdSelectAll, &QPushButton::clicked, &frmMultiPickItem::cmdSelectAll_Click);
    on(cmdUnselectAll, &QPushButton::clicked, &frmMultiPickItem::cmdUnselectAll_Click);
    on(lstUnSelected, &QListWidget::itemDoubleClicked, &frmMultiPickItem::cmdSelectOne_Click);
    on(lstSelected, &QListWidget::itemDoubleClicked, &frmMultiPickItem::cmdUnselectOne_Click);
    connect(cmdOK, &QPushButton::clicked, this, [this] {
        bOK_ = true;
        hide();
    });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { hide(); });
}

void frmMultiPickItem::SetCaption(const std::string& text) { setWindowTitle(QString::fromStdString(text)); }
void frmMultiPickItem::SetUnPickedLabel(const std::string& text) { lblUnSelected->setText(QString::fromStdString(text)); }
void frmMultiPickItem::SetPickedLabel(const std::string& text) { lblSelected->setText(QString::fromStdString(text)); }
void frmMultiPickItem::SetLabel(const std::string& text) { Label1->setText(QString::fromStdString(text)); }

void frmMultiPickItem::RefreshListBoxes() {
    lstUnSelected->clear();
    lstSelected->clear();
    for (int16_t i = 1; i <= table_.iNumRows(); ++i) {
        auto* item = new QListWidgetItem(QString::fromStdString(table_.vMasterData(i)),
                                         table_.bMasterFlag(i) ? lstSelected : lstUnSelected);
        item->setData(Qt::UserRole, static_cast<int>(i));
    }
    for (QListWidget* list : {lstUnSelected, lstSelected})
        if (list->count() > 0) list->setCurrentRow(0);
}

void frmMultiPickItem::ShowModal() {
    bOK_ = false;
    exec();
}

bool frmMultiPickItem::InvertSelected(QListWidget* list) {
    const QList<QListWidgetItem*> selected = list->selectedItems();
    if (selected.isEmpty()) return false;
    const int16_t row = RowOf(selected.front());
    table_.setbMasterFlag(row, !table_.bMasterFlag(row));
    return true;
}

void frmMultiPickItem::cmdSelectOne_Click() {
    InvertSelected(lstUnSelected);
    RefreshListBoxes();
    SelectTopVisible(lstSelected);
    SelectTopVisible(lstUnSelected);
}

void frmMultiPickItem::cmdUnselectOne_Click() {
    InvertSelected(lstSelected);
    RefreshListBoxes();
    SelectTopVisible(lstSelected);
}

void frmMultiPickItem::cmdSelectAll_Click() { InvertAll(lstUnSelected); }
void frmMultiPickItem::cmdUnselectAll_Click() { InvertAll(lstSelected); }

void frmMultiPickItem::InvertAll(QListWidget* list) {
    for (int k = 0; k < list->count(); ++k) {
        const int16_t row = RowOf(list->item(k));
        table_.setbMasterFlag(row, !table_.bMasterFlag(row));
    }
    RefreshListBoxes();
}

void frmMultiPickItem::reject() { hide(); }

bool frmMultiPickItem::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            forms::RunHandler([&] {
                if (watched == lstUnSelected) cmdSelectOne_Click();
                else if (watched == lstSelected) cmdUnselectOne_Click();
            });
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
