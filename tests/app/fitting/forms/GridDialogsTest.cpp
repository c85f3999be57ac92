#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include "MVornGlobs.h"
#include "clsGrowthParams.h"
#include "forms/HeadlessForms.h"
#include "frmGridEval.h"
#include "frmGridOptions.h"
#include "frmMaxOpts.h"
#include "frmPlotFit.h"
#include "SyntheticData.h"
#include "UserActions.h"
#include "chart/HeadlessChart.h"
#include "clsVorn.h"

namespace {

class GridOptionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        MVornGlobs::InitGlobals();
        opts.Create(params);
    }
    std::vector<std::string> Prompts() {
        std::vector<std::string> p;
        for (const auto& m : ui.get().messages) p.push_back(m.prompt);
        return p;
    }
    void Press(QPushButton* b) {
        ui->messages.clear();
        b->click();
    }

    forms::ScopedHeadlessForms ui;
    clsGrowthParams params;  // Linf 75, grid type 0, non-seasonal
    frmGridOptions opts;
};

}  // namespace

TEST_F(GridOptionsTest, DefaultsFollowLinfAndNonSeasonalShowsNoFixedParameters) {
    EXPECT_EQ(opts.lblParamLo[0]->text(), "K");
    EXPECT_EQ(opts.lblParamLo[1]->text(), "Linf");
    EXPECT_EQ(opts.txtLo[0]->text(), "0.1");
    EXPECT_EQ(opts.txtHi[0]->text(), "1");
    EXPECT_EQ(opts.txtLo[1]->text(), "60");
    EXPECT_EQ(opts.txtHi[1]->text(), "90");
    EXPECT_EQ(opts.txtEvals[0]->text(), "15");
    EXPECT_EQ(opts.lblFixed[0]->text(), "N/A");
    EXPECT_TRUE(opts.txtFixed[1]->text().isEmpty());
    EXPECT_FALSE(opts.txtFixed[0]->isEnabled());

    // Pauly curve on grid type 0: the first fixed parameter is NGT, checked against 0..1.
    params.setGrowthCurve(2);
    opts.Create(params);
    EXPECT_EQ(opts.lblFixed[0]->text(), "NGT");
    EXPECT_EQ(opts.lblFixed[1]->text(), "Ts");
    EXPECT_EQ(opts.txtFixed[0]->text(), "0.300");
    EXPECT_TRUE(opts.txtFixed[0]->isEnabled());
    opts.txtFixed[0]->setText("1.5");
    Press(opts.cmdOK);
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_NE(ui->messages[0].prompt.find("NGT"), std::string::npos);
    EXPECT_FALSE(opts.OK());
}

TEST_F(GridOptionsTest, EvaluationCountsMustLieBetweenOneAndAHundred) {
    const struct {
        const char* text;
        bool accepted;
    } cases[] = {{"0", false}, {"101", false}, {"abc", false}, {"", false}, {"100", true}, {"1", true}, {"2.5", true}};
    for (const auto& c : cases) {
        opts.Create(params);
        opts.txtEvals[1]->setText(c.text);
        Press(opts.cmdOK);
        EXPECT_EQ(opts.OK(), c.accepted) << c.text;
        if (!c.accepted) {
            EXPECT_EQ(Prompts(), std::vector<std::string>{"Value must be in range 1 - 100"}) << c.text;
            EXPECT_EQ(ui->messages[0].buttons, forms::vbExclamation);
            EXPECT_EQ(ui->messages[0].title, "Vorn 5.0");
        }
    }
    // "2.5" rounds half to even.
    EXPECT_EQ(opts.P2Evals(), 2.0f);
}

TEST_F(GridOptionsTest, ABadValueIsReportedOnceHoweverTheBoxIsLeft) {
    // A real message box lets window events run while it is up: the check of a box that
    // lost the focus to OK must not add its message to OK's own.
    ui->whileShown = [] { QApplication::processEvents(); };
    opts.show();
    QApplication::setActiveWindow(&opts);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&opts));
    const struct {
        QLineEdit* box;
        const char* typed;
        const char* message;
    } cases[] = {
        {opts.txtEvals[0], "0", "Value must be in range 1 - 100"},
        {opts.txtLo[0], "k", "Value for parameter K must lie in the range 0 to 1000"},
    };
    for (const auto& c : cases) {
        for (const auto how : useractions::kEveryWayOut) {
            SCOPED_TRACE(std::string(c.typed) + " then " + useractions::Name(how));
            opts.Create(params);
            useractions::Retype(c.box, c.typed);
            ui->messages.clear();
            useractions::Leave(c.box, opts.cmdOK, how);
            EXPECT_EQ(Prompts(), std::vector<std::string>{c.message});
            EXPECT_FALSE(opts.OK());
            EXPECT_EQ(QApplication::focusWidget(), c.box);
        }
    }
}

TEST_F(GridOptionsTest, RangesMayBeEqualButNotReversed) {
    opts.txtLo[0]->setText("0.5");
    opts.txtHi[0]->setText("0.4");
    Press(opts.cmdOK);
    EXPECT_EQ(Prompts(), std::vector<std::string>{"Invalid range specified"});
    EXPECT_FALSE(opts.OK());
    opts.txtHi[0]->setText("0.5");
    Press(opts.cmdOK);
    EXPECT_TRUE(opts.OK());
    EXPECT_EQ(opts.P1Lo(), 0.5f);
    EXPECT_EQ(opts.P1Hi(), 0.5f);
}

TEST_F(GridOptionsTest, ContoursNeedTwoValuesOnEachAxisWhateverTheTickSays) {
    opts.chkContour->setChecked(true);
    Press(opts.cmdOK);
    EXPECT_TRUE(opts.WithContour());

    // The tick survives into a 1 x 15 grid: no contour is asked for.
    opts.Create(params);
    EXPECT_TRUE(opts.chkContour->isChecked());
    opts.txtEvals[0]->setText("1");
    Press(opts.cmdOK);
    EXPECT_TRUE(opts.OK());
    EXPECT_FALSE(opts.chkContour->isEnabled());
    EXPECT_FALSE(opts.WithContour());
}

TEST_F(GridOptionsTest, CancelPutsTheStoredValuesBackAndGridTypesKeepTheirOwnBounds) {
    opts.txtLo[1]->setText("50");
    opts.txtEvals[0]->setText("7");
    Press(opts.cmdOK);
    opts.txtLo[1]->setText("20");
    opts.txtHi[1]->setText("30");
    opts.txtEvals[0]->setText("9");
    Press(opts.cmdCancel);
    EXPECT_FALSE(opts.OK());
    EXPECT_EQ(opts.txtLo[1]->text(), "50");
    EXPECT_EQ(opts.txtHi[1]->text(), "90");
    EXPECT_EQ(opts.txtEvals[0]->text(), "7");
    EXPECT_TRUE(ui->messages.empty());

    // K vs C (Hoenig): K keeps what was typed, C shows its default 0 .. 1.
    params.setGrowthCurve(1);
    params.setGridType(3);
    opts.Create(params);
    EXPECT_EQ(opts.lblParamLo[1]->text(), "C");
    EXPECT_EQ(opts.txtEvals[0]->text(), "7");
    EXPECT_EQ(opts.txtLo[1]->text(), "0");
    EXPECT_EQ(opts.txtHi[1]->text(), "1");
}

TEST(GridEvalTest, OnlyAllowedCombinationsCanBeChosen) {
    MVornGlobs::InitGlobals();
    forms::ScopedHeadlessForms ui;
    QWidget mainWindow;
    frmGridEval eval(&mainWindow);
    clsGrowthParams params;
    auto enabled = [](const auto& buttons) {
        std::vector<bool> e;
        for (QRadioButton* b : buttons) e.push_back(b->isEnabled());
        return e;
    };
    // SLCA: only the non-seasonal curve and K vs Linf.
    EXPECT_TRUE(frmGridEval::Allowed(0, 0, 0));
    for (int c = 0; c < 3; ++c)
        for (int g = 0; g < 5; ++g) EXPECT_EQ(frmGridEval::Allowed(0, c, g), c == 0 && g == 0) << c << g;

    eval.optMeth[2]->click();
    eval.optGC[1]->click();
    EXPECT_EQ(enabled(eval.optGT), (std::vector<bool>{true, false, true, true, false}));
    EXPECT_EQ(enabled(eval.optMeth), (std::vector<bool>{false, true, true}));
    eval.optGC[2]->click();
    EXPECT_EQ(enabled(eval.optGT), (std::vector<bool>{true, true, false, false, true}));
    eval.optGT[4]->click();
    EXPECT_EQ(enabled(eval.optGC), (std::vector<bool>{false, false, true}));
    eval.disableProjmat();
    EXPECT_FALSE(eval.optMeth[1]->isEnabled());
    eval.enableProjmat();
    EXPECT_TRUE(eval.optMeth[1]->isEnabled());
}

TEST(MaxOptsTest, GridBoundsComeBackExactlyAndTypedBoundsAreChecked) {
    MVornGlobs::InitGlobals();
    forms::ScopedHeadlessForms ui;
    frmMaxOpts max;
    max.Create(0, 0, 0.1f, 1.0f, 60.0f, 90.0f);
    EXPECT_EQ(max.lblP1->text(), "K");
    EXPECT_EQ(max.lblP2->text(), "Linf");
    EXPECT_TRUE(max.OptRange[0]->isChecked());
    EXPECT_FALSE(max.txtP1Lo->isEnabled());
    max.cmdOK->click();
    EXPECT_TRUE(max.OK());
    EXPECT_EQ(max.P1Lo(), 0.1f);
    EXPECT_EQ(max.P2Hi(), 90.0f);

    // Typed bounds: reversed is refused; out of the parameter's range too.
    max.Create(0, 0, 0.1f, 1.0f, 60.0f, 90.0f);
    max.OptRange[1]->click();
    EXPECT_TRUE(max.txtP1Lo->isEnabled());
    max.txtP1Lo->setText("0.8");
    max.txtP1Hi->setText("0.2");
    max.cmdOK->click();
    EXPECT_FALSE(max.OK());
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0].prompt, "Invalid range specified");
    max.txtP1Lo->setText("0");
    max.txtP1Hi->setText("0.5");
    max.cmdOK->click();
    EXPECT_FALSE(max.OK());
    EXPECT_EQ(ui->messages.size(), 2u);
    max.txtP1Lo->setText("0.3");
    max.cmdOK->click();
    EXPECT_TRUE(max.OK());
    EXPECT_EQ(max.P1Lo(), 0.3f);

    // The choice of typed bounds carries over to the next grid.
    max.Create(0, 0, 0.1f, 1.0f, 60.0f, 90.0f);
    EXPECT_TRUE(max.OptRange[1]->isChecked());
}

TEST(PlotFitTest, CurveChoiceEnablesItsParametersAndEveryPlotIsKept) {
    MVornGlobs::InitGlobals();
    forms::ScopedHeadlessForms ui;
    chart::ScopedHeadlessChart charts;
    clsVorn data;
    synthetic::Growth g;
    g.sampleTimes = synthetic::EvenTimes(3);
    synthetic::Build(data, g);
    clsGrowthParams params;
    frmPlotFit dialog;
    dialog.Create(data, params);
    EXPECT_EQ(dialog.windowTitle(), "Plot Fit");
    EXPECT_EQ(dialog.txtParam[1]->text(), "75.000");
    auto enabled = [&] {
        std::vector<bool> e;
        for (QLineEdit* b : dialog.txtParam) e.push_back(b->isEnabled());
        return e;
    };
    EXPECT_EQ(enabled(), (std::vector<bool>{true, true, true, false, false, false}));
    dialog.optGC[2]->click();
    EXPECT_EQ(enabled(), (std::vector<bool>{true, true, true, true, false, true}));

    // K 0 is refused and nothing is plotted.
    dialog.txtParam[0]->setText("0");
    dialog.cmdOK->click();
    EXPECT_EQ(ui->messages.size(), 1u);
    EXPECT_TRUE(charts->pages().empty());

    dialog.txtParam[0]->setText("0.4");
    dialog.cmdOK->click();
    ASSERT_EQ(charts->pages().size(), 1u);
    EXPECT_TRUE(dialog.OK());
    dialog.txtParam[0]->setText("0.6");
    dialog.cmdOK->click();
    EXPECT_EQ(charts->pages().size(), 1u);
    dialog.cmdCancel->click();
    EXPECT_FALSE(dialog.OK());
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(params.k(), 0.6f);
    EXPECT_EQ(params.GrowthCurve(), 2);
    EXPECT_EQ(ui->messages.size(), 1u);
}
