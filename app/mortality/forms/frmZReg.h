#ifndef FRMZREG_H
#define FRMZREG_H
// Shows a Z regression estimator (catch curve or Powell-Wetherall): one line per
// distribution with its result, the means with their standard errors, and the points of
// the selected distribution with the fitted line. A click on a point moves it in or out
// of the fit; every click refits and refreshes everything. Log writes the results to the
// run log. Modal, without owner.
#include <QDialog>
#include <functional>
#include <memory>
#include <string>

#include "clsZRegResult.h"

class QLabel;
class QListWidget;
class QFrame;
class QPushButton;
class clsLog;
class Hald_Error;
namespace chartqt {
class GraphControlWidget;
}

class frmZReg : public QDialog {
    Q_OBJECT
public:
    explicit frmZReg(QWidget* parent = nullptr);
    ~frmZReg() override;

    void setTitle(const std::string& title);
    void setXAxisTitle(const std::string& title);
    void setYAxisTitle(const std::string& title);
    // Takes the estimator and the run log (both must outlive the window), and loads the
    // window: the list, the means, and the chart showing the first distribution.
    void Create(IZReg& reg, clsLog& log);

    int32_t HelpContext() const { return result_ ? result_->HelpContext() : 0; }
    // The selected distribution (from 1).
    int32_t SelectedDist() const { return dist_; }
    const clsZRegResult* Result() const { return result_.get(); }

    QLabel* lblDists;
    QLabel* lbl2;
    QLabel* lbl3;
    QListWidget* lstDists;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QFrame* picGraph;
    chartqt::GraphControlWidget* gphReg;
    QLabel* lblLegend;
    QPushButton* cmdOK;
    QPushButton* cmdLog;
    QPushButton* cmdHelp;

private:
    // Runs an event handler; no error leaves it.
    void Handle(const char* proc, const std::function<void()>& handler);
    void RefreshList();
    void lstDists_Click();
    void PlotDist();
    void MarkPoint(int32_t i);
    void ShowLine();
    void gphReg_PointClicked(int32_t i);
    void cmdLog_Click();

    std::unique_ptr<Hald_Error> err_;
    std::unique_ptr<clsZRegResult> result_;
    clsLog* log_ = nullptr;
    int32_t dist_ = 1;
};

#endif
