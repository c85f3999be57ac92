#ifndef FRMCITATION_H
#define FRMCITATION_H
// The citation window: the reference by which the program is to be cited.
#include <QDialog>

class QPlainTextEdit;
class QPushButton;

class CitationsForm : public QDialog {
public:
    explicit CitationsForm(QWidget* parent = nullptr);

    QPlainTextEdit* Text1;
    QPushButton* cmdOK;

    static const char* const kReference;
};

#endif
