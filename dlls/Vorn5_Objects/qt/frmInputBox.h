#ifndef FRMINPUTBOX_H
#define FRMINPUTBOX_H
// The input dialog on screen: one text box, a label, OK and Cancel. Its texts are the
// window's own; no caller sets them.
#include <QDialog>

#include "IInputBoxView.h"

class QLabel;
class QLineEdit;
class QPushButton;

class frmInputBox : public QDialog, public IInputBoxView {
    Q_OBJECT
public:
    explicit frmInputBox(QWidget* parent = nullptr);

    void SetText(const std::string& text) override;
    std::string Text() const override;
    void ShowModal() override;
    bool blnOK() const override { return blnOK_; }

    QLineEdit* txtInput;
    QLabel* lblInput;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

protected:
    void reject() override;

private:
    bool blnOK_ = false;
};

#endif
