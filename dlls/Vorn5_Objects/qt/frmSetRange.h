#ifndef FRMSETRANGE_H
#define FRMSETRANGE_H
// The range dialog on screen: a low and a high box in a frame, OK and Cancel. Entering a
// box selects its text. OK accepts only two numbers with high above low; otherwise it
// says "Invalid Range Specified" and puts the focus back into a box.
#include <QDialog>

#include "ISetRangeView.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class frmSetRange : public QDialog, public ISetRangeView {
    Q_OBJECT
public:
    explicit frmSetRange(QWidget* parent = nullptr);

    void Load(float sngLow, float sngHigh) override;
    void SetCaption(const std::string& text) override;
    void SetRangeLabel(const std::string& text) override;
    void SetHiLabel(const std::string& text) override;
    void SetLoLabel(const std::string& text) override;
    void ShowModal() override;
    bool mblnOK() const override { return mblnOK_; }
    float sngLow() const override { return sngLow_; }
    float sngHigh() const override { return sngHigh_; }

    QGroupBox* Frame1;
    QLineEdit* txtLow;
    QLineEdit* txtHigh;
    QLabel* lblHL[2];  // 0 beside the high box, 1 beside the low box
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

protected:
    void reject() override;

private:
    void cmdOK_Click();
    void cmdCancel_Click();

    float sngLow_ = 0.0f;
    float sngHigh_ = 0.0f;
    bool mblnOK_ = false;
};

#endif
