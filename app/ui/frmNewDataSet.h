#ifndef FRMNEWDATASET_H
#define FRMNEWDATASET_H
// File > New's dialog: the description and the dimensions of an empty data set. Each
// number is checked when the user leaves its box (not when the focus goes to Cancel) and
// all of them again on OK, so Enter cannot pass a value that was never checked; one action
// shows one message (BoxChecks). The caller shows a fresh dialog modally, then reads OK
// and the values.
#include <QDialog>
#include <string>

#include "BoxChecks.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class frmNewDataSet : public QDialog {
    Q_OBJECT
public:
    explicit frmNewDataSet(QWidget* parent = nullptr);

    bool OK() const { return OK_; }
    std::string FileDesc() const;
    // The numbers as typed, in single precision (raise 13 when a text is not a number).
    float MinLength() const;
    float ClassSize() const;
    float NumClasses() const;

    static constexpr int kHelpContext = 49;
    static constexpr int kMaxDescription = 257;

    QGroupBox* fmeParams;
    QLabel* lblDesc;
    QLineEdit* txtDesc;
    QLabel* lblMinL;
    QLineEdit* txtMinL;
    QLabel* lblClassSize;
    QLineEdit* txtClassSize;
    QLabel* lblNumClasses;
    QLineEdit* txtNumClasses;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
    QPushButton* cmdHelp;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override;  // Esc and the close box: Cancel

private:
    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdHelp_Click();
    // The check of one number box: its range, and the message when the text is out of it
    // or no number. True when the text passes.
    bool CheckNumber(QLineEdit* box, double low, double high, int message);

    bool OK_ = false;
    BoxChecks checks_;
};

#endif
