#ifndef FRMMULTIPICKITEM_H
#define FRMMULTIPICKITEM_H
// The multiple pick list on screen: items not chosen on the left, chosen on the right,
// ">" and "<" to move the selected item across (a double click or Enter in a list does
// the same), ">>>" and "<<<" to move them all, OK and Cancel. Every entry carries its
// row of the master table.
#include <QDialog>

#include "IMultiPickItemView.h"
#include "MultiPickTable.h"

class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;

class frmMultiPickItem : public QDialog, public IMultiPickItemView {
    Q_OBJECT
public:
    explicit frmMultiPickItem(QWidget* parent = nullptr);

    void SetCaption(const std::string& text) override;
    void SetUnPickedLabel(const std::string& text) override;
    void SetPickedLabel(const std::string& text) override;
    void SetLabel(const std::string& text) override;
    MultiPickTable& Table() override { return table_; }
    void RefreshListBoxes() override;
    void ShowModal() override;
    bool bOK() const override { return bOK_; }

    QListWidget* lstUnSelected;
    QListWidget* lstSelected;
    QLabel* lblUnSelected;
    QLabel* lblSelected;
    QLabel* Label1;
    QGroupBox* Frame1;
    QPushButton* cmdSelectOne;
    QPushButton* cmdUnselectOne;
    QPushButton* cmdSelectAll;
    QPushButton* cmdUnselectAll;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override;

private:
    void cmdSelectOne_Click();
    void cmdUnselectOne_Click();
    void cmdSelectAll_Click();
    void cmdUnselectAll_Click();
    // Inverts the flag of every row listed in `list`.
    void InvertAll(QListWidget* list);
    // Inverts the flag of the row selected in `list`; false when none is selected.
    bool InvertSelected(QListWidget* list);

    MultiPickTable table_;
    bool bOK_ = false;
};

#endif
