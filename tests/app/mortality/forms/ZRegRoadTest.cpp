// The catch curve and the Powell-Wetherall plot as a user drives them from the main
// window: a data file opened with File > Open, the parameter dialog, the regression
// window, the run log; cancels; and data the estimators cannot fit.
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "ILogView.h"
#include "KeyedStatusBar.h"
#include "MainWindowRoad.h"
#include "MortalityFixtures.h"
#include "UiTestSupport.h"
#include "ZRegTestSupport.h"
#include "clsGrowthParams.h"
#include "clsLog.h"
#include "clsVorn.h"
#include "forms/HeadlessForms.h"
#include "frmCCParams.h"
#include "frmVorn.h"
#include "frmZReg.h"
#include "vb/VbRuntime.h"

using namespace zregtest;

namespace {

class ZRegRoadTest : public MainWindowRoad {
protected:
    void SetUp() override {
        MainWindowRoad::SetUp();
        Open("fish.vn5", {{10, 30, 25, 20, 15, 0}, {10, 0, 25, 20, 15, 30}});
    }

    // Writes a data set of classes 0-20 .. 100-120 and opens it with File > Open.
    void Open(const std::string& name, const std::vector<std::vector<float>>& counts) {
        clsVorn data;
        mortalitytest::Fill(data, 0.0f, 20.0f, counts);
        data.setFileDesc("Hand-worked fish");
        OpenData(data, name);
        ui->messages.clear();
    }
    // In the parameter dialog: types K and Linf over the selected texts, then OK.
    static void EnterParams(frmCCParams& d, const QString& K, const QString& Linf) {
        Activate(d);
        QTest::keyClicks(d.txtK, K);
        QTest::keyClick(d.txtK, Qt::Key_Tab);
        QApplication::processEvents();
        QApplication::processEvents();
        QTest::keyClicks(d.txtLinf, Linf);
        QTest::mouseClick(d.cmdOK, Qt::LeftButton);
    }
    std::string Status() const { return window->stsBar->PanelText("Status"); }
    Lines LoggedSince(size_t before) const { return SplitLines(window->Log().Buffer().substr(before)); }
};

}  // namespace

TEST_F(ZRegRoadTest, CatchCurveFromTheMenuToTheRunLog) {
    const size_t before = window->Log().Buffer().size();
    const clsGrowthParams& gp = *window->GrowthParams();
    bool asked = false, shown = false;
    Lines lines, afterClick;
    WhenModal<frmCCParams>(
        [&](frmCCParams& d) {
            EXPECT_EQ(d.txtK->text().toStdString(), vb::Format(gp.k(), "0.000"));
            EXPECT_EQ(d.txtLinf->text().toStdString(), vb::Format(gp.Linf(), "0.000"));
            EXPECT_EQ(d.parentWidget(), window.get());
            WhenModal<frmZReg>(
                [&](frmZReg& w) {
                    Activate(w);
                    EXPECT_EQ(w.windowTitle(), "Length Converted Catch Curve");
                    EXPECT_EQ(w.gphReg->XTitle(), "Relative Age");
                    EXPECT_EQ(w.gphReg->YTitle(), "Ln(N/Delta T)");
                    EXPECT_EQ(w.parentWidget(), window.get());  // modal over the main window
                    lines = Items(w.lstDists);
                    ClickPoint(w, 2);
                    afterClick = Items(w.lstDists);
                    QTest::mouseClick(w.cmdLog, Qt::LeftButton);
                    QTest::mouseClick(w.cmdOK, Qt::LeftButton);
                },
                &shown);
            EnterParams(d, "0.5", "100");
        },
        &asked);
    Choose("mnuCatchCurve");
    ASSERT_TRUE(asked);
    ASSERT_TRUE(shown);
    EXPECT_TRUE(ui->messages.empty());
    // Z 0.3208 and 0.1886; without class 2, sample 1 has the points of sample 2.
    EXPECT_EQ(lines, (Lines{"    1        0.32", "    2        0.19"}));
    EXPECT_EQ(afterClick, (Lines{"    1        0.19", "    2        0.19"}));
    EXPECT_EQ(LoggedSince(before),
              (Lines{std::string(44, '~'), "Length Converted Catch Curve", "", "Dist.        1            Z = 0.189",
                     "Dist.        2            Z = 0.189", "", "Mean Z: 0.19", "Std. Error: 0.000", ""}));
    EXPECT_FALSE(window->LFD().IsDirty());
}

TEST_F(ZRegRoadTest, PowellWetherallFromTheMenuToTheRunLog) {
    const size_t before = window->Log().Buffer().size();
    bool shown = false;
    std::string statusWhileShown;
    WhenModal<frmZReg>(
        [&](frmZReg& w) {
            Activate(w);
            statusWhileShown = Status();
            EXPECT_EQ(w.windowTitle(), "Powell Wetherall Mortality Estimator");
            EXPECT_EQ(w.gphReg->XTitle(), "Length Class");
            EXPECT_EQ(w.gphReg->YTitle(), "L Bar L'");
            QTest::mouseClick(w.cmdLog, Qt::LeftButton);
            QTest::mouseClick(w.cmdOK, Qt::LeftButton);
        },
        &shown);
    ui->hourglassChanges = 0;
    Choose("mnuPowWeathZ");
    ASSERT_TRUE(shown);
    EXPECT_EQ(statusWhileShown, "Ready...");
    EXPECT_EQ(Status(), "Ready...");
    EXPECT_FALSE(ui->hourglass);
    EXPECT_EQ(ui->hourglassChanges, 2);
    // Worked by hand: Lbar - L' of the classes with fish is 50, 34.444, 26.667, 18.571, 10
    // at L' 0 .. 80 (sample 1) and 74, 41.111, 33.077, 23.333, 10 at L' 0, 40 .. 100
    // (sample 2); the lines give Linf 98.278 and 114.570, Z/K 1.086 and 0.613.
    EXPECT_EQ(LoggedSince(before),
              (Lines{std::string(44, '~'), "Powell Wetherall Mortality Estimator", "",
                     "Dist.        1            Linf = 98.278  Z/K = 1.086",
                     "Dist.        2            Linf = 114.570  Z/K = 0.613", "", "Mean Linf: 106.42",
                     "Std. Error: 8.146", "Mean Z/K: 0.85", "Std. Error: 0.236", ""}));
}

TEST_F(ZRegRoadTest, CancelAndClosingWithoutLogLeaveEverythingAsItWas) {
    const std::string logBefore = window->Log().Buffer();
    bool asked = false;
    WhenModal<frmCCParams>(
        [&](frmCCParams& d) {
            Activate(d);
            QTest::keyClicks(d.txtK, "abc");  // not checked: the focus goes to Cancel
            QTest::mouseClick(d.cmdCancel, Qt::LeftButton);
        },
        &asked);
    Choose("mnuCatchCurve");
    ASSERT_TRUE(asked);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    bool shown = false;
    WhenModal<frmZReg>(
        [&](frmZReg& w) {
            Activate(w);
            QTest::keyClick(&w, Qt::Key_Escape);  // closes it as the close box does
        },
        &shown);
    Choose("mnuPowWeathZ");
    ASSERT_TRUE(shown);

    EXPECT_TRUE(ui->messages.empty());
    EXPECT_EQ(window->Log().Buffer(), logBefore);
    EXPECT_EQ(Status(), "Ready...");
    EXPECT_TRUE(window->isEnabled());
    EXPECT_FALSE(window->LFD().IsDirty());
    EXPECT_TRUE(window->MenuItem("mnuCatchCurve")->isEnabled());
}

TEST_F(ZRegRoadTest, ParametersOfZeroAreRefusedInTheDialog) {
    bool asked = false;
    WhenModal<frmCCParams>(
        [&](frmCCParams& d) {
            Activate(d);
            QTest::keyClicks(d.txtK, "0");
            QTest::mouseClick(d.cmdOK, Qt::LeftButton);
            EXPECT_TRUE(d.isVisible());
            QTest::mouseClick(d.cmdCancel, Qt::LeftButton);
        },
        &asked);
    const std::string logBefore = window->Log().Buffer();
    Choose("mnuCatchCurve");
    ASSERT_TRUE(asked);
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0].prompt, "Value must be between 0 and 1000");
    EXPECT_EQ(ui->messages[0].title, "K");
    EXPECT_EQ(window->Log().Buffer(), logBefore);
}

TEST_F(ZRegRoadTest, DataTheEstimatorsCannotFitGetAMessageAndNoWindow) {
    // Classes from 0 by 20 with Linf 20: every class but the first starts at or above
    // Linf, so no point has a value.
    const std::string logBefore = window->Log().Buffer();
    WhenModal<frmCCParams>([&](frmCCParams& d) { EnterParams(d, "0.5", "20"); });
    Choose("mnuCatchCurve");
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0].prompt.rfind("No distribution could be fitted", 0), 0u);
    EXPECT_EQ(ui->messages[0].title, "Vorn 5.0");
    EXPECT_EQ(ui->messages[0].buttons, forms::vbExclamation);
    EXPECT_EQ(window->Log().Buffer(), logBefore);

    // An empty sample and one with fish in one class: neither can be fitted.
    Open("thin.vn5", {{0, 0, 0, 0, 0, 0}, {0, 7, 0, 0, 0, 0}});
    const std::string logOpened = window->Log().Buffer();
    WhenModal<frmCCParams>([&](frmCCParams& d) { EnterParams(d, "0.5", "100"); });
    Choose("mnuCatchCurve");
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0].prompt.rfind("No distribution could be fitted", 0), 0u);

    ui->messages.clear();
    Choose("mnuPowWeathZ");
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0].prompt.rfind("No distribution could be fitted", 0), 0u);
    EXPECT_EQ(ui->messages[0].title, "Cannot initialise");
    EXPECT_EQ(Status(), "Ready...");
    EXPECT_FALSE(ui->hourglass);
    EXPECT_EQ(window->Log().Buffer(), logOpened);
}

TEST_F(ZRegRoadTest, AnEmptySampleShowsADashAndStaysOutOfTheLogAndTheMeans) {
    Open("gap.vn5", {{10, 30, 25, 20, 15, 0}, {0, 0, 0, 0, 0, 0}});
    const size_t before = window->Log().Buffer().size();
    Lines lines;
    WhenModal<frmCCParams>([&](frmCCParams& d) {
        WhenModal<frmZReg>([&](frmZReg& w) {
            lines = Items(w.lstDists);
            QTest::mouseClick(w.cmdLog, Qt::LeftButton);
            QTest::mouseClick(w.cmdOK, Qt::LeftButton);
        });
        EnterParams(d, "0.5", "100");
    });
    Choose("mnuCatchCurve");
    EXPECT_EQ(lines, (Lines{"    1        0.32", "    2        -"}));
    EXPECT_EQ(LoggedSince(before),
              (Lines{std::string(44, '~'), "Length Converted Catch Curve", "", "Dist.        1            Z = 0.321", "",
                     "Mean Z: 0.32", "Std. Error: 0.000", ""}));
}
