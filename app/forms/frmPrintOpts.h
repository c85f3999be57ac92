#ifndef FRMPRINTOPTS_H
#define FRMPRINTOPTS_H
// What a printed or saved result report holds: the result lines, the raw grid data, or
// both. The caller shows it for printing or for saving, then reads OK and the two ticks;
// the dialog only hides, so one instance keeps the user's ticks between showings.
#include <QDialog>

class QCheckBox;
class QGroupBox;
class QPushButton;

class frmPrintOpts : public QDialog {
    Q_OBJECT
public:
    explicit frmPrintOpts(QWidget* parent = nullptr);

    // Modal; return when the dialog is hidden.
    void ShowSave();
    void ShowPrint();
    bool WithRes() const;
    bool OK() const { return OK_; }
    bool WithGridData() const;

    QGroupBox* fmePrintOpts;
    QCheckBox* chkRes;
    QCheckBox* chkGridData;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

protected:
    void reject() override;

private:
    void Show(bool printMode);
    bool OK_ = false;
    bool printMode_ = false;
};

#endif
