// Beverton-Holt Z and age slicing as a user reaches them from the main window: File > Open,
// Functions > Beverton-Holt Z and Functions > Age Slice, the run log and the saved report
// line by line, Cancel, and input the calculations refuse.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "../MortalityFixtures.h"
#include "FlexGrid.h"
#include "HeadlessProgressView.h"
#include "MVornGlobs.h"
#include "MainWindowRoad.h"
#include "chart/HeadlessChart.h"
#include "clsGrowthParams.h"
#include "clsLog.h"
#include "clsVorn.h"
#include "frmAgeSlice.h"
#include "frmBevHolt.h"
#include "frmResTable.h"
#include "print/Printer.h"

namespace {

const std::string kTildes(44, '~');
using mortalitytest::kTwoSamples;  // with K 1 and Linf 30: Z 1 and 3

class MortalityRoadTest : public MainWindowRoad {
protected:
    // Opens a data set of these counts (classes from 10, 2 wide) with File > Open.
    void Open(const std::string& name, const std::vector<std::vector<float>>& counts) {
        std::vector<float> times(counts.size());
        for (size_t i = 0; i < times.size(); ++i) times[i] = 0.25f * static_cast<float>(i + 1);
        clsVorn data;
        mortalitytest::Fill(data, 10, 2, counts, times);
        data.setFileDesc("Hand-made hake");
        OpenData(data, name);
        // Opening set Linf from the classes; these are the tests' own.
        window->GrowthParams()->setk(1);
        window->GrowthParams()->setLinf(30);
    }
    // Functions > Beverton-Holt Z with `act` run inside the modal window; the window is
    // closed afterwards with its Close button.
    void BevHolt(const std::function<void(frmBevHolt&)>& act) {
        bool seen = false;
        WhenModal<frmBevHolt>(
            [act](frmBevHolt& w) {
                QApplication::setActiveWindow(&w);
                act(w);
                QTest::mouseClick(w.cmdCancel, Qt::LeftButton);
            },
            &seen);
        Choose("mnuBevHoltZ");
        ASSERT_TRUE(seen);
        EXPECT_TRUE(window->isEnabled());
    }
    frmAgeSlice& AgeSlice() {
        Choose("mnuAgeSlice");
        frmAgeSlice* w = window->AgeSliceWindow();
        EXPECT_NE(w, nullptr);
        QApplication::setActiveWindow(w);
        EXPECT_TRUE(w->isVisible());
        EXPECT_FALSE(window->isEnabled());
        return *w;
    }
    std::string LogSince(size_t from) const { return window->Log().Buffer().substr(from); }

    chart::ScopedHeadlessChart charts;
    print::ScopedRecordingPrinter printer;
};

}  // namespace

TEST_F(MortalityRoadTest, BevertonHoltIsLoggedAndSaved) {
    Open("hake.vn5", kTwoSamples);
    const size_t before = window->Log().Buffer().size();
    const std::string report = folder.file("hake.dat");
    ui->saveAnswers.push_back(report);
    BevHolt([](frmBevHolt& w) {
        EXPECT_EQ(w.txtParam[2]->text(), "15.000");
        TypeInto(w.txtParam[2], "15.5");
        QTest::mouseClick(w.cmdCalc, Qt::LeftButton);
        w.mnuSave->trigger();
    });
    EXPECT_TRUE(ui->messages.empty()) << ui->messages[0].prompt;
    const std::vector<std::string> lines{"BEVERTON-HOLT Z", "K = 1.000",         "Linf = 30.000",
                                         "Lc = 15.5",       "\r",                "Dist.#1\tDist.#2\t",
                                         "1.000\t3.000\t",  "\r",                "Mean Z = 2.000\r",
                                         "Standard Error Z = 1.0000\r"};
    std::vector<std::string> block{kTildes};
    block.insert(block.end(), lines.begin(), lines.end());
    EXPECT_EQ(SplitLines(LogSince(before)), block);
    ASSERT_EQ(ui->saveRequests.size(), 1u);
    EXPECT_EQ(ui->saveRequests[0].fileName, "hake.dat");
    EXPECT_EQ(SplitLines(WorkingFolder::read(report)), lines);
    // The shared growth parameters are the window's to read, not to change.
    EXPECT_EQ(window->GrowthParams()->k(), 1.0f);
}

TEST_F(MortalityRoadTest, AgeSliceIsTabledAndLogged) {
    Open("hake.vn5", kTwoSamples);
    window->GrowthParams()->setT0(-0.5f);
    const size_t before = window->Log().Buffer().size();
    frmAgeSlice& w = AgeSlice();
    QTest::mouseClick(w.cmdCalc, Qt::LeftButton);
    ASSERT_TRUE(w.ResultPresent()) << (ui->messages.empty() ? "" : ui->messages[0].prompt);
    const frmResTable* table = w.ResTable();
    ASSERT_NE(table, nullptr);
    EXPECT_TRUE(table->isVisible());
    // K 1, Linf 30, t0 -0.5: the bound 10 has age -0.5 + ln 1.5 = -0.095, so row 1 holds age -1.
    EXPECT_EQ(table->Grid()->TextMatrix(1, 0), "-1");
    w.mnuLog->trigger();
    const std::vector<std::string> log = SplitLines(LogSince(before));
    ASSERT_GE(log.size(), 12u);
    EXPECT_EQ(log[0], kTildes);
    EXPECT_EQ(log[1], "AGE SLICING");
    EXPECT_EQ(log[2], "Growth Curve: Non Seasonal");
    EXPECT_EQ(log[3], "K: 1");
    EXPECT_EQ(log[5], "Tzero: -0.5");
    EXPECT_EQ(log[9], "Age\tDist.#1\tDist.#2\t");
    // Every table row is labelled as in the table window.
    for (int r = 1; r < table->Grid()->Rows(); ++r)
        EXPECT_EQ(log[9 + r].substr(0, log[9 + r].find('\t')), table->Grid()->TextMatrix(r, 0)) << r;
    EXPECT_EQ(log.back(), "\r");

    QTest::mouseClick(w.cmdCancel, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(table->isVisible());
    EXPECT_TRUE(window->isEnabled());
}

TEST_F(MortalityRoadTest, CancelLogsNothingAndLeavesTheWindowAsItWas) {
    Open("hake.vn5", kTwoSamples);
    const std::string log = window->Log().Buffer();
    const QString caption = window->windowTitle();
    BevHolt([](frmBevHolt&) {});
    frmAgeSlice& w = AgeSlice();
    QTest::mouseClick(w.cmdCancel, Qt::LeftButton);
    EXPECT_TRUE(ui->messages.empty());
    EXPECT_EQ(window->Log().Buffer(), log);
    EXPECT_EQ(window->windowTitle(), caption);
    EXPECT_TRUE(window->isEnabled());
    EXPECT_FALSE(window->LFD().IsDirty());
    EXPECT_EQ(window->GrowthParams()->k(), 1.0f);
    emit window->TopMenu("mnuFunctions")->aboutToShow();
    EXPECT_TRUE(window->MenuItem("mnuBevHoltZ")->isEnabled());
    EXPECT_TRUE(window->MenuItem("mnuAgeSlice")->isEnabled());
}

TEST_F(MortalityRoadTest, RefusedInputIsToldAndNothingIsLogged) {
    struct Case {
        const char* what;
        std::vector<std::vector<float>> counts;
        const char *K, *Linf, *Lc;
        const char* message;  // of Beverton-Holt; age slicing has its one message
        bool sliced;          // whether age slicing succeeds
    };
    const std::vector<float> empty(8, 0.0f);
    const Case cases[] = {
        {"an empty sample", {empty}, "1", "30", "14", "No sample has fish at or above Lc", false},
        {"Linf 0", kTwoSamples, "1", "0", "14", "Linf must be greater than 0", false},
        {"Lc above the classes", kTwoSamples, "1", "40", "27", "lies above the length classes", true},
        {"every class at or above Linf", kTwoSamples, "1", "9", "4", "Every length class lies at or above Linf", false},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Open("set" + std::to_string(++n) + ".vn5", c.counts);
        const std::string log = window->Log().Buffer();
        ui->messages.clear();
        BevHolt([&c](frmBevHolt& w) {
            TypeInto(w.txtParam[0], c.K);
            TypeInto(w.txtParam[1], c.Linf);
            TypeInto(w.txtParam[2], c.Lc);
            QTest::mouseClick(w.cmdCalc, Qt::LeftButton);
            EXPECT_FALSE(w.ResultPresent());
        });
        ASSERT_EQ(ui->messages.size(), 1u);
        EXPECT_EQ(ui->messages[0].prompt.rfind("Calculation Failed\r", 0), 0u);
        EXPECT_NE(ui->messages[0].prompt.find(c.message), std::string::npos) << ui->messages[0].prompt;
        EXPECT_NE(folder.errorLog().find(c.message), std::string::npos);

        ui->messages.clear();
        frmAgeSlice& w = AgeSlice();
        TypeInto(w.txtParam[0], c.K);
        TypeInto(w.txtParam[1], c.Linf);
        QTest::mouseClick(w.cmdCalc, Qt::LeftButton);
        EXPECT_EQ(w.ResultPresent(), c.sliced);
        if (!c.sliced) {
            ASSERT_EQ(ui->messages.size(), 1u);
            EXPECT_EQ(ui->messages[0].prompt, "Unable to Calculate Age Slices, try different parameter values");
        }
        QTest::mouseClick(w.cmdCancel, Qt::LeftButton);
        EXPECT_EQ(window->Log().Buffer(), log);
        EXPECT_TRUE(window->isEnabled());
        EXPECT_TRUE(window->DataLoaded());
    }
}
