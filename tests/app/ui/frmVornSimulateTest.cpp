// File > Simulate in the main window: the wizard, the simulation, the grid and the run log;
// Cancel in the wizard or in the progress window, and a simulation that fails, leave no
// data set shown.
#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "FlexGrid.h"
#include "HeadlessProgressView.h"
#include "MVornGlobs.h"
#include "SimulateData.h"
#include "UiTestSupport.h"
#include "clsGrowthParams.h"
#include "clsLog.h"
#include "clsVorn.h"
#include "forms/HeadlessForms.h"
#include "frmSimData2.h"
#include "frmVorn.h"
#include "print/Printer.h"
#include "vb/VbRuntime.h"

namespace {

const std::string kTildes(44, '~');

class SimulateCommand : public ::testing::Test {
protected:
    void SetUp() override {
        frmSimData2::Install();
        simulation::SetSeed(777u);
        window = std::make_unique<frmVorn>();
        window->show();
    }
    void TearDown() override {
        window->LFD().setIsDirty(false);
        ui->msgBoxAnswers.clear();
        ui->msgBoxAnswers.push_back(forms::vbYes);   // keep the log
        window->close();
        window.reset();
        simulation::SetSeed(std::nullopt);
        clsSimData::SetWizard({});
    }
    // File > Simulate, with `act` done in the wizard once it shows.
    void Simulate(std::function<void(frmSimData2&)> act) {
        WhenModal<frmSimData2>(act, &wizardSeen);
        emit window->TopMenu("mnuFile")->aboutToShow();
        QAction* item = window->MenuItem("mnuSimulate");
        ASSERT_TRUE(item->isEnabled());
        item->trigger();
        EXPECT_TRUE(wizardSeen);
    }
    static void Finish(frmSimData2& w) {
        for (int i = 0; i < 3; ++i) QTest::mouseClick(w.cmdButton[2], Qt::LeftButton);
        QTest::mouseClick(w.cmdButton[3], Qt::LeftButton);
    }
    static void Type(frmSimData2& w, QLineEdit* box, const char* text) {
        w.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Tab);
    }

    WorkingFolder folder;
    forms::ScopedHeadlessForms ui;
    ScopedHeadlessLogViews logViews;
    ScopedHeadlessProgress progress;
    print::ScopedRecordingPrinter printer;
    std::unique_ptr<frmVorn> window;
    bool wizardSeen = false;
};

TEST_F(SimulateCommand, FinishedWizardShowsTheSimulatedSetAndLogsIt) {
    Simulate([](frmSimData2& w) {
        Type(w, w.txtParam[0], "4");   // four samples
        Finish(w);
    });
    clsVorn& set = window->LFD();
    ASSERT_EQ(set.Status(), 1);
    EXPECT_EQ(set.NumDists(), 4);
    EXPECT_EQ(set.SimData().NSamples(), 4);
    EXPECT_EQ(set.FileDesc(), "SIMULATED DATASET");

    FlexGrid& grid = *window->flxMain;
    EXPECT_TRUE(grid.isVisible());
    EXPECT_EQ(grid.TextMatrix(0, 4), vb::CStr(set.sTime(4)));
    EXPECT_EQ(grid.TextMatrix(1, 0), vb::CStr(set.LBounds(1)));
    EXPECT_EQ(grid.TextMatrix(5, 2), vb::Format(set.Dists(2, 5), "0.00"));
    EXPECT_FLOAT_EQ(window->GrowthParams()->Linf(), set.maxlength());

    const std::string& log = window->Log().Buffer();
    EXPECT_NE(log.find(kTildes + "\r\nDataset simulated - " + set.FileName() + "\r\n" + kTildes + "\r\n"),
              std::string::npos);
    EXPECT_EQ(progress.record().caption, "Simulating Data...");
    EXPECT_TRUE(ui->messages.empty());
}

TEST_F(SimulateCommand, CancelInTheWizardOrTheProgressWindowShowsNoDataSet) {
    Simulate([](frmSimData2& w) {
        Type(w, w.txtParam[0], "9");
        QTest::mouseClick(w.cmdButton[0], Qt::LeftButton);
    });
    EXPECT_EQ(window->LFD().Status(), 0);
    EXPECT_EQ(window->LFD().SimData().NSamples(), 6);   // the wizard's edits went nowhere
    EXPECT_FALSE(window->flxMain->isVisible());

    progress.record().cancelAtValue = 2;
    Simulate([](frmSimData2& w) { Finish(w); });
    EXPECT_EQ(window->LFD().Status(), 0);
    EXPECT_EQ(window->LFD().NumDists(), 0);   // nothing half-made is kept
    EXPECT_FALSE(window->flxMain->isVisible());
    EXPECT_EQ(window->Log().Buffer().find("Dataset simulated"), std::string::npos);
    EXPECT_TRUE(ui->messages.empty());
}

TEST_F(SimulateCommand, ASampleWithoutFishIsReportedAndNothingIsShown) {
    Simulate([](frmSimData2& w) {
        Type(w, w.txtParam[1], "500");   // minimum length above every fish
        Finish(w);
    });
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_NE(ui->messages[0].prompt.find("Sample 1 received no fish"), std::string::npos) << ui->messages[0].prompt;
    EXPECT_EQ(window->LFD().NumDists(), 0);
    EXPECT_FALSE(window->LFD().IsDirty());
    EXPECT_FALSE(window->flxMain->isVisible());
    EXPECT_EQ(window->Log().Buffer().find("Dataset simulated"), std::string::npos);
}

}  // namespace
