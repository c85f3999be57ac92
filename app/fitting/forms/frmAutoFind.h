#ifndef FRMAUTOFIND_H
#define FRMAUTOFIND_H
// Before an automatic seasonal fit: the seasonal curve, the scoring method and the ranges
// of K and Linf. Modal; OK writes the chosen curve into the bound parameter set.
#include <array>
#include <cstdint>
#include <memory>

#include "ParamDialog.h"

class QGroupBox;
class QLabel;
class QRadioButton;
class clsGrowthParams;

class frmAutoFind : public ParamDialog {
    Q_OBJECT
public:
    explicit frmAutoFind(QWidget* parent = nullptr);
    ~frmAutoFind() override;

    // The number in txtParamHi(i) / txtParamLo(i) (0 K, 1 Linf; 0 for any other i). A text
    // that is no number raises 13.
    float ParamHi(int32_t i) const;
    float ParamLo(int32_t i) const;
    int32_t GrowthCurve() const { return growthCurve_; }   // 1 Hoenig, 2 Pauly
    int32_t Method() const { return method_; }             // 1 PROJMAT, 2 ELEFAN
    clsGrowthParams& GrowthParams();
    bool OK() const { return OK_; }
    // Binds the parameter set and fills the boxes from it.
    void Create(clsGrowthParams& GrowthParams);
    // The smallest length of the data set to be fitted: OK refuses a Linf range that does
    // not reach above it.
    void setMinLength(float MinLength) { minLength_ = MinLength; }

    // Makes this dialog the one the automatic fit asks its settings with.
    static void Install();

    static constexpr int kHelpContext = 65;

    QGroupBox* fmeRanges;
    QGroupBox* fmeModel;
    QGroupBox* fmeGC;
    std::array<QRadioButton*, 3> optMeth{};   // 1 PROJMAT, 2 ELEFAN
    std::array<QRadioButton*, 3> optGC{};     // 1 Hoenig, 2 Pauly
    std::array<QLabel*, 2> lblParam{};
    std::array<QLineEdit*, 2> txtParamLo{}, txtParamHi{};

protected:
    void reject() override;

private:
    void cmdOK_Click();
    void cmdCancel_Click();

    clsGrowthParams* params_ = nullptr;
    std::unique_ptr<clsGrowthParams> ownParams_;
    int32_t growthCurve_ = 1;
    int32_t method_ = 2;
    float minLength_ = 0;
    bool OK_ = false;
};

#endif
