// The automatic seasonal fit as a user drives it from the main window: File > Open, Fit >
// Seasonal Growth Curve with each method, the results window with its saved report, the
// run log, and a fit cancelled half-way after which the grid search and its maximisation
// work as before.
#include <QLabel>
#include <gtest/gtest.h>

#include "FitRoad.h"
#include "KeyedStatusBar.h"
#include "MVornGlobs.h"
#include "clsAutofind.h"
#include "clsGrowthParams.h"
#include "clsLog.h"
#include "frmAutoFind.h"
#include "frmAutoRes.h"
#include "frmMaxOpts.h"
#include "frmPlotFit.h"
#include "vb/VbRuntime.h"

namespace {

class AutofitRoadTest : public FitRoad {
protected:
    void SetUp() override {
        frmAutoFind::Install();
        frmAutoRes::Install();
        MVornGlobs::CancelRequested = false;
        FitRoad::SetUp();
        OpenDataSet(6);
    }
    void TearDown() override {
        clsAutofind::SetInputDialog({});
        clsAutofind::SetResultsWindow({});
        FitRoad::TearDown();
    }

    // Fit > Seasonal Growth Curve with the method chosen in the dialog and OK.
    void StartFit(int method, bool* seen = nullptr) {
        WhenModal<frmAutoFind>(
            [method](frmAutoFind& d) {
                d.optMeth[method]->click();
                d.cmdOK->click();
            },
            seen);
        Choose("mnuAutoFind");
    }
};

}  // namespace

TEST_F(AutofitRoadTest, EachMethodFitsLogsAndSavesItsReport) {
    EXPECT_TRUE(Enabled("mnuAutoFind"));
    EXPECT_FALSE(Enabled("mnuAutoRes"));
    for (int method : {2, 1}) {
        SCOPED_TRACE(method);
        const size_t logBefore = window->Log().Buffer().size();
        const std::string reportPath = folder.file(method == 1 ? "projmat.dat" : "elefan.dat");
        bool asked = false, shown = false;
        QString shownMethod, shownK;
        WhenModal<frmAutoRes>(
            [&](frmAutoRes& r) {
                shownMethod = r.lblMeth->text();
                shownK = r.lblParam[0]->text();
                ui->saveAnswers.push_back(reportPath);
                r.mnuSave->trigger();
                r.cmdOK->click();
            },
            &shown);
        StartFit(method, &asked);
        ASSERT_TRUE(asked);
        ASSERT_TRUE(shown);
        EXPECT_TRUE(ui->messages.empty()) << ui->messages[0].prompt;
        EXPECT_TRUE(window->isEnabled());
        EXPECT_EQ(window->stsBar->PanelText("Status"), "Ready...");
        EXPECT_FALSE(waits.windows().at(0)->visible);

        // The fit is in the shared parameters and in the window's labels.
        const clsGrowthParams& gp = *window->GrowthParams();
        const clsAutofind& fit = window->Autofind();
        EXPECT_EQ(gp.GrowthCurve(), 1);
        EXPECT_EQ(shownMethod, method == 1 ? "PROJMAT" : "ELEFAN");
        EXPECT_EQ(shownK.toStdString(), vb::Format(gp.k(), "0.000"));
        const std::vector<std::string> report{
            "Vorn 5.0",
            "RESULTS OF SEASONAL GROWTH CURVE SEARCH",
            std::string(43, '-'),
            "GROWTH CURVE: Hoenig Seasonal",
            std::string("METHOD: ") + (method == 1 ? "PROJMAT" : "ELEFAN"),
            "\r",
            "Ranges :\r",
            "K :  .1   -    1",
            "Linf :  " + vb::CStr(fit.ParamLo(1)) + "   -    " + vb::CStr(fit.ParamHi(1)),
            "\r",
            "Parameter Estimates:",
            "K : " + vb::Str(gp.k()),
            "Linf : " + vb::Str(gp.Linf()),
            "Tzero : " + vb::Str(gp.T0()),
            "Ts : " + vb::Str(gp.Ts()),
            "C : " + vb::Str(gp.c()),
            "Score Function : " + vb::Str(fit.Score()),
        };
        // The saved report: every line; the run log: a separator, all but the first line.
        EXPECT_EQ(SplitLines(WorkingFolder::read(reportPath)), report);
        std::vector<std::string> block{std::string(44, '~')};
        block.insert(block.end(), report.begin() + 1, report.end());
        block.push_back("");
        EXPECT_EQ(SplitLines(window->Log().Buffer().substr(logBefore)), block);
    }
    // The last result can be viewed again.
    EXPECT_TRUE(Enabled("mnuAutoRes"));
    bool again = false;
    WhenModal<frmAutoRes>([](frmAutoRes& r) { r.cmdOK->click(); }, &again);
    Choose("mnuAutoRes");
    EXPECT_TRUE(again);
}

TEST_F(AutofitRoadTest, TheResultsShownAgainAreTheFitsOwnAndGoWithTheDataSet) {
    WhenModal<frmAutoRes>([](frmAutoRes& r) { r.cmdOK->click(); });
    StartFit(2);
    ASSERT_TRUE(Enabled("mnuAutoRes"));
    const clsAutofindResult::Fit fitted = window->Autofind().Report().Values();

    // Data > Plot Fit with K 0.9 writes K 0.9 into the shared parameters.
    WhenModal<frmPlotFit>([](frmPlotFit& d) {
        useractions::Retype(d.txtParam[0], "0.9");
        d.cmdOK->click();
        d.cmdCancel->click();
    });
    Choose("mnuPlotFit");
    ASSERT_EQ(window->GrowthParams()->k(), 0.9f);

    // The results window still shows the fit's K, the one its Save writes.
    QString shownK, shownScore;
    std::string saved;
    WhenModal<frmAutoRes>([&](frmAutoRes& r) {
        shownK = r.lblParam[0]->text();
        shownScore = r.lblScore->text();
        ui->saveAnswers.push_back(folder.file("again.dat"));
        r.mnuSave->trigger();
        r.cmdOK->click();
    });
    Choose("mnuAutoRes");
    EXPECT_EQ(shownK.toStdString(), vb::Format(fitted.k, "0.000"));
    EXPECT_NE(shownK, "0.900");
    EXPECT_EQ(shownScore.toStdString(), vb::Format(fitted.Score, "0.000"));
    EXPECT_NE(WorkingFolder::read(folder.file("again.dat")).find("K : " + vb::Str(fitted.k) + "\r\n"), std::string::npos);

    // File > Close: the closed set's fit is no longer offered.
    Choose("mnuClose");
    EXPECT_FALSE(Enabled("mnuAutoRes"));
}

TEST_F(AutofitRoadTest, CancelHalfWayReportsNothingAndTheGridSearchWorksAfterwards) {
    clsGrowthParams& gp = *window->GrowthParams();
    const clsGrowthParams before = gp;
    const std::string logBefore = window->Log().Buffer();
    const QString caption = window->windowTitle();
    // Cancel in the wait window during the first seasonal search.
    int evaluations = 0;
    ui->onDoEvents = [&] {
        if (evaluations < 30 && !waits.windows().empty() && waits.windows()[0]->label == "Searching over C vs Ts" &&
            ++evaluations == 30) {
            EXPECT_TRUE(waits.PressCancel());
        }
    };
    bool shown = false;
    WhenModal<frmAutoRes>([](frmAutoRes& r) { r.cmdOK->click(); }, &shown);
    StartFit(2);
    ui->onDoEvents = nullptr;

    EXPECT_EQ(evaluations, 30);
    EXPECT_FALSE(shown);
    EXPECT_TRUE(ui->messages.empty());
    EXPECT_FALSE(MVornGlobs::CancelRequested);
    EXPECT_FALSE(waits.windows().at(0)->visible);
    EXPECT_EQ(window->Log().Buffer(), logBefore);
    EXPECT_EQ(gp.k(), before.k());
    EXPECT_EQ(gp.Linf(), before.Linf());
    EXPECT_EQ(gp.T0(), before.T0());
    EXPECT_EQ(gp.Ts(), before.Ts());
    EXPECT_EQ(gp.c(), before.c());
    EXPECT_EQ(window->windowTitle(), caption);
    EXPECT_TRUE(window->isEnabled());
    EXPECT_EQ(window->stsBar->PanelText("Status"), "Ready...");
    EXPECT_FALSE(ui->hourglass);
    EXPECT_FALSE(Enabled("mnuAutoRes"));
    EXPECT_FALSE(window->LFD().IsDirty());

    // The grid search and its maximisation run to their ends.
    StartElefanGrid(false, false);
    eval().cmdOK->click();
    ASSERT_TRUE(res().GridDefined());
    WhenModal<frmMaxOpts>([](frmMaxOpts& m) { m.cmdOK->click(); });
    res().cmdMax->click();
    EXPECT_TRUE(ui->messages.empty());
    EXPECT_EQ(res().Values().back().rfind("Score = ", 0), 0u) << res().Values().back();
}
