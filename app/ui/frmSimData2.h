#ifndef FRMSIMDATA2_H
#define FRMSIMDATA2_H
// The four-step simulation wizard. It edits a private copy of the caller's simulation
// parameters: each field is checked and stored into the copy when the user leaves it, and
// only Finish copies the whole set back. Cancel leaves the caller's parameters untouched.
// Step 4 previews the selectivity curve.
#include <QDialog>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "clsSimData.h"

class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QVBoxLayout;
namespace chartqt {
class GraphControlWidget;
}

class frmSimData2 : public QDialog {
    Q_OBJECT
public:
    explicit frmSimData2(QWidget* parent = nullptr);
    ~frmSimData2() override;

    // Keeps the caller's object (which must outlive the wizard) and fills the working
    // copy from it. Called before the wizard is shown.
    void Create(clsSimData& sim);
    // True after Finish.
    bool OK() const { return mOK; }

    // Makes clsSimData::UserInputSimParameters show this wizard, modal without an owner.
    static void Install();

    int32_t CurrentStep() const { return mStep; }
    const clsSimData& WorkingCopy() const { return *mWork; }

    // ---- controls (named as the program's forms name them) ----
    QLabel* lblInfo = nullptr;
    QGroupBox* fmeData = nullptr;
    std::array<QLabel*, 5> lblParam{};
    std::array<QLineEdit*, 5> txtParam{};
    QGroupBox* fmeGC = nullptr;
    std::array<QRadioButton*, 3> optGC{};
    QGroupBox* fmeMort = nullptr;
    std::array<QLabel*, 3> lblMort{};
    std::array<QLineEdit*, 3> txtMort{};
    QGroupBox* fmeGParams = nullptr;
    std::array<QLabel*, 6> lblGParam{};
    std::array<QLineEdit*, 6> txtGParam{};
    std::array<QLabel*, 7> lblParamCV{};
    std::array<QLineEdit*, 7> txtParamCV{};
    QGroupBox* fmeSel = nullptr;
    std::array<QLabel*, 2> lblSel{};
    std::array<QLineEdit*, 2> txtSel{};
    std::array<QLabel*, 2> lblSelCV{};
    std::array<QLineEdit*, 2> txtSelCV{};
    chartqt::GraphControlWidget* gphSel = nullptr;
    std::array<QPushButton*, 4> cmdButton{};   // 0 Cancel, 1 Back, 2 Next, 3 Finish
    QPushButton* cmdHelp = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override;

private:
    struct Field;
    // How a text box converts and stores its parameter (raising on bad text), and shows it.
    using Binding = std::pair<std::function<void(clsSimData&, const std::string&)>,
                              std::function<std::string(const clsSimData&)>>;
    void Load();
    void LoadSamplesStep();
    void LoadCurveAndMortalityStep();
    void LoadGrowthStep();
    void LoadSelectivityStep();
    void LoadButtons(QVBoxLayout* top);
    void AddField(QGroupBox* frame, QGridLayout* grid, int row, int col, QLabel*& label, QLineEdit*& box,
                  const QString& caption, Binding binding);
    void FillFields();
    void ShowStep();
    void DrawSelectivity();
    void ChooseCurve(int index);
    // Converts and stores the field's text; on failure shows the message (deferred) and
    // puts the focus back into the field. Returns whether the value was stored.
    bool StoreField(QLineEdit* box, bool deferMessage);
    // Re-checks every enabled field of the current step; false when one is refused.
    bool CheckStep();
    void Refuse(QLineEdit* box, const std::string& message, bool deferMessage);
    void Move(int delta);
    void Finish();
    void Cancel();
    void Help();

    QStackedWidget* mSteps = nullptr;  // the frames of each step, one step shown at a time
    std::array<std::string, 4> mStepText;
    int32_t mStep = 1;
    bool mOK = false;
    bool mCancelled = false;
    bool mRefusalPending = false;      // a refusal message is waiting to be shown
    clsSimData* mCaller = nullptr;
    std::unique_ptr<clsSimData> mWork;
    std::vector<Field> mFields;
};

#endif
