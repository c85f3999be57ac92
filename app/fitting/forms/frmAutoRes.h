#ifndef FRMAUTORES_H
#define FRMAUTORES_H
// The result of the last automatic seasonal fit: its settings and estimates, with the
// fitted curve's plot and the report's printout and .dat file. Modal; OK hides it.
#include <QDialog>
#include <array>
#include <functional>

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;
class clsAutofind;
class clsVorn;

class frmAutoRes : public QDialog {
    Q_OBJECT
public:
    explicit frmAutoRes(QWidget* parent = nullptr);

    // Binds the fit and shows it; the plot is offered when the data set it scored has more
    // than one sample.
    void Create(clsAutofind& AutoFind, clsVorn& DataSet);

    // Makes this window the one the automatic fit shows its results in.
    static void Install();

    static constexpr int kHelpContext = 65;

    QMenuBar* menuBar;
    QMenu* mnuResults;
    QMenu* mnuPlot;
    QAction* mnuPrint;
    QAction* mnuSave;
    QAction* mnuGrowthCurve;
    QLabel* lblSettings;
    QLabel* lblEstimates;
    QLabel* lblGCTitle;
    QLabel* lblGC;
    QLabel* lblMethTitle;
    QLabel* lblMeth;
    QLabel* lblRanges;
    QLabel* lblK;
    QLabel* lblLinf;
    std::array<QLabel*, 2> lblLo{}, lblHi{};
    std::array<QLabel*, 5> lblParamTitle{}, lblParam{};
    QLabel* lblScoreTitle;
    QLabel* lblScore;
    QPushButton* cmdOK;
    QPushButton* cmdHelp;

private:
    // Runs a command: no error leaves it.
    void Run(const std::function<void()>& command);

    clsAutofind* fit_ = nullptr;
};

#endif
