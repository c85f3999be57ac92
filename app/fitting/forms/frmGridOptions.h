#ifndef FRMGRIDOPTIONS_H
#define FRMGRIDOPTIONS_H
// The grid of a grid search: bounds and evaluation counts of the two parameters the grid
// type varies, the two seasonal parameters held fixed, and what to plot afterwards.
// Bounds and counts are kept for all six growth parameters, so switching the grid type
// offers the stored values of the newly gridded ones. Modal; OK and Cancel only hide.
#include <array>
#include <cstdint>

#include "ParamDialog.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class clsGrowthParams;

class frmGridOptions : public ParamDialog {
    Q_OBJECT
public:
    explicit frmGridOptions(QWidget* parent = nullptr);

    void Create(clsGrowthParams& GrowthParams);
    clsGrowthParams* GrowthParams() const { return params_; }
    bool OK() const { return OK_; }
    float P1Lo() const;
    float P1Hi() const;
    float P2Lo() const;
    float P2Hi() const;
    float P1Evals() const;
    float P2Evals() const;
    bool WithContour() const;
    bool WithFit() const { return withFit_; }

    static constexpr int kHelpContext = 62;

    std::array<QLineEdit*, 2> txtLo{}, txtHi{}, txtEvals{}, txtFixed{};
    std::array<QLabel*, 2> lblParamLo{}, lblFixed{}, lblEvals{};
    QCheckBox* chkFit;
    QCheckBox* chkContour;
    QGroupBox* fmeGridBoundary;
    QGroupBox* fmePlot;
    QGroupBox* fmeFixed;
    QLabel* Label2;
    QLabel* Label3;

protected:
    void reject() override;

private:
    void Fill();
    void RefreshContourBox();
    bool CheckEvals(int i);
    int32_t FixedParam(int i) const;
    int32_t GridParam(int i) const;
    void cmdOK_Click();
    void cmdCancel_Click();

    clsGrowthParams* params_ = nullptr;
    std::array<float, 6> lo_{}, hi_{};
    std::array<int32_t, 6> evals_{};
    bool withFit_ = false, withContour_ = false;
    bool OK_ = false;
    bool defaultsSet_ = false;
};

#endif
