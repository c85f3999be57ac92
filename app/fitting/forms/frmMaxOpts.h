#ifndef FRMMAXOPTS_H
#define FRMMAXOPTS_H
// Before a simplex maximisation: the grid's own bounds or typed bounds for the two gridded
// parameters, and whether to watch the search on the contour plot. Modal; the choice of
// bounds carries over to the next showing of the same instance.
#include <array>
#include <cstdint>

#include "ParamDialog.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QRadioButton;

class frmMaxOpts : public ParamDialog {
    Q_OBJECT
public:
    explicit frmMaxOpts(QWidget* parent = nullptr);

    void Create(int32_t GridType, int32_t GrowthCurve, float P1Lo, float P1Hi, float P2Lo, float P2Hi);
    float P1Lo() const { return cur_[0]; }
    float P1Hi() const { return cur_[1]; }
    float P2Lo() const { return cur_[2]; }
    float P2Hi() const { return cur_[3]; }
    bool ViewMax() const { return viewMax_; }
    bool OK() const { return OK_; }

    static constexpr int kHelpContext = 63;

    std::array<QRadioButton*, 2> OptRange{};
    QLineEdit* txtP1Lo;
    QLineEdit* txtP1Hi;
    QLineEdit* txtP2Lo;
    QLineEdit* txtP2Hi;
    QLabel* lblP1;
    QLabel* lblP2;
    QCheckBox* chkViewMax;
    QGroupBox* fmeMaxOpts;
    QLabel* Label1;
    QLabel* Label2;

protected:
    void reject() override;

private:
    void RefreshControls();
    void RefreshBounds();
    void cmdOK_Click();

    int32_t gridType_ = 0, growthCurve_ = 0;
    std::array<float, 4> cur_{}, grid_{};
    bool viewMax_ = false, OK_ = false, useGrid_ = true;
};

#endif
