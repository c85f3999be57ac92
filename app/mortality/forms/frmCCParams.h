#ifndef FRMCCPARAMS_H
#define FRMCCPARAMS_H
// Asks for K and Linf before the catch curve is built. Modal; OK is True only after OK was
// pressed with both values accepted.
#include "ParamDialog.h"

class QGroupBox;
class QLabel;

class frmCCParams : public ParamDialog {
    Q_OBJECT
public:
    explicit frmCCParams(QWidget* parent = nullptr);

    bool OK() const { return OK_; }
    float kval() const { return k_; }
    float Linfval() const { return linf_; }
    // The values shown.
    void Create(float K, float Linf);

    static constexpr int kHelpContext = 67;

    QGroupBox* fmeParams;
    QLabel* lblK;
    QLabel* lblLinf;
    QLineEdit* txtK;
    QLineEdit* txtLinf;

protected:
    void reject() override;

private:
    void cmdOK_Click();
    // A value strictly between 0 and `below`; otherwise the message, titled with the
    // box's label, and false.
    bool CheckValue(QLineEdit* box, QLabel* label, double below, const char* message);

    float k_ = 0, linf_ = 0;
    bool OK_ = false;
};

#endif
