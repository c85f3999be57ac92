// The Edit menu of the main window: edit mode and its checks, the description, and the
// commands on whole samples, driven through their input boxes and pick lists.
#include <QListWidget>
#include <QPushButton>

#include "EditingFixture.h"
#include "GridSearchWindows.h"
#include "HeadlessProgressView.h"
#include "chart/HeadlessChart.h"
#include "clsGrowthParams.h"
#include "frmGridRes.h"
#include "frmMultiPickItem.h"
#include "vb/VbRuntime.h"

namespace {

const std::string kCombinedTooLarge =
    "These distributions cannot be combined: it would make the total of the combined sample too large for a data set.";

class EditMenuTest : public EditingFixture {
protected:
    void SetUp() override {
        EditingFixture::SetUp();
        OpenSample();
    }
    // The sample times and counts, sample by sample.
    std::vector<std::pair<float, std::vector<float>>> Samples() {
        clsVorn& d = window->LFD();
        std::vector<std::pair<float, std::vector<float>>> out;
        for (int16_t i = 1; i <= d.NumDists(); ++i) {
            std::vector<float> counts;
            for (int16_t j = 1; j <= d.NumClasses(); ++j) counts.push_back(d.Dists(i, j));
            out.emplace_back(d.sTime(i), counts);
        }
        return out;
    }
    // A data set of five samples at times 1..5 whose class j holds 10 i + j.
    void FiveSamples() {
        clsVorn& d = window->LFD();
        for (float t : {2.0f, 3.0f, 4.0f, 5.0f}) {
            ui->inputAnswers.push_back(vb::CStr(t));
            Choose("mnuAddDist");
        }
        d.setsTime(1, 0.0f);  // the first two of sample.vn5 are moved out of the way
        d.EraseDist(2);
        d.setsTime(1, 1.0f);
        for (int16_t i = 1; i <= 5; ++i)
            for (int16_t j = 1; j <= 5; ++j) d.setDists(i, j, static_cast<float>(10 * i + j));
    }
    // In edit mode, a sample added at 1.25, sample.vn5's second time, lands before that
    // sample as sample 2 and gets the counts 101..105.
    void ShareTheSecondTime() {
        EnterEditMode();
        ui->inputAnswers = {"1.25"};
        Choose("mnuAddDist");
        ASSERT_EQ(window->LFD().sTime(2), 1.25f);
        ASSERT_EQ(window->LFD().sTime(3), 1.25f);
        for (int16_t j = 1; j <= 5; ++j) window->LFD().setDists(2, j, 100.0f + j);
    }
    // Picks the rows in the pick list of samples and presses OK (or Cancel).
    void Pick(std::vector<int> rows, bool ok = true, std::vector<std::string>* items = nullptr) {
        WhenModal<frmMultiPickItem>([rows, ok, items](frmMultiPickItem& w) mutable {
            if (items)
                for (int k = 0; k < w.lstUnSelected->count(); ++k)
                    items->push_back(w.lstUnSelected->item(k)->text().toStdString());
            // Highest first, so the rows above keep their place in the left list.
            std::sort(rows.rbegin(), rows.rend());
            for (int row : rows) {
                w.lstUnSelected->setCurrentRow(row - 1);
                QTest::mouseClick(w.cmdSelectOne, Qt::LeftButton);
            }
            QTest::mouseClick(ok ? w.cmdOK : w.cmdCancel, Qt::LeftButton);
        });
    }
};

}  // namespace

TEST_F(EditMenuTest, EnteringEditModeAsksBeforeClearingHeldResults) {
    chart::ScopedHeadlessChart charts;
    ScopedHeadlessProgress progress;
    // A grid result and the plot of the data.
    frmGridRes& res = window->GridWindows().GridRes();
    ASSERT_TRUE(res.Create(*window->GrowthParams(), 0.2f, 0.8f, 2, 20.0f, 30.0f, 2, 0, window->LFD(), window->Log()));
    ASSERT_TRUE(res.GridDefined());
    Choose("mnuPlotData");
    ASSERT_TRUE(window->LFD().LFGraphVisible());
    // Another window's result, as the other analyses hold theirs.
    bool otherHeld = true;
    window->AddHeldResult([&] { return otherHeld; }, [&] { otherHeld = false; });

    ui->msgBoxAnswers = {forms::vbNo};
    Choose("mnuEditMode");
    ASSERT_EQ(Prompts(),
              (std::vector<std::string>{"Entering Edit Mode will clear current Grid Search and all plots, Continue?"}));
    EXPECT_EQ(ui->messages[0].buttons, forms::vbYesNo + forms::vbQuestion);
    EXPECT_EQ(ui->messages[0].title, "Vorn 5.0");
    EXPECT_EQ(ui->beeps, 1);
    EXPECT_FALSE(window->EditMode());
    EXPECT_TRUE(res.GridDefined());
    EXPECT_TRUE(window->LFD().LFGraphVisible());
    EXPECT_TRUE(otherHeld);

    ui->msgBoxAnswers = {forms::vbYes};
    Choose("mnuEditMode");
    EXPECT_TRUE(window->EditMode());
    EXPECT_FALSE(res.GridDefined());
    EXPECT_FALSE(window->LFD().LFGraphVisible());
    EXPECT_FALSE(otherHeld);
    EXPECT_EQ(ui->beeps, 2);

    // Nothing held: no question.
    Choose("mnuEditMode");
    ui->messages.clear();
    Choose("mnuEditMode");
    EXPECT_TRUE(window->EditMode());
    EXPECT_TRUE(ui->messages.empty());
}

TEST_F(EditMenuTest, DescriptionIsStoredAsTypedAndShownTrimmed) {
    const std::string before = window->LFD().FileDesc();
    ui->inputAnswers = {""};
    Choose("mnuEditFileDesc");
    ASSERT_EQ(ui->inputPrompts.size(), 1u);
    EXPECT_EQ(ui->inputPrompts[0], "File Description ; ");
    EXPECT_EQ(window->LFD().FileDesc(), before) << "Cancel";
    EXPECT_FALSE(window->LFD().IsDirty());

    ui->inputAnswers = {"  North  "};
    Choose("mnuEditFileDesc");
    EXPECT_EQ(window->LFD().FileDesc(), "  North  ");
    EXPECT_EQ(window->windowTitle(), "Vorn 5.0 - sample.vn5 - North");
    EXPECT_TRUE(window->LFD().IsDirty());
    OpenMenu("mnuFile");
    EXPECT_TRUE(window->MenuItem("mnuSave")->isEnabled());
}

TEST_F(EditMenuTest, AddingASampleAsksItsTimeAndKeepsTimeOrder) {
    EnterEditMode();
    ui->inputAnswers = {"0.75", "", "soon", "1.25"};
    Choose("mnuAddDist");
    auto samples = Samples();
    ASSERT_EQ(samples.size(), 3u);
    EXPECT_EQ(samples[1].first, 0.75f);
    EXPECT_EQ(samples[1].second, std::vector<float>(5, 0.0f));
    EXPECT_EQ(grid().Cols(), 4);
    EXPECT_EQ(Cell(0, 2), "0.75");
    EXPECT_TRUE(window->LFD().IsDirty());

    Choose("mnuAddDist");  // Cancel
    EXPECT_EQ(Samples().size(), 3u);
    Choose("mnuAddDist");
    EXPECT_EQ(Prompts(), (std::vector<std::string>{"Invalid timing for new distribution"}));
    EXPECT_EQ(Samples().size(), 3u);

    // A time already taken is accepted; edit mode cannot be left until it is changed.
    Choose("mnuAddDist");
    EXPECT_EQ(Samples().size(), 4u);
    window->LFD().setDists(2, 1, 1.0f);
    window->LFD().setDists(3, 1, 1.0f);
    ui->messages.clear();
    Choose("mnuEditMode");
    EXPECT_EQ(Prompts(), (std::vector<std::string>{
                             "Cannot have 2 distributions with the same sample timing. Please change."}));
    EXPECT_TRUE(window->EditMode());
    EXPECT_FALSE(window->MenuItem("mnuFile")->isEnabled());
    ASSERT_EQ(ui->inputPrompts.size(), 4u);
    EXPECT_EQ(ui->inputPrompts[0], "Enter timing for new distribution");
}

TEST_F(EditMenuTest, EditSampleTimeMovesTheEditedSampleEvenWhenItsTimeIsShared) {
    ShareTheSecondTime();
    const std::vector<float> original = Samples()[2].second;  // sample.vn5's second sample

    // The user edits the sample shown in column 3 (the original one) to time 2.
    GoTo(1, 3);
    ui->inputAnswers = {"2"};
    Choose("mnuEditSampleTime");
    auto samples = Samples();
    ASSERT_EQ(samples.size(), 3u);
    EXPECT_EQ(samples[1].first, 1.25f);
    EXPECT_EQ(samples[1].second, (std::vector<float>{101, 102, 103, 104, 105})) << "the other sample stays";
    EXPECT_EQ(samples[2].first, 2.0f);
    EXPECT_EQ(samples[2].second, original);
    EXPECT_EQ(ui->inputPrompts.back(), "Enter Sample Timing.");

    // The same time again, Cancel and a bad time change nothing.
    const auto before = Samples();
    GoTo(1, 2);
    ui->inputAnswers = {"1.25", "", "later"};
    Choose("mnuEditSampleTime");
    Choose("mnuEditSampleTime");
    Choose("mnuEditSampleTime");
    EXPECT_EQ(Samples(), before);
    EXPECT_EQ(Prompts(), (std::vector<std::string>{"Invalid Sample Timing"}));

    // A selection that ends on the label column names no sample: nothing is asked or erased.
    SelectBlock(1, 2, 1, 0);
    ASSERT_EQ(grid().ColSel(), 0);
    const std::size_t asked = ui->inputPrompts.size();
    Choose("mnuEditSampleTime");
    EXPECT_EQ(Samples(), before);
    EXPECT_EQ(ui->inputPrompts.size(), asked);
    EXPECT_EQ(ui->messages.size(), 2u);
}

TEST_F(EditMenuTest, EraseTakesThePickedSamplesButNeverTheLastOne) {
    EnterEditMode();
    FiveSamples();
    std::vector<std::string> items;
    Pick({2, 4}, true, &items);
    Choose("mnuEraseDist");
    EXPECT_EQ(items, (std::vector<std::string>{"Sample 1 (1)", "Sample 2 (2)", "Sample 3 (3)", "Sample 4 (4)",
                                              "Sample 5 (5)"}));
    auto samples = Samples();
    ASSERT_EQ(samples.size(), 3u);
    EXPECT_EQ(samples[0].first, 1.0f);
    EXPECT_EQ(samples[1].first, 3.0f);
    EXPECT_EQ(samples[2].first, 5.0f);
    EXPECT_EQ(samples[1].second[0], 31.0f);
    EXPECT_EQ(grid().Cols(), 4);

    // Every sample picked: refused, nothing erased.
    Pick({1, 2, 3});
    Choose("mnuEraseDist");
    EXPECT_EQ(Samples().size(), 3u);
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0].title, "Vorn 5.0");
    // Cancel erases nothing either.
    Pick({1}, false);
    Choose("mnuEraseDist");
    EXPECT_EQ(Samples().size(), 3u);
}

TEST_F(EditMenuTest, CombineSumsThePickedSamplesAtTheTimeGiven) {
    EnterEditMode();
    FiveSamples();
    // A bad time is asked again; the sums land at the time given.
    Pick({2, 4});
    ui->inputAnswers = {"x", "3.5"};
    Choose("mnuCombineDists");
    EXPECT_EQ(Prompts(), (std::vector<std::string>{"Invalid Sample Timing"}));
    auto samples = Samples();
    ASSERT_EQ(samples.size(), 4u);
    const float times[] = {1, 3, 3.5f, 5};
    for (int k = 0; k < 4; ++k) EXPECT_EQ(samples[k].first, times[k]);
    EXPECT_EQ(samples[2].second, (std::vector<float>{62, 64, 66, 68, 70}));  // (20 + j) + (40 + j)
    EXPECT_EQ(samples[1].second[0], 31.0f);
    EXPECT_EQ(window->LFD().NTotal(3), 330.0f);
    EXPECT_TRUE(window->LFD().IsDirty());

    // All of them into one.
    Pick({1, 2, 3, 4});
    ui->inputAnswers = {"0"};
    Choose("mnuCombineDists");
    samples = Samples();
    ASSERT_EQ(samples.size(), 1u);
    EXPECT_EQ(samples[0].first, 0.0f);
    EXPECT_EQ(samples[0].second[4], 15.0f + 35.0f + 70.0f + 55.0f);
}

TEST_F(EditMenuTest, CancelAtTheTimeOfACombineLeavesTheDataSetAsItWas) {
    EnterEditMode();
    FiveSamples();
    window->LFD().setIsDirty(false);
    const auto before = Samples();
    Pick({2, 4});
    ui->inputAnswers = {""};
    Choose("mnuCombineDists");
    EXPECT_EQ(Samples(), before);
    EXPECT_FALSE(window->LFD().IsDirty());
    EXPECT_TRUE(ui->inputAnswers.empty()) << "asked once";
    EXPECT_TRUE(ui->messages.empty());
}

TEST_F(EditMenuTest, CombineRefusesCountsWhoseSumASingleCannotHold) {
    EnterEditMode();
    FiveSamples();
    window->LFD().setDists(2, 3, 3e38f);
    window->LFD().setDists(4, 3, 3e38f);
    window->LFD().setIsDirty(false);
    const auto before = Samples();
    Pick({2, 4});
    ui->inputAnswers = {"3.5"};
    Choose("mnuCombineDists");
    EXPECT_EQ(Samples(), before);
    EXPECT_FALSE(window->LFD().IsDirty());
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0].prompt, kCombinedTooLarge);
}

TEST_F(EditMenuTest, CombineRefusesASampleThatCouldNotBeSaved) {
    // Two samples of 6E+37 and 1: each can be saved, their sum (1.2E+38) cannot.
    ui->openAnswers.push_back(folder.fixture("combine_over_total_limit.txt", "combine.txt"));
    ui->saveAnswers.push_back(folder.file("combine.VN5"));  // the Save As that a text file asks for
    Choose("mnuOpen");
    ASSERT_TRUE(window->DataLoaded());
    ASSERT_FALSE(window->LFD().IsDirty());
    EnterEditMode();
    const auto before = Samples();
    ASSERT_EQ(before.size(), 2u);
    ASSERT_EQ(before[0].second, (std::vector<float>{6e37f, 1.0f}));

    Pick({1, 2});
    ui->inputAnswers = {"1"};
    Choose("mnuCombineDists");
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0].prompt, kCombinedTooLarge);
    EXPECT_EQ(ui->messages[0].title, "Vorn 5.0");
    EXPECT_EQ(ui->messages[0].buttons, forms::vbExclamation);
    EXPECT_TRUE(ui->inputPrompts.empty()) << "refused before its time is asked";
    EXPECT_EQ(Samples(), before);
    EXPECT_EQ(grid().Cols(), 3);
    EXPECT_FALSE(window->LFD().IsDirty());
}

TEST_F(EditMenuTest, EditSampleTimeMovesASampleEarlierWithoutErasingAnother) {
    ShareTheSecondTime();
    const std::vector<float> first = Samples()[0].second, original = Samples()[2].second;

    // The sample in column 3 (sample.vn5's second) goes before all the others.
    GoTo(2, 3);
    ui->inputAnswers = {"0.125"};
    Choose("mnuEditSampleTime");
    auto samples = Samples();
    ASSERT_EQ(samples.size(), 3u);
    EXPECT_EQ(samples[0].first, 0.125f);
    EXPECT_EQ(samples[0].second, original);
    EXPECT_EQ(samples[1].first, 0.25f);
    EXPECT_EQ(samples[1].second, first);
    EXPECT_EQ(samples[2].first, 1.25f);
    EXPECT_EQ(samples[2].second, (std::vector<float>{101, 102, 103, 104, 105})) << "the other sample at 1.25 stays";
    EXPECT_EQ(Cell(0, 1), "0.125");
    EXPECT_EQ(Cell(0, 2), "0.25");
    EXPECT_EQ(Cell(0, 3), "1.25");
    EXPECT_TRUE(ui->messages.empty());
}

TEST_F(EditMenuTest, ClosingWhileTypingKeepsTheTypedValue) {
    EnterEditMode();
    const std::string path = window->LFD().FileName();
    ASSERT_FALSE(window->LFD().IsDirty());

    // A value that cannot be stored keeps the window open, the box with it.
    GoTo(2, 1);
    Type("4x");
    ASSERT_TRUE(box().isVisible());
    EXPECT_FALSE(window->close());
    EXPECT_EQ(Prompts(), (std::vector<std::string>{"Data must be numeric."}));
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(box().isVisible());

    // A good one, typed over the refused text, is stored before the question: Yes saves it.
    ui->messages.clear();
    Type("42");
    ui->msgBoxAnswers = {forms::vbYes, forms::vbYes};  // save; keep the log
    EXPECT_TRUE(window->close());
    ASSERT_EQ(ui->messages.size(), 2u);
    EXPECT_EQ(ui->messages[0].prompt, "Save changes to current data set");
    clsVorn saved;
    saved.OpenFile(path);
    EXPECT_EQ(saved.Dists(1, 2), 42.0f);
}
