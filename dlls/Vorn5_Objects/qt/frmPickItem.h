#ifndef FRMPICKITEM_H
#define FRMPICKITEM_H
// The pick list on screen: a list, a label, OK and Cancel. OK (the button, a double click
// or Enter in the list) takes the selected item and hides the window; with nothing
// selected it does nothing. Cancel, Esc and the close box hide it with nothing chosen.
#include <QDialog>

#include "IPickItemView.h"

class QLabel;
class QListWidget;
class QPushButton;

class frmPickItem : public QDialog, public IPickItemView {
    Q_OBJECT
public:
    explicit frmPickItem(QWidget* parent = nullptr);

    void SetCaption(const std::string& text) override;
    void SetLabel(const std::string& text) override;
    void setvntListContents(const std::vector<std::string>& items) override;
    void ShowModal() override;
    bool mblnOK() const override { return mblnOK_; }
    int16_t intChosen() const override { return intChosen_; }
    std::string strChosen() const override { return strChosen_; }

    QListWidget* lstPickList;
    QLabel* lblPickList;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override;

private:
    void cmdOK_Click();
    void cmdCancel_Click();

    std::vector<std::string> vntListContents_;
    int16_t intChosen_ = 0;
    std::string strChosen_;
    bool mblnOK_ = false;
};

#endif
