#ifndef FRMPLOTFIT_H
#define FRMPLOTFIT_H
// A growth curve typed by the user, drawn over the data set's length-frequency plot as
// often as wanted ("Plot" keeps the dialog open). Each plot writes the curve into the
// bound growth parameters; Close leaves the last plotted values there.
#include <array>

#include "ParamDialog.h"

class QGroupBox;
class QLabel;
class QRadioButton;
class clsGrowthParams;
class clsVorn;

class frmPlotFit : public ParamDialog {
    Q_OBJECT
public:
    explicit frmPlotFit(QWidget* parent = nullptr);

    void Create(clsVorn& DataSet, clsGrowthParams& GrowthParams);
    bool OK() const { return open_; }
    clsGrowthParams* GrowthParams() const { return params_; }

    static constexpr int kHelpContext = 60;

    std::array<QRadioButton*, 3> optGC{};
    std::array<QLineEdit*, 6> txtParam{};
    std::array<QLabel*, 6> lblParam{};
    QGroupBox* fmeGC;
    QGroupBox* fmeParams;

protected:
    void reject() override;

private:
    void optGC_Click(int i);
    void cmdOK_Click();

    clsVorn* data_ = nullptr;
    clsGrowthParams* params_ = nullptr;
    int curve_ = 0;  // the frame's tag: the chosen curve
    bool open_ = true;
};

#endif
