// The regression window and the catch-curve parameter dialog as a user drives them.
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "ErrorCapture.h"
#include "GraphControlWidget.h"
#include "ILogView.h"
#include "MVornGlobs.h"
#include "MortalityFixtures.h"
#include "UiTestSupport.h"
#include "ZRegTestSupport.h"
#include "clsLCCurve.h"
#include "clsLog.h"
#include "clsPowWeath.h"
#include "clsVorn.h"
#include "frmCCParams.h"
#include "frmZReg.h"

using mortalitytest::Fill;
using namespace zregtest;

namespace {

void Show(QWidget& w) {
    w.show();
    Activate(w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
}

// The catch curve of the hand-worked set (Z 0.3208 and 0.1886) in the window.
class ZRegWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        MVornGlobs::InitGlobals();
        Fill(ds, 0.0f, 20.0f, {{10, 30, 25, 20, 15, 0}, {10, 0, 25, 20, 15, 30}}, {0.1f, 0.6f});
        cc.Create(ds, 0.5f, 100.0f);
        window.Create(cc, log);
        window.setTitle("Length Converted Catch Curve");
        window.setXAxisTitle("Relative Age");
        window.setYAxisTitle("Ln(N/Delta T)");
        Show(window);
    }
    void ClickPoint(int32_t i) { zregtest::ClickPoint(window, i); }
    void SelectDist(int32_t d) {
        QListWidget* l = window.lstDists;
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(d - 1)).center());
        QApplication::processEvents();
    }

    ErrorCapture errors;
    WorkingFolder folder;
    ScopedHeadlessLogViews logViews;
    clsLog log;
    clsVorn ds;
    clsLCCurve cc;
    frmZReg window;
};

TEST_F(ZRegWindowTest, ShowsEveryDistributionTheMeansAndTheFirstDistributionsPoints) {
    EXPECT_EQ(window.windowTitle(), "Length Converted Catch Curve");
    EXPECT_EQ(window.lblDists->text(), "Dist.");
    EXPECT_EQ(window.lbl2->text(), "Z");
    EXPECT_EQ(window.lbl3->text(), "");
    EXPECT_EQ(window.cmdOK->text(), "&OK");
    EXPECT_EQ(window.cmdLog->text(), "&Log");
    EXPECT_EQ(window.cmdHelp->text(), "&Help");
    EXPECT_EQ(Items(window.lstDists), (Lines{"    1        0.32", "    2        0.19"}));
    EXPECT_EQ(window.lstDists->currentRow(), 0);
    EXPECT_EQ(window.Label1->text(), "Mean Z: 0.25");
    EXPECT_EQ(window.Label2->text(), "Std. Error: 0.066");
    EXPECT_FALSE(window.Label3->isVisible());
    EXPECT_EQ(window.lblLegend->text().toStdString(),
              "Click on data points with the mouse to toggle them in or out.  The regression line is recalculated "
              "with each toggle. ");

    const chartqt::GraphControlWidget& g = *window.gphReg;
    EXPECT_EQ(g.LegendIncluded(), "Included in Regression");
    EXPECT_EQ(g.LegendExcluded(), "Excluded from Regression");
    EXPECT_EQ(g.XTitle(), "Relative Age");
    EXPECT_EQ(g.YTitle(), "Ln(N/Delta T)");
    ASSERT_EQ(g.PointCount(), 6);
    using chart::PointMark;
    const PointMark marks[] = {PointMark::Included, PointMark::Included, PointMark::Included,
                               PointMark::Included, PointMark::NoValue, PointMark::NoValue};
    for (int32_t i = 1; i <= 6; ++i) {
        EXPECT_EQ(g.X(i), cc.XData(i));
        EXPECT_EQ(g.Y(i), cc.YData(1, i));
        EXPECT_EQ(g.Mark(i), marks[i - 1]) << i;
    }
    // The line is the estimator's fit, drawn over the included points only.
    const auto ends = g.LineEnds();
    ASSERT_TRUE(ends);
    EXPECT_FLOAT_EQ(ends->first.first, cc.XData(1));
    EXPECT_FLOAT_EQ(ends->second.first, cc.XData(4));
    EXPECT_FLOAT_EQ(ends->first.second, cc.FittedLine(1)->A + cc.FittedLine(1)->B * cc.XData(1));
}

TEST_F(ZRegWindowTest, AClickOnAPointTogglesItAndRefitsThatDistributionAlone) {
    const auto before2 = *cc.FittedLine(2);
    ClickPoint(2);  // out: classes 1, 3 and 4 are left, the points of sample 2
    EXPECT_EQ(window.gphReg->Mark(2), chart::PointMark::Excluded);
    EXPECT_EQ(Items(window.lstDists), (Lines{"    1        0.19", "    2        0.19"}));
    EXPECT_EQ(window.lstDists->currentRow(), 0);
    EXPECT_EQ(window.Label1->text(), "Mean Z: 0.19");
    EXPECT_EQ(window.Label2->text(), "Std. Error: 0.000");
    EXPECT_EQ(cc.FittedLine(2)->B, before2.B);
    EXPECT_FLOAT_EQ(window.gphReg->LineEnds()->second.second, cc.FittedLine(1)->A + cc.FittedLine(1)->B * cc.XData(4));

    ClickPoint(2);  // back in
    EXPECT_EQ(window.gphReg->Mark(2), chart::PointMark::Included);
    EXPECT_EQ(Items(window.lstDists)[0], "    1        0.32");

    // Sample 2: two points left give the slope of their line; one point left cannot be
    // fitted: its line shows "-", the chart no line, and the means are those of sample 1.
    SelectDist(2);
    EXPECT_EQ(window.SelectedDist(), 2);
    EXPECT_EQ(window.gphReg->Y(3), cc.YData(2, 3));
    EXPECT_EQ(window.gphReg->Mark(2), chart::PointMark::NoValue);
    ClickPoint(1);
    EXPECT_EQ(Items(window.lstDists), (Lines{"    1        0.32", "    2        0.74"}));
    EXPECT_TRUE(window.gphReg->LineEnds());
    ClickPoint(3);
    EXPECT_EQ(Items(window.lstDists), (Lines{"    1        0.32", "    2        -"}));
    EXPECT_EQ(window.lstDists->currentRow(), 1);
    EXPECT_FALSE(window.gphReg->LineEnds());
    EXPECT_EQ(window.Label1->text(), "Mean Z: 0.32");
    EXPECT_EQ(window.Label2->text(), "Std. Error: 0.000");
    EXPECT_TRUE(errors.Forms().messages.empty());
}

TEST_F(ZRegWindowTest, LogWritesTheBlockOfTheDistributionsWithAResult) {
    const size_t before = log.Buffer().size();
    QTest::mouseClick(window.cmdLog, Qt::LeftButton);
    EXPECT_EQ(SplitLines(log.Buffer().substr(before)),
              (Lines{std::string(44, '~'), "Length Converted Catch Curve", "", "Dist.        1            Z = 0.321",
                     "Dist.        2            Z = 0.189", "", "Mean Z: 0.25", "Std. Error: 0.066", ""}));

    // No result anywhere: a message, nothing logged.
    for (int32_t i : {1, 2, 3}) ClickPoint(i);
    SelectDist(2);
    for (int32_t i : {1, 3}) ClickPoint(i);
    EXPECT_EQ(Items(window.lstDists), (Lines{"    1        -", "    2        -"}));
    EXPECT_EQ(window.Label1->text(), "Mean Z: -");
    const std::string logged = log.Buffer();
    QTest::mouseClick(window.cmdLog, Qt::LeftButton);
    EXPECT_EQ(log.Buffer(), logged);
    ASSERT_EQ(errors.Forms().messages.size(), 1u);
    EXPECT_EQ(errors.Forms().messages[0].prompt, "No distribution has a result to log.");
    EXPECT_EQ(errors.Forms().messages[0].buttons, forms::vbExclamation);
}

TEST_F(ZRegWindowTest, HelpShowsTheCatchCurveTopicAndOKCloses) {
    QTest::mouseClick(window.cmdHelp, Qt::LeftButton);
    ASSERT_EQ(errors.Forms().help.size(), 1u);
    EXPECT_EQ(errors.Forms().help[0].command, 1);
    EXPECT_EQ(errors.Forms().help[0].context, 67);
    QTest::mouseClick(window.cmdOK, Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
}

TEST(ZRegWindowPW, PowellWetherallShowsLinfAndZK) {
    MVornGlobs::InitGlobals();
    ErrorCapture errors;
    WorkingFolder folder;
    ScopedHeadlessLogViews logViews;
    clsLog log;
    clsVorn ds;
    Fill(ds, 10.0f, 10.0f, {{4, 3, 2, 1, 0}, {8, 6, 4, 2, 0}}, {0.0f, 0.5f});
    clsPowWeath pw;
    pw.Create(ds);
    frmZReg window;
    window.Create(pw, log);
    Show(window);
    EXPECT_EQ(window.lbl2->text(), "Linf");
    EXPECT_EQ(window.lbl3->text(), "Z/K");
    EXPECT_EQ(window.HelpContext(), 69);
    EXPECT_EQ(Items(window.lstDists), (Lines{"    1        55.00     2.00", "    2        55.00     2.00"}));
    EXPECT_EQ(window.Label1->text(), "Mean Linf: 55.00");
    EXPECT_EQ(window.Label3->text(), "Mean Z/K: 2.00");
    EXPECT_TRUE(window.Label4->isVisible());
    // No fish at or above class 5: no value, not drawn.
    EXPECT_EQ(window.gphReg->Mark(5), chart::PointMark::NoValue);
    EXPECT_FALSE(window.gphReg->HasValue(5));
}

TEST(ZRegWindowPW, PointsWithoutFishAboveThemAreNotDrawnAndTwoPointsGiveTheirLine) {
    MVornGlobs::InitGlobals();
    ErrorCapture errors;
    WorkingFolder folder;
    ScopedHeadlessLogViews logViews;
    clsLog log;
    clsVorn ds;
    ds.OpenFile(std::string(TEST_DATA_DIR) + "/mean_length_above_linf.txt");
    clsPowWeath pw;
    pw.Create(ds);
    frmZReg window;
    window.Create(pw, log);
    Show(window);
    // Worked by hand: sample 1 over its classes with fish, L' 2 .. 10, gives Linf 10.97 and
    // Z/K 0.79; sample 2 over L' 4 .. 14 gives 14.68 and 0.91.
    const Lines start{"    1        10.97     0.79", "    2        14.68     0.91"};
    EXPECT_EQ(Items(window.lstDists), start);

    // Sample 1 has no fish from length 12 on: those points are not drawn, so the y axis
    // keeps to the real points (Lbar - L' from 1 to 5.48, the line from 5.00 to 0.54)
    // instead of reaching down to -16.
    const chartqt::GraphControlWidget& g = *window.gphReg;
    for (int32_t i = 1; i <= 8; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(g.HasValue(i), i < 6);
        EXPECT_EQ(g.PointPixel(i, g.width(), g.height()).has_value(), i < 6);
        if (i >= 6) {
            EXPECT_EQ(g.Mark(i), chart::PointMark::NoValue);
        }
    }
    EXPECT_GT(g.AxisRanges().ymin, 0.0);
    EXPECT_LT(g.AxisRanges().ymax, 6.0);

    // Clicks on points 1 to 3 leave (8, 1.5) and (10, 1): the line through them, B -0.25
    // and A 3.5, gives Linf 14 and Z/K 3, with no error record. Means: Linf (14 + 14.68)/2,
    // Z/K (3 + 0.91)/2.
    for (int32_t i : {1, 2, 3}) ClickPoint(window, i);
    EXPECT_EQ(Items(window.lstDists), (Lines{"    1        14.00     3.00", "    2        14.68     0.91"}));
    EXPECT_EQ(window.Label1->text(), "Mean Linf: 14.34");
    EXPECT_EQ(window.Label3->text(), "Mean Z/K: 1.95");
    ASSERT_TRUE(g.LineEnds());
    EXPECT_FLOAT_EQ(g.LineEnds()->first.second, 1.5f);
    EXPECT_FLOAT_EQ(g.LineEnds()->second.second, 1.0f);
    EXPECT_EQ(errors.Log(), "");
    EXPECT_TRUE(errors.Forms().messages.empty());

    // Sample 2: the point at 16 is not drawn either; the one at 2 (no fish in its class,
    // but fish above) is, and comes in with a click.
    QTest::mouseClick(window.lstDists->viewport(), Qt::LeftButton, {},
                      window.lstDists->visualItemRect(window.lstDists->item(1)).center());
    QApplication::processEvents();
    EXPECT_FALSE(g.HasValue(8));
    EXPECT_EQ(g.Mark(1), chart::PointMark::Excluded);
    ClickPoint(window, 1);
    EXPECT_EQ(g.Mark(1), chart::PointMark::Included);
}

class CCParamsTest : public ::testing::Test {
protected:
    void SetUp() override {
        MVornGlobs::InitGlobals();
        dialog.Create(0.4f, 100.0f);
        Show(dialog);
    }
    // Enters the box (which selects its text), types over it and tabs out.
    void TypeAndTab(QLineEdit* box, const QString& text) {
        if (!box->hasFocus()) box->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        if (text.isEmpty()) QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Tab);
        QApplication::processEvents();
        QApplication::processEvents();
    }
    forms::ScopedHeadlessForms ui;
    frmCCParams dialog;
};

TEST_F(CCParamsTest, ShowsTheValuesFormattedWithTheirNames) {
    EXPECT_EQ(dialog.windowTitle(), "Length Converted Catch Curve");
    EXPECT_EQ(dialog.fmeParams->title(), "Enter Parameters for Catch Curve");
    EXPECT_EQ(dialog.lblK->text(), "K");
    EXPECT_EQ(dialog.lblLinf->text(), "Linf");
    EXPECT_EQ(dialog.txtK->text(), "0.400");
    EXPECT_EQ(dialog.txtLinf->text(), "100.000");
    EXPECT_EQ(dialog.cmdOK->text(), "&OK");
    EXPECT_EQ(dialog.cmdCancel->text(), "&Cancel");
    EXPECT_EQ(dialog.cmdHelp->text(), "&Help");
    EXPECT_TRUE(dialog.txtK->hasFocus());
    EXPECT_EQ(dialog.txtK->selectedText(), "0.400");
    EXPECT_FALSE(dialog.OK());
    QTest::mouseClick(dialog.cmdHelp, Qt::LeftButton);
    ASSERT_EQ(ui->help.size(), 1u);
    EXPECT_EQ(ui->help[0].context, 67);
}

TEST_F(CCParamsTest, EachBoxRefusesNonNumbersZeroAndValuesOutsideItsRange) {
    const char* kText = "Value must be between 0 and 1000";
    const char* linfText = "Value must be between 0 and 1000000";
    const struct {
        QLineEdit* box;
        const char* text;
        const char* message;  // nullptr: accepted
        const char* title;
    } cases[] = {
        {dialog.txtK, "abc", kText, "K"},          {dialog.txtK, "0", kText, "K"},
        {dialog.txtK, "-0.5", kText, "K"},         {dialog.txtK, "1000", kText, "K"},
        {dialog.txtK, "999.999", nullptr, ""},     {dialog.txtK, "0.001", nullptr, ""},
        {dialog.txtLinf, "", linfText, "Linf"},    {dialog.txtLinf, "0", linfText, "Linf"},
        {dialog.txtLinf, "1000000", linfText, "Linf"}, {dialog.txtLinf, "999999", nullptr, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        ui->messages.clear();
        TypeAndTab(c.box, c.text);
        if (c.message) {
            ASSERT_EQ(ui->messages.size(), 1u);
            EXPECT_EQ(ui->messages[0].prompt, c.message);
            EXPECT_EQ(ui->messages[0].buttons, forms::vbOKOnly);
            EXPECT_EQ(ui->messages[0].title, c.title);
            EXPECT_EQ(QApplication::focusWidget(), c.box);
            EXPECT_EQ(c.box->selectedText(), c.box->text());
            QTest::keyClicks(c.box, "1");  // a good value again before the next case
            QTest::keyClick(c.box, Qt::Key_Tab);
            QApplication::processEvents();
            QApplication::processEvents();
        } else {
            EXPECT_TRUE(ui->messages.empty());
        }
    }
}

TEST_F(CCParamsTest, OKTakesTheTypedValuesAndRefusesAnUncheckedBadOne) {
    TypeAndTab(dialog.txtK, "0.55");  // on to Linf, whose text is selected
    QTest::keyClicks(dialog.txtLinf, "0");
    QTest::keyClick(dialog.txtLinf, Qt::Key_Return);  // Enter on the default button
    QApplication::processEvents();
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0].prompt, "Value must be between 0 and 1000000");
    EXPECT_FALSE(dialog.OK());
    EXPECT_TRUE(dialog.isVisible());

    EXPECT_TRUE(dialog.txtLinf->hasFocus());
    QTest::keyClicks(dialog.txtLinf, "87.5");
    QTest::mouseClick(dialog.cmdOK, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_TRUE(dialog.OK());
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.kval(), 0.55f);
    EXPECT_EQ(dialog.Linfval(), 87.5f);
}

TEST_F(CCParamsTest, CancelChecksNothingAndLeavesOKFalse) {
    ASSERT_TRUE(dialog.txtK->hasFocus());
    QTest::keyClicks(dialog.txtK, "x");
    QTest::mouseClick(dialog.cmdCancel, Qt::LeftButton);
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_TRUE(ui->messages.empty());
    EXPECT_FALSE(dialog.OK());
    EXPECT_FALSE(dialog.isVisible());
}

}  // namespace
