#ifndef FRMNUMBERFORMAT_H
#define FRMNUMBERFORMAT_H
// Edit > Number's dialog: how the numbers of whole grid columns are shown, as a category
// (Fixed, Standard, Scientific) and 0 to 15 decimal places, with a sample value shown in
// the chosen format. The caller sets DecPlaces, TFormat and Sample, shows it modally, and
// reads OK and NumFormat.
#include <QDialog>
#include <cstdint>
#include <string>

#include "Hald_Error.h"

class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;

class frmNumberFormat : public QDialog {
    Q_OBJECT
public:
    explicit frmNumberFormat(QWidget* parent = nullptr);

    void setSample(double value) { sample_ = value; }
    int16_t DecPlaces() const { return decPlaces_; }
    void setDecPlaces(int16_t value) { decPlaces_ = value; }
    const std::string& NumFormat() const { return numFormat_; }
    // 1 Fixed, 2 Standard, 3 Scientific.
    void setTFormat(int32_t value) { tFormat_ = value; }
    bool OK() const { return OK_; }

    // The format of category k with d decimals: "0.00", "#,0.00", "0.00E+", ...
    static std::string BuildFormat(int32_t k, int16_t d);

    static constexpr int kHelpContext = 57;
    static constexpr int32_t kInvalidNumberFormat = 2352;

    QLabel* lblCategory;
    QListWidget* lstFormat;
    QGroupBox* frmSample;
    QLabel* lblSample;
    QLabel* lblDecPlaces;
    QListWidget* lstDecPlaces;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
    QPushButton* cmdHelp;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override;  // Esc and the close box: Cancel

private:
    void Load();
    // Rebuilds the format from the two lists' selected items (when both have one).
    void ListClick();
    void ApplyFormat(int32_t k, int16_t d);
    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdHelp_Click();

    double sample_ = 0.0;
    int16_t decPlaces_ = 0;
    int32_t tFormat_ = 1;
    std::string numFormat_;
    bool OK_ = false;
    Hald_Error mErr;  // errors of OK are shown and logged; the dialog stays open
    bool loaded_ = false;
};

#endif
