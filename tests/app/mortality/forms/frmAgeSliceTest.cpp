// The age slicing window as a user drives it: the curve and parameters, Calculate with its
// result table, Plot, Log, Print, the question before the curve changes, Close.
#include "frmAgeSlice.h"

#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>

#include "../MortalityFixtures.h"
#include "FlexGrid.h"
#include "MVornGlobs.h"
#include "PrintedTable.h"
#include "UiTestSupport.h"
#include "chart/HeadlessChart.h"
#include "clsGrowthParams.h"
#include "clsLog.h"
#include "clsMultiLFGraph.h"
#include "clsVorn.h"
#include "forms/HeadlessForms.h"
#include "frmPrintOpts.h"
#include "frmResTable.h"
#include "print/Printer.h"
#include "vb/VbRuntime.h"

namespace {

const std::string kTildes(44, '~');

class AgeSliceTest : public ::testing::Test {
protected:
    void SetUp() override {
        MVornGlobs::InitGlobals();
        // Classes 0-20 and 20-40. With K ln 2, Linf 100 and t0 -0.4 the bound 0 has age
        // -0.4: age -1 takes row 1. Class 0-20 lies in age -1; 20-40 spans age 0 at
        // L(0) = 24.2142: sample 1 has 14.214 fish of age -1 and 15.786 of age 0.
        // Sample 2 is empty.
        mortalitytest::Fill(data, 0, 20, {{10, 20}, {0, 0}}, {0.5f, 1.0f});
        growth.setk(0.5f);
        growth.setLinf(100);
        growth.setT0(-0.4f);
        growth.setTs(0.3f);
        growth.setc(0.8f);
        growth.setGrowthCurve(0);
        main.show();
        window = std::make_unique<frmAgeSlice>(&main);
        window->Create(data, growth, log);
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    void TearDown() override { window.reset(); }

    // A click on the option's round button.
    void ClickOption(int i) {
        QTest::mouseClick(window->optGC[i], Qt::LeftButton, {}, QPoint(6, window->optGC[i]->height() / 2));
        QApplication::processEvents();
    }
    void Click(QPushButton* b) {
        QTest::mouseClick(b, Qt::LeftButton);
        QApplication::processEvents();
    }
    // K ln 2, then Calculate.
    void CalculateWithLn2() {
        TypeInto(window->txtParam[0], "0.6931472");
        Click(window->cmdCalc);
    }

    WorkingFolder folder;
    forms::ScopedHeadlessForms ui;
    chart::ScopedHeadlessChart charts;
    print::ScopedRecordingPrinter printer;
    QWidget main;
    clsVorn data;
    clsGrowthParams growth;
    clsLog log;
    std::unique_ptr<frmAgeSlice> window;
};

}  // namespace

TEST_F(AgeSliceTest, OpensWithTheGrowthParametersAndTheMainWindowDisabled) {
    EXPECT_EQ(window->windowTitle(), "Age Slice Distributions");
    EXPECT_EQ(window->mnuAgeSlicing->title(), "&Age Slicing");
    EXPECT_EQ(window->cmdCalc->text(), "Ca&lculate");
    EXPECT_EQ(window->cmdPlot->text(), "P&lot");
    EXPECT_EQ(window->cmdCancel->text(), "&Close");
    EXPECT_EQ(window->lblGC->text(), "Growth Curve");
    EXPECT_EQ(window->lblParam[2]->text(), "Tzero");
    const char* texts[] = {"0.500", "100.000", "-0.400", "0.300", "0.800"};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(window->txtParam[i]->text(), texts[i]);
    EXPECT_TRUE(window->optGC[0]->isChecked());
    EXPECT_FALSE(window->txtParam[3]->isEnabled());
    EXPECT_FALSE(window->lblParam[4]->isEnabled());
    for (QAction* a : {window->mnuPlot, window->mnuLog, window->mnuPrint}) EXPECT_FALSE(a->isEnabled());
    EXPECT_FALSE(main.isEnabled());
    EXPECT_TRUE(window->isEnabled());

    // Switching curve without a result asks nothing and offers Ts and C.
    ClickOption(1);
    EXPECT_TRUE(ui->messages.empty());
    EXPECT_TRUE(window->txtParam[3]->isEnabled());
    EXPECT_TRUE(window->lblParam[4]->isEnabled());

    // The Pauly curve is offered as the Hoenig one.
    growth.setGrowthCurve(2);
    window->Create(data, growth, log);
    EXPECT_TRUE(window->optGC[1]->isChecked());
}

TEST_F(AgeSliceTest, CalculateShowsTheTableAndLogAndPrintWriteTheReport) {
    CalculateWithLn2();
    ASSERT_TRUE(ui->messages.empty()) << ui->messages[0].prompt;
    ASSERT_TRUE(window->ResultPresent());
    frmResTable* table = window->ResTable();
    ASSERT_NE(table, nullptr);
    EXPECT_TRUE(table->isVisible());
    EXPECT_EQ(table->StatusText(), "Growth Curve = Von Bertalanffy. K = 0.6931472. Linf = 100.000. Tzero = -0.400");
    FlexGrid* g = table->Grid();
    ASSERT_EQ(g->Rows(), 3);
    ASSERT_EQ(g->Cols(), 3);
    const std::vector<std::vector<std::string>> cells{
        {"", "Dist. 1", "Dist. 2"}, {"-1", "14.214", "0.000"}, {"0", "15.786", "0.000"}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) EXPECT_EQ(g->TextMatrix(r, c), cells[r][c]) << r << "," << c;
    for (QAction* a : {window->mnuPlot, window->mnuLog, window->mnuPrint}) EXPECT_TRUE(a->isEnabled());
    EXPECT_EQ(window->GrowthParams().k(), 0.6931472f);
    EXPECT_EQ(window->GrowthParams().GrowthCurve(), 0);

    // The table closed by the user comes back with Calculate.
    table->close();
    EXPECT_FALSE(table->isVisible());
    Click(window->cmdCalc);
    EXPECT_TRUE(table->isVisible());

    const std::string heading =
        "AGE SLICING\r\nGrowth Curve: Non Seasonal\r\nK: 0.6931472\r\nLinf: 100\r\nTzero: -0.4\r\nTs: 0.3\r\nC: 0.8\r\n\r\r\n";
    const std::string lines = "Age\tDist.#1\tDist.#2\t\r\n-1\t14.21\t0.00\t\r\n0\t15.79\t0.00\t\r\n\r\r\n";
    const size_t before = log.Buffer().size();
    window->mnuLog->trigger();
    EXPECT_EQ(log.Buffer().substr(before), kTildes + "\r\n" + heading + lines);

    WhenModal<frmPrintOpts>([](frmPrintOpts& o) {
        EXPECT_EQ(o.windowTitle(), "Print Options");
        o.chkRes->setChecked(false);
        o.chkGridData->setChecked(true);
        o.cmdOK->click();
    });
    window->mnuPrint->trigger();
    EXPECT_EQ(printer->documentsEnded, 1);
    EXPECT_EQ(printer->texts(),
              (std::vector<std::string>{"Age     Dist.#1 Dist.#2 ", "-1      14.21   0.00    ", "0       15.79   0.00    ", ""}));
    // Cancel prints nothing.
    WhenModal<frmPrintOpts>([](frmPrintOpts& o) { o.cmdCancel->click(); });
    window->mnuPrint->trigger();
    EXPECT_EQ(printer->documentsEnded, 1);
}

TEST_F(AgeSliceTest, PlotCalculatesFirstAndDrawsNoBarsForAnEmptySample) {
    TypeInto(window->txtParam[0], "0.6931472");
    EXPECT_FALSE(window->mnuPlot->isEnabled());
    Click(window->cmdPlot);
    ASSERT_TRUE(ui->messages.empty()) << ui->messages[0].prompt;
    ASSERT_TRUE(window->ResultPresent());
    const auto sets = charts->callsTo("WGDefineGroupDataSetVB");
    ASSERT_EQ(sets.size(), 1u);  // sample 2 has no fish
    EXPECT_EQ(sets[0].vd(1), (std::vector<double>{-1, 0}));
    const clsMultiLFGraph* plot = window->Result().Slices().Plot();
    ASSERT_NE(plot, nullptr);
    EXPECT_TRUE(plot->Visible());

    // A key in a parameter box gives the result up at once: table and plot close.
    TypeInto(window->txtParam[1], "9", false);
    EXPECT_TRUE(ui->messages.empty());
    EXPECT_FALSE(window->ResultPresent());
    EXPECT_FALSE(plot->Visible());
    EXPECT_FALSE(window->ResTable()->isVisible());
    EXPECT_FALSE(window->mnuLog->isEnabled());
}

TEST_F(AgeSliceTest, ChangingTheCurveWithAResultAsksFirst) {
    CalculateWithLn2();
    ASSERT_TRUE(window->ResultPresent());
    ui->msgBoxAnswers.push_back(forms::vbNo);
    ClickOption(1);
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0].prompt,
              "Changing parameter values will clear current Age-Slicing Calculations. Continue?");
    EXPECT_EQ(ui->messages[0].buttons, forms::vbYesNo + forms::vbExclamation);
    EXPECT_EQ(ui->messages[0].title, "Vorn 5.0");
    EXPECT_TRUE(window->optGC[0]->isChecked());
    EXPECT_FALSE(window->txtParam[3]->isEnabled());
    EXPECT_TRUE(window->ResultPresent());

    ui->msgBoxAnswers.push_back(forms::vbYes);
    ClickOption(1);
    EXPECT_TRUE(window->optGC[1]->isChecked());
    EXPECT_TRUE(window->txtParam[3]->isEnabled());
    EXPECT_FALSE(window->ResultPresent());
    EXPECT_FALSE(window->ResTable()->isVisible());

    // The Hoenig curve names Ts and C in the status line.
    Click(window->cmdCalc);
    ASSERT_TRUE(window->ResultPresent());
    EXPECT_EQ(window->ResTable()->StatusText(),
              "Growth Curve = Hoenig. K = 0.6931472. Linf = 100.000. Tzero = -0.400. Ts = 0.300. C = 0.800");
    EXPECT_EQ(window->GrowthParams().GrowthCurve(), 1);
}

TEST_F(AgeSliceTest, FailedCalculationSaysSoAndShowsNoTable) {
    // Linf 5 lies below every class: no fish gets an age.
    TypeInto(window->txtParam[1], "5");
    const std::string logged = log.Buffer();
    const int beeps = ui->beeps;
    Click(window->cmdCalc);
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0].prompt, "Unable to Calculate Age Slices, try different parameter values");
    EXPECT_EQ(ui->messages[0].buttons, forms::vbExclamation);
    EXPECT_EQ(ui->messages[0].title, "Vorn 5.0");
    EXPECT_EQ(ui->beeps, beeps + 1);
    EXPECT_FALSE(window->ResultPresent());
    EXPECT_EQ(window->ResTable(), nullptr);
    EXPECT_FALSE(window->mnuLog->isEnabled());
    EXPECT_TRUE(window->isVisible());
    // Plot tries the same calculation and draws nothing.
    ui->messages.clear();
    Click(window->cmdPlot);
    EXPECT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(charts->count("WGCreatePage"), 0u);
    EXPECT_EQ(log.Buffer(), logged);
}

TEST_F(AgeSliceTest, BoxesAreCheckedWhenLeftButNotOnClose) {
    TypeInto(window->txtParam[2], "0.5");
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0].prompt, "Value for parameter Tzero must lie in the range -1 to 0");
    EXPECT_EQ(QApplication::focusWidget(), window->txtParam[2]);

    // Close from the bad box: no check; the window hides, the main window is enabled.
    for (int how = 0; how < 3; ++how) {
        SCOPED_TRACE(how);
        window->Create(data, growth, log);
        window->show();
        QApplication::processEvents();
        ui->messages.clear();
        TypeInto(window->txtParam[2], "x", false);
        if (how == 0) Click(window->cmdCancel);
        else if (how == 1) window->mnuExit->trigger();
        else window->close();
        QApplication::processEvents();
        QApplication::processEvents();
        EXPECT_TRUE(ui->messages.empty());
        EXPECT_FALSE(window->isVisible());
        EXPECT_TRUE(main.isEnabled());
    }
}

namespace {

// Twelve samples are wider than a line: the table prints in blocks of whole columns, each
// with the ages beside it, every count under its sample, and no line wider than the page.
// Sample d holds 10 d and 20 d fish: d times the 14.2142 of age -1 and 15.7858 of age 0 above.
TEST_F(AgeSliceTest, TablesOfMoreSamplesThanALineHoldsPrintInColumnBlocks) {
    std::vector<std::vector<float>> counts;
    std::map<std::pair<std::string, std::string>, std::string> expected;
    std::set<std::string> samples;
    const double young = 10 + 20 * (100 * (1 - std::exp(-0.6931472 * 0.4)) - 20) / 20;
    for (int d = 1; d <= 12; ++d) {
        counts.push_back({10.0f * d, 20.0f * d});
        const std::string sample = "Dist.#" + std::to_string(d);
        samples.insert(sample);
        expected[{"-1", sample}] = vb::Format(young * d, "0.00");
        expected[{"0", sample}] = vb::Format((30 - young) * d, "0.00");
    }
    mortalitytest::Fill(data, 0, 20, counts);
    window->Create(data, growth, log);
    CalculateWithLn2();
    ASSERT_TRUE(window->ResultPresent());
    WhenModal<frmPrintOpts>([](frmPrintOpts& o) {
        o.chkRes->setChecked(true);
        o.chkGridData->setChecked(true);
        o.cmdOK->click();
    });
    window->mnuPrint->trigger();
    EXPECT_EQ(testsupport::LinesWiderThanThePage(printer.get()), std::vector<std::string>{});
    const testsupport::PrintedTable table = testsupport::ReadPrintedTable(printer->texts(), "Age", {"-1", "0"}, samples);
    EXPECT_EQ(table.problems, std::vector<std::string>{});
    EXPECT_EQ(table.blocks, 2);
    EXPECT_EQ(table.cells, expected);
}

}  // namespace
