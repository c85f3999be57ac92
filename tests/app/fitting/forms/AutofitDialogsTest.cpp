// The automatic fit's input dialog and results window, driven with keys and clicks.
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include "HeadlessProgressUnknownView.h"
#include "ILogView.h"
#include "MVornGlobs.h"
#include "SyntheticData.h"
#include "UiTestSupport.h"
#include "UserActions.h"
#include "chart/HeadlessChart.h"
#include "clsAutofind.h"
#include "clsGrowthParams.h"
#include "clsLog.h"
#include "clsVorn.h"
#include "forms/HeadlessForms.h"
#include "frmAutoFind.h"
#include "frmAutoRes.h"
#include "print/Printer.h"
#include "vb/VbRuntime.h"

namespace {

class AutoFindDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        dialog.Create(params);
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }
    std::vector<std::string> Prompts() {
        std::vector<std::string> p;
        for (const auto& m : ui.get().messages) p.push_back(m.prompt);
        return p;
    }

    forms::ScopedHeadlessForms ui;
    clsGrowthParams params;  // Linf 75, non-seasonal
    bool texts = (MVornGlobs::InitGlobals(), true);   // the dialog reads them when made
    frmAutoFind dialog;
};

const char* kBadK = "Value for parameter K must lie in the range 0 to 1000";
const char* kBadLinf = "Value for parameter Linf must lie in the range 0 to 1000000";

}  // namespace

TEST_F(AutoFindDialogTest, StartsWithHoenigElefanAndRangesFromLinf) {
    EXPECT_EQ(dialog.windowTitle(), "Fit Seasonal Growth Curve");
    EXPECT_EQ(dialog.fmeRanges->title(), "Parameter Ranges");
    EXPECT_EQ(dialog.fmeModel->title(), "Model");
    EXPECT_EQ(dialog.fmeGC->title(), "Growth Curve");
    EXPECT_EQ(dialog.optMeth[1]->text(), "PROJMAT");
    EXPECT_EQ(dialog.optMeth[2]->text(), "ELEFAN");
    EXPECT_EQ(dialog.optGC[1]->text(), "Hoenig Seasonal");
    EXPECT_EQ(dialog.optGC[2]->text(), "Pauly Seasonal");
    EXPECT_TRUE(dialog.optGC[1]->isChecked());
    EXPECT_TRUE(dialog.optMeth[2]->isChecked());
    EXPECT_EQ(dialog.lblParam[0]->text(), "K");
    EXPECT_EQ(dialog.lblParam[1]->text(), "Linf");
    // K 0.1 to 1; Linf 75 / 1.25 = 60 and 75 x 1.25 = 93.75, brought down to even numbers.
    EXPECT_EQ(dialog.txtParamLo[0]->text(), "0.1");
    EXPECT_EQ(dialog.txtParamHi[0]->text(), "1");
    EXPECT_EQ(dialog.txtParamLo[1]->text(), "60");
    EXPECT_EQ(dialog.txtParamHi[1]->text(), "92");
    EXPECT_EQ(dialog.cmdOK->text(), "&OK");
    EXPECT_EQ(dialog.cmdCancel->text(), "&Cancel");
    dialog.cmdHelp->click();
    ASSERT_EQ(ui->help.size(), 1u);
    EXPECT_EQ(ui->help[0].command, 1);
    EXPECT_EQ(ui->help[0].context, 65);

    // OK without touching anything: the Hoenig curve goes into the parameter set, ELEFAN.
    QTest::keyClick(dialog.txtParamLo[0], Qt::Key_Return);
    EXPECT_TRUE(dialog.OK());
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(params.GrowthCurve(), 1);
    EXPECT_EQ(dialog.Method(), 2);
    EXPECT_EQ(dialog.ParamLo(1), 60.0f);
    EXPECT_EQ(dialog.ParamHi(1), 92.0f);
    EXPECT_EQ(dialog.ParamHi(2), 0.0f);
    EXPECT_TRUE(ui->messages.empty());
}

TEST_F(AutoFindDialogTest, LeavingABoxChecksItsValue) {
    struct Case {
        QLineEdit* box;
        const char* text;
        const char* message;   // nullptr: accepted
    };
    const Case cases[] = {
        {dialog.txtParamLo[0], "0", kBadK},        {dialog.txtParamLo[0], "abc", kBadK},
        {dialog.txtParamHi[0], "1001", kBadK},     {dialog.txtParamLo[1], "-1", kBadLinf},
        {dialog.txtParamLo[0], "0.2", nullptr},    {dialog.txtParamHi[1], "120", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ui->messages.clear();
        ui->beeps = 0;
        TypeInto(c.box, c.text);
        if (c.message) {
            EXPECT_EQ(Prompts(), std::vector<std::string>{c.message});
            EXPECT_EQ(ui->messages[0].buttons, forms::vbExclamation);
            EXPECT_EQ(ui->beeps, 1);
            EXPECT_TRUE(c.box->hasFocus());
            useractions::Retype(c.box, "0.5");
        } else {
            EXPECT_TRUE(ui->messages.empty());
            EXPECT_FALSE(c.box->hasFocus());
        }
    }
}

TEST_F(AutoFindDialogTest, LeavingForCancelChecksNothingAndChangesNothing) {
    TypeInto(dialog.txtParamLo[1], "abc", false);
    dialog.optGC[2]->click();
    QTest::mouseClick(dialog.cmdCancel, Qt::LeftButton);
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_TRUE(ui->messages.empty());
    EXPECT_FALSE(dialog.OK());
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(params.GrowthCurve(), 0);
}

TEST_F(AutoFindDialogTest, OkChecksEveryBoxAgainAndRefusesAReversedRange) {
    // Typed but never left: Enter presses OK, which checks the box.
    TypeInto(dialog.txtParamHi[1], "x", false);
    QTest::keyClick(dialog.txtParamHi[1], Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(Prompts(), std::vector<std::string>{kBadLinf});
    EXPECT_FALSE(dialog.OK());
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(dialog.txtParamHi[1]->hasFocus());

    ui->messages.clear();
    QTest::keyClicks(dialog.txtParamHi[1], "50");
    QTest::keyClick(dialog.txtParamHi[1], Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(Prompts(), std::vector<std::string>{"Invalid range specified"});
    EXPECT_FALSE(dialog.OK());
    EXPECT_TRUE(dialog.txtParamHi[1]->hasFocus());

    // Pauly and PROJMAT chosen, ranges typed: what OK hands over.
    ui->messages.clear();
    dialog.optGC[2]->click();
    dialog.optMeth[1]->click();
    TypeInto(dialog.txtParamLo[0], "0.25");
    TypeInto(dialog.txtParamHi[0], "0.75");
    TypeInto(dialog.txtParamLo[1], "40");
    TypeInto(dialog.txtParamHi[1], "100", false);
    dialog.cmdOK->click();
    EXPECT_TRUE(ui->messages.empty());
    ASSERT_TRUE(dialog.OK());
    EXPECT_EQ(params.GrowthCurve(), 2);
    EXPECT_EQ(dialog.GrowthCurve(), 2);
    EXPECT_EQ(dialog.Method(), 1);
    EXPECT_EQ(dialog.ParamLo(0), 0.25f);
    EXPECT_EQ(dialog.ParamHi(0), 0.75f);
    EXPECT_EQ(dialog.ParamLo(1), 40.0f);
    EXPECT_EQ(dialog.ParamHi(1), 100.0f);
}

TEST_F(AutoFindDialogTest, OkRefusesALinfRangeThatCannotMeasureGrowth) {
    // The data set's smallest length is 50.
    dialog.setMinLength(50.0f);
    struct Case {
        const char *lo, *hi;
        const char* message;   // nullptr: accepted
        int box;               // 0: the low box keeps the focus, 1: the high one
    };
    const Case cases[] = {
        {"0", "92", "The lowest Linf must be greater than 0", 0},
        {"40", "50", "The highest Linf must be greater than the smallest length of the data set (50): no fish "
                     "could grow into any class", 1},
        {"20", "30", "The highest Linf must be greater than the smallest length of the data set (50): no fish "
                     "could grow into any class", 1},
        {"40", "50.5", nullptr, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.lo) + "-" + c.hi);
        ui->messages.clear();
        ui->beeps = 0;
        TypeInto(dialog.txtParamLo[1], c.lo);
        TypeInto(dialog.txtParamHi[1], c.hi, false);
        QTest::keyClick(dialog.txtParamHi[1], Qt::Key_Return);
        QApplication::processEvents();
        if (!c.message) {
            EXPECT_TRUE(ui->messages.empty());
            EXPECT_TRUE(dialog.OK());
            continue;
        }
        EXPECT_EQ(Prompts(), std::vector<std::string>{c.message});
        EXPECT_EQ(ui->messages[0].buttons, forms::vbExclamation);
        EXPECT_EQ(ui->beeps, 1);
        EXPECT_FALSE(dialog.OK());
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_TRUE((c.box == 0 ? dialog.txtParamLo[1] : dialog.txtParamHi[1])->hasFocus());
    }
}

namespace {

// A fit of a small data set with a known curve, as the results window receives it.
class AutoResTest : public ::testing::Test {
protected:
    void SetUp() override {
        MVornGlobs::InitGlobals();
        MVornGlobs::CancelRequested = false;
        synthetic::Growth g;
        g.sampleTimes = synthetic::EvenTimes(4);
        g.NumClasses = 45;
        synthetic::Build(data, g);
        data.setFileName(folder.file("fish.vn5"));
        params.setLinf(75.0f);
        fit.Create(data, params, log);
        fit.AutoFind();
        ASSERT_TRUE(fit.Success());
    }

    WorkingFolder folder;
    forms::ScopedHeadlessForms ui;
    ScopedHeadlessLogViews logViews;
    ScopedHeadlessProgressUnknown waits;
    chart::ScopedHeadlessChart charts;
    print::ScopedRecordingPrinter printer;
    clsVorn data;
    clsGrowthParams params;
    clsLog log{folder.file("")};
    clsAutofind fit;
};

}  // namespace

TEST_F(AutoResTest, ShowsTheSettingsAndEstimatesOfTheFit) {
    frmAutoRes window;
    window.Create(fit, data);
    EXPECT_EQ(window.windowTitle(), "Seasonal Growth Curve Results");
    EXPECT_EQ(window.lblSettings->text(), "Settings");
    EXPECT_EQ(window.lblEstimates->text(), "Parameter Estimates");
    EXPECT_EQ(window.lblRanges->text(), "Ranges");
    EXPECT_EQ(window.mnuResults->title(), "&Results");
    EXPECT_EQ(window.mnuPrint->text(), "&Print");
    EXPECT_EQ(window.mnuSave->text(), "&Save");
    EXPECT_EQ(window.mnuPlot->title(), "&Plot");
    EXPECT_EQ(window.mnuGrowthCurve->text(), "Growth &Curve");
    EXPECT_EQ(window.lblGCTitle->text(), "Growth Curve: ");
    EXPECT_EQ(window.lblMethTitle->text(), "Method :");
    EXPECT_EQ(window.lblGC->text(), "Hoenig Seasonal");
    EXPECT_EQ(window.lblMeth->text(), "ELEFAN");
    EXPECT_EQ(window.lblLo[0]->text(), "0.100");
    EXPECT_EQ(window.lblHi[0]->text(), "1.000");
    EXPECT_EQ(window.lblLo[1]->text(), "60.000");
    EXPECT_EQ(window.lblHi[1]->text(), "92.000");
    const std::vector<QString> titles{"K", "Linf", "Tzero", "Ts", "C"};
    const std::vector<float> values{params.k(), params.Linf(), params.T0(), params.Ts(), params.c()};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(window.lblParamTitle[i]->text(), titles[i]);
        EXPECT_EQ(window.lblParam[i]->text().toStdString(), vb::Format(values[i], "0.000"));
    }
    EXPECT_EQ(window.lblScoreTitle->text(), "Score :");
    EXPECT_EQ(window.lblScore->text().toStdString(), vb::Format(fit.Score(), "0.000"));
    EXPECT_TRUE(window.mnuGrowthCurve->isEnabled());

    // The plot draws the fitted curve over the samples.
    window.mnuGrowthCurve->trigger();
    EXPECT_EQ(charts->pages().size(), 1u);
    window.cmdHelp->click();
    ASSERT_EQ(ui->help.size(), 1u);
    EXPECT_EQ(ui->help[0].context, 65);
    window.show();
    window.cmdOK->click();
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(ui->messages.empty());

    // A Pauly fit: the fifth estimate is NGT. The window shows the fit's own values even
    // when the shared parameters have changed since; a data set of one sample has no plot.
    clsAutofind::SetInputDialog([](clsGrowthParams&, clsAutofind::Choice& c) {
        c.GrowthCurve = 2;
        return true;
    });
    fit.setVerbose(true);
    fit.AutoFind();
    clsAutofind::SetInputDialog({});
    ASSERT_TRUE(fit.Success());
    const clsAutofindResult::Fit pauly = fit.Report().Values();
    params.setk(0.9f);
    params.setNGT(0.375f);
    params.setGrowthCurve(1);
    clsVorn one;
    synthetic::Growth g;
    g.sampleTimes = {0.5f};
    synthetic::Build(one, g);
    frmAutoRes other;
    other.Create(fit, one);
    EXPECT_EQ(other.lblGC->text(), "Pauly Seasonal");
    EXPECT_EQ(other.lblParamTitle[4]->text(), "NGT");
    EXPECT_EQ(other.lblParam[4]->text().toStdString(), vb::Format(pauly.NGT, "0.000"));
    EXPECT_EQ(other.lblParam[0]->text().toStdString(), vb::Format(pauly.k, "0.000"));
    EXPECT_NE(other.lblParam[0]->text(), "0.900");
    EXPECT_FALSE(other.mnuGrowthCurve->isEnabled());
}

TEST_F(AutoResTest, SavesAndPrintsTheReport) {
    frmAutoRes window;
    window.Create(fit, data);
    const std::vector<std::string>& lines = fit.Report().Lines();
    ASSERT_EQ(lines.size(), 17u);

    const std::string path = folder.file("fish.dat");
    ui->saveAnswers.push_back(path);
    window.mnuSave->trigger();
    ASSERT_EQ(ui->saveRequests.size(), 1u);
    EXPECT_EQ(ui->saveRequests[0].fileName, "fish.dat");
    std::string expected;
    for (const std::string& l : lines) expected += l + "\r\n";
    EXPECT_EQ(WorkingFolder::read(path), expected);

    window.mnuPrint->trigger();
    EXPECT_EQ(printer->documentsEnded, 1);
    const std::vector<std::string> printed = printer->texts();
    ASSERT_EQ(printed.size(), 19u);
    EXPECT_EQ(printed[0], "Page 1");
    EXPECT_EQ(printed[3], "RESULTS OF SEASONAL GROWTH CURVE SEARCH");
    EXPECT_EQ(printed[18], lines[16]);

    // No printer: said in a box, nothing else happens.
    printer->failToStart = true;
    window.mnuPrint->trigger();
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0].title, "Vorn 5.0");
    EXPECT_EQ(printer->documentsEnded, 1);
}
