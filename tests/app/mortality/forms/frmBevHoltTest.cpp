// The Beverton-Holt window as a user drives it: typing, leaving boxes, Calculate, the
// question before a shown result is given up, Save, Print, Close.
#include "frmBevHolt.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QGroupBox>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <map>

#include "../MortalityFixtures.h"
#include "MVornGlobs.h"
#include "PrintedTable.h"
#include "Twips.h"
#include "UiTestSupport.h"
#include "UserActions.h"
#include "clsBevHoltResult.h"
#include "clsGrowthParams.h"
#include "clsLog.h"
#include "clsVorn.h"
#include "forms/HeadlessForms.h"
#include "print/Printer.h"

namespace {

const std::string kTildes(44, '~');
// The log block and the saved file of Z 1 and 3 with Lc typed as 15.5.
const std::string kReport =
    "BEVERTON-HOLT Z\r\nK = 1.000\r\nLinf = 30.000\r\nLc = 15.5\r\n\r\r\n"
    "Dist.#1\tDist.#2\t\r\n1.000\t3.000\t\r\n\r\r\n"
    "Mean Z = 2.000\r\r\nStandard Error Z = 1.0000\r\r\n";

int Pixels(const QWidget& window, int width) { return twips::ToPixels(width, window.font()); }

class BevHoltTest : public ::testing::Test {
protected:
    void SetUp() override {
        MVornGlobs::InitGlobals();
        // With K 1 and Linf 30, Z is 1 and 3.
        mortalitytest::Fill(data, 10, 2, mortalitytest::kTwoSamples);
        data.setFileName(folder.file("hake.vn5"));
        growth.setk(1);
        growth.setLinf(30);
        ShowWindow();
    }
    // A new window on the data set, active as the user's.
    void ShowWindow() {
        window = std::make_unique<frmBevHolt>();
        window->Create(data, growth, log);
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    void TearDown() override { window.reset(); }

    void Calculate() {
        QTest::mouseClick(window->cmdCalc, Qt::LeftButton);
        QApplication::processEvents();
    }
    std::string LogSince(size_t from) const { return log.Buffer().substr(from); }

    WorkingFolder folder;
    forms::ScopedHeadlessForms ui;
    print::ScopedRecordingPrinter printer;
    clsVorn data;
    clsGrowthParams growth;
    clsLog log;
    std::unique_ptr<frmBevHolt> window;
};

}  // namespace

TEST_F(BevHoltTest, OpensNarrowWithTheGrowthParametersAndHalfLinfAsLc) {
    EXPECT_EQ(window->windowTitle(), "Beverton-Holt Z");
    EXPECT_EQ(window->txtParam[0]->text(), "1.000");
    EXPECT_EQ(window->txtParam[1]->text(), "30.000");
    EXPECT_EQ(window->txtParam[2]->text(), "15.000");
    EXPECT_EQ(window->cmdCalc->text(), "Ca&lculate");
    EXPECT_EQ(window->cmdCancel->text(), "&Close");
    EXPECT_EQ(window->cmdHelp->text(), "&Help");
    EXPECT_EQ(window->lblResTitle->text(), "Dist.       Z");
    EXPECT_EQ(window->width(), Pixels(*window, 2900));
    EXPECT_FALSE(window->fmeRes->isVisible());
    EXPECT_FALSE(window->mnuPrint->isEnabled());
    EXPECT_FALSE(window->mnuSave->isEnabled());
    QTest::mouseClick(window->cmdHelp, Qt::LeftButton);
    ASSERT_EQ(ui->help.size(), 1u);
    EXPECT_EQ(ui->help[0].command, 1);
    EXPECT_EQ(ui->help[0].context, 68);
}

TEST_F(BevHoltTest, CalculateShowsLogsAndOnlyOnce) {
    TypeInto(window->txtParam[2], "15.5");
    const size_t before = log.Buffer().size();
    Calculate();
    ASSERT_TRUE(ui->messages.empty()) << ui->messages[0].prompt;
    ASSERT_TRUE(window->ResultPresent());
    ASSERT_EQ(window->lstRes->count(), 2);
    EXPECT_EQ(window->lstRes->item(0)->text(), "1        1.000");
    EXPECT_EQ(window->lstRes->item(1)->text(), "2        3.000");
    EXPECT_EQ(window->lblMeanZRes->text(), "2.000");
    EXPECT_EQ(window->lblStdErrRes->text(), "1.0000");
    EXPECT_EQ(window->width(), Pixels(*window, 5750));
    EXPECT_TRUE(window->fmeRes->isVisible());
    EXPECT_TRUE(window->mnuPrint->isEnabled());
    EXPECT_TRUE(window->mnuSave->isEnabled());
    // One block: the tildes, then every report line with CR LF, Lc as typed.
    EXPECT_EQ(LogSince(before), kTildes + "\r\n" + kReport);
    // Calculate again without a change does nothing.
    const std::string logged = log.Buffer();
    Calculate();
    EXPECT_EQ(log.Buffer(), logged);
    EXPECT_TRUE(ui->messages.empty());
}

TEST_F(BevHoltTest, FirstKeyWithAResultAsksBeforeGivingItUp) {
    Calculate();
    ASSERT_TRUE(window->ResultPresent());
    // No: the key is thrown away and the result stays.
    ui->msgBoxAnswers.push_back(forms::vbNo);
    TypeInto(window->txtParam[0], "2", false);
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0].prompt, "Changing parameter values will clear current Mortality Calculation. Continue?");
    EXPECT_EQ(ui->messages[0].title, "Warning");
    EXPECT_EQ(ui->messages[0].buttons, forms::vbYesNo + forms::vbExclamation);
    EXPECT_EQ(window->txtParam[0]->text(), "1.000");
    EXPECT_TRUE(window->ResultPresent());
    EXPECT_EQ(window->width(), Pixels(*window, 5750));

    // Yes: narrow again, nothing to print or save, and the key goes in; no second question.
    ui->msgBoxAnswers.push_back(forms::vbYes);
    QTest::keyClicks(window->txtParam[0], "0.5");
    EXPECT_EQ(ui->messages.size(), 2u);
    EXPECT_EQ(window->txtParam[0]->text(), "0.5");
    EXPECT_FALSE(window->ResultPresent());
    EXPECT_EQ(window->width(), Pixels(*window, 2900));
    EXPECT_FALSE(window->fmeRes->isVisible());
    EXPECT_FALSE(window->mnuPrint->isEnabled());
    EXPECT_FALSE(window->mnuSave->isEnabled());

    // A new calculation with K 0.5: Z 0.5 and 1.5.
    const size_t before = log.Buffer().size();
    Calculate();
    ASSERT_TRUE(window->ResultPresent());
    EXPECT_EQ(window->lblMeanZRes->text(), "1.000");
    EXPECT_NE(LogSince(before).find("K = 0.5\r\n"), std::string::npos);
}

TEST_F(BevHoltTest, SampleWithoutFishAtOrAboveLcShowsADashAndIsLeftOutOfTheLog) {
    // Sample 2 of the file has fish below Lc 14 only.
    window.reset();
    data.OpenFile(folder.fixture("bh_empty_above_lc.txt", "bh.txt"));
    ShowWindow();
    TypeInto(window->txtParam[2], "14");
    const size_t before = log.Buffer().size();
    Calculate();
    ASSERT_TRUE(window->ResultPresent());
    ASSERT_EQ(window->lstRes->count(), 2);
    EXPECT_EQ(window->lstRes->item(0)->text(), "1        1.000");
    EXPECT_EQ(window->lstRes->item(1)->text(), "2        -");
    EXPECT_EQ(window->lblMeanZRes->text(), "1.000");
    EXPECT_EQ(window->lblStdErrRes->text(), "0.0000");
    EXPECT_EQ(LogSince(before), kTildes + "\r\nBEVERTON-HOLT Z\r\nK = 1.000\r\nLinf = 30.000\r\nLc = 14\r\n\r\r\n"
                                          "Dist.#1\t\r\n1.000\t\r\n\r\r\nMean Z = 1.000\r\r\n"
                                          "Standard Error Z = 0.0000\r\r\n");
}

TEST_F(BevHoltTest, FailedCalculationSaysSoAndHoldsNoResult) {
    // Lc 27 lies above the classes (the last starts at 24).
    TypeInto(window->txtParam[1], "40");
    TypeInto(window->txtParam[2], "27");
    const std::string logged = log.Buffer();
    const int beeps = ui->beeps;
    Calculate();
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0].prompt.rfind("Calculation Failed\r", 0), 0u) << ui->messages[0].prompt;
    EXPECT_NE(ui->messages[0].prompt.find("lies above the length classes"), std::string::npos);
    EXPECT_EQ(ui->messages[0].buttons, forms::vbExclamation);
    EXPECT_EQ(ui->messages[0].title, "Vorn 5.0");
    EXPECT_EQ(ui->beeps, beeps + 1);
    EXPECT_FALSE(window->ResultPresent());
    EXPECT_EQ(window->width(), Pixels(*window, 2900));
    EXPECT_FALSE(window->mnuSave->isEnabled());
    EXPECT_EQ(log.Buffer(), logged);
    // Logged in the error log, which the tests keep in their own folder.
    EXPECT_NE(folder.errorLog().find("lies above the length classes"), std::string::npos);
}

TEST_F(BevHoltTest, MeanLengthsAboveLinfEverywhereFailTheCalculation) {
    // K 1, Linf 5, Lc 2: both samples' mean lengths lie above Linf, so neither has a Z.
    window.reset();
    data.OpenFile(folder.fixture("mean_length_above_linf.txt", "above.txt"));
    ShowWindow();
    TypeInto(window->txtParam[1], "5");
    TypeInto(window->txtParam[2], "2");
    const std::string logged = log.Buffer();
    Calculate();
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0].prompt,
              "Calculation Failed\rNo sample has a Z: in every sample with fish at or above Lc (2), their mean "
              "length lies at or above Linf (5).");
    EXPECT_FALSE(window->ResultPresent());
    EXPECT_FALSE(window->mnuSave->isEnabled());
    EXPECT_EQ(log.Buffer(), logged);
}

TEST_F(BevHoltTest, BoxesAreCheckedWhenLeftAndBeforeCalculating) {
    TypeInto(window->txtParam[0], "0");
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0].prompt, "Value for parameter K must lie in the range 0 to 1000");
    EXPECT_EQ(QApplication::focusWidget(), window->txtParam[0]);
    // Lc is checked as a length.
    ui->messages.clear();
    useractions::Retype(window->txtParam[0], "1");
    TypeInto(window->txtParam[2], "-3");
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0].prompt, "Value for parameter Linf must lie in the range 0 to 1000000");
    // A box never left is checked by Calculate.
    ui->messages.clear();
    TypeInto(window->txtParam[2], "abc", false);
    Calculate();
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0].prompt, "Value for parameter Linf must lie in the range 0 to 1000000");
    EXPECT_FALSE(window->ResultPresent());
}

TEST_F(BevHoltTest, CloseFromABadBoxChecksNothing) {
    for (int how = 0; how < 3; ++how) {
        SCOPED_TRACE(how);
        window->Create(data, growth, log);
        window->show();
        QApplication::processEvents();
        ui->messages.clear();
        TypeInto(window->txtParam[0], "x", false);
        if (how == 0) QTest::mouseClick(window->cmdCancel, Qt::LeftButton);
        else if (how == 1) window->mnuExit->trigger();
        else QTest::keyClick(window->txtParam[0], Qt::Key_Escape);
        QApplication::processEvents();
        QApplication::processEvents();
        EXPECT_TRUE(ui->messages.empty());
        EXPECT_FALSE(window->isVisible());
    }
}

TEST_F(BevHoltTest, SaveAndPrintTheReport) {
    TypeInto(window->txtParam[2], "15.5");
    Calculate();
    ASSERT_TRUE(window->ResultPresent());
    const std::string path = folder.file("hake.dat");
    ui->saveAnswers.push_back(path);
    window->mnuSave->trigger();
    ASSERT_EQ(ui->saveRequests.size(), 1u);
    EXPECT_EQ(ui->saveRequests[0].fileName, "hake.dat");
    EXPECT_EQ(ui->saveRequests[0].title, "Save Results");
    EXPECT_EQ(ui->saveRequests[0].filter, "Data (*.dat)|*.dat");
    EXPECT_EQ(ui->saveRequests[0].flags, 6);
    EXPECT_EQ(WorkingFolder::read(path), kReport);
    // Cancel in the dialog writes nothing and says nothing.
    ui->saveAnswers.push_back("");
    window->mnuSave->trigger();
    EXPECT_TRUE(ui->messages.empty());

    window->mnuPrint->trigger();
    EXPECT_EQ(printer->documentsEnded, 1);
    const std::vector<std::string> printed = printer->texts();
    const std::vector<std::string> expected{
        "Page 1",  "",       "BEVERTON-HOLT Z",         "K = 1.000", "Linf = 30.000", "Lc = 15.5", "",
        "Dist.#1 Dist.#2 ", "1.000   3.000   ", "", "Mean Z = 2.000",  "Standard Error Z = 1.0000",
    };
    ASSERT_EQ(printed.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(i == 0 ? printed[i].substr(printed[i].find_first_not_of(' ')) : printed[i], expected[i]) << i;
}

namespace {

// Twelve samples' Z are wider than a line: they print in blocks of whole columns, each Z
// below its sample, and no line is wider than the page.
TEST_F(BevHoltTest, TheZOfMoreSamplesThanALineHoldsPrintInColumnBlocks) {
    std::vector<std::vector<float>> counts;
    for (int i = 0; i < 12; ++i) counts.push_back(mortalitytest::kTwoSamples[i % 2]);  // Z 1, 3, 1, ...
    mortalitytest::Fill(data, 10, 2, counts);
    ShowWindow();
    TypeInto(window->txtParam[2], "15.5");
    Calculate();
    ASSERT_TRUE(window->ResultPresent());
    window->mnuPrint->trigger();
    EXPECT_EQ(testsupport::LinesWiderThanThePage(printer.get()), std::vector<std::string>{});
    // Each line of samples has the line of their Z below it.
    std::map<std::string, std::string> z, expected;
    int blocks = 0;
    const std::vector<std::string> lines = printer->texts();
    for (size_t k = 0; k + 1 < lines.size(); ++k) {
        const std::vector<std::string> samples = testsupport::Words(lines[k]);
        if (samples.empty() || samples[0].rfind("Dist.#", 0) != 0) continue;
        ++blocks;
        const std::vector<std::string> values = testsupport::Words(lines[k + 1]);
        ASSERT_EQ(values.size(), samples.size()) << lines[k + 1];
        for (size_t i = 0; i < samples.size(); ++i) z[samples[i]] = values[i];
    }
    for (int i = 1; i <= 12; ++i) expected["Dist.#" + std::to_string(i)] = i % 2 ? "1.000" : "3.000";
    EXPECT_EQ(z, expected);
    EXPECT_EQ(blocks, 2);
}

}  // namespace
