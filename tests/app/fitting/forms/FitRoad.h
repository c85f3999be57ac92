#ifndef FITROAD_H
#define FITROAD_H
// The main window with a small data set of known growth opened through File > Open, for
// the tests that drive the fitting commands from it: the progress, wait, chart and printer
// stand-ins those commands use, their menus as the user reaches them, and the grid search
// set up through its dialogs.
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

#include "GridSearchWindows.h"
#include "HeadlessProgressUnknownView.h"
#include "HeadlessProgressView.h"
#include "MainWindowRoad.h"
#include "SyntheticData.h"
#include "UserActions.h"
#include "chart/HeadlessChart.h"
#include "frmGridEval.h"
#include "frmGridOptions.h"
#include "frmGridRes.h"
#include "print/Printer.h"

class FitRoad : public MainWindowRoad {
protected:
    // A data set of `samples` samples over a year, made from a known curve, opened as
    // fish.vn5.
    void OpenDataSet(int samples) {
        clsVorn data;
        synthetic::Growth g;
        g.sampleTimes = synthetic::EvenTimes(samples);
        g.NumClasses = 45;
        synthetic::Build(data, g);
        data.setFileDesc("Synthetic fish");
        OpenData(data, "fish.vn5");
        dataPath = folder.file("fish.vn5");
    }
    void TearDown() override {
        MainWindowRoad::TearDown();
        window.reset();   // while the stand-ins it used are still installed
    }

    void OpenMenu(const std::string& name) { emit window->TopMenu(name)->aboutToShow(); }
    bool Enabled(const std::string& item) {
        for (const char* top : {"mnuData", "mnuFit"}) OpenMenu(top);
        return window->MenuItem(item)->isEnabled();
    }
    GridSearchWindows& grid() { return window->GridWindows(); }
    frmGridEval& eval() { return *grid().GridEval(); }
    frmGridRes& res() { return grid().GridRes(); }

    // Fit > Score Function Grid, ELEFAN, non-seasonal, K vs Linf over a 4 x 3 grid.
    void StartElefanGrid(bool contour, bool fit) {
        Choose("mnuGrid");
        ASSERT_TRUE(eval().isVisible());
        EXPECT_FALSE(window->isEnabled());
        eval().optMeth[2]->click();
        bool seen = false;
        WhenModal<frmGridOptions>(
            [&](frmGridOptions& o) {
                useractions::Retype(o.txtLo[0], "0.2");
                useractions::Retype(o.txtHi[0], "0.8");
                useractions::Retype(o.txtEvals[0], "4");
                useractions::Retype(o.txtLo[1], "70");
                useractions::Retype(o.txtHi[1], "90");
                useractions::Retype(o.txtEvals[1], "3");
                o.chkContour->setChecked(contour);
                o.chkFit->setChecked(fit);
                o.cmdOK->click();
            },
            &seen);
        eval().cmdOptions->click();
        ASSERT_TRUE(seen);
    }

    ScopedHeadlessProgress progress;
    ScopedHeadlessProgressUnknown waits;
    chart::ScopedHeadlessChart charts;
    print::ScopedRecordingPrinter printer;
    std::string dataPath;
};

#endif
