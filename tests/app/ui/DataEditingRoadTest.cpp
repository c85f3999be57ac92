// Whole roads of data editing: a data set made with File > New and typed in through the
// grid, saved and read back; a block pasted from a spreadsheet and copied back; closing
// the program with a set edit mode would refuse.
#include <QLineEdit>
#include <QPushButton>
#include <QWindow>
#include <filesystem>

#include "EditingFixture.h"
#include "UserActions.h"
#include "frmNewDataSet.h"

namespace {

class EditingRoadTest : public EditingFixture {
protected:
    // File > New with `classes` classes of 5 from 10, typed into the dialog.
    void NewDataSet(const QString& description, const QString& classes) {
        bool seen = false;
        WhenModal<frmNewDataSet>(
            [&](frmNewDataSet& d) {
                useractions::Retype(d.txtDesc, description);
                useractions::Retype(d.txtNumClasses, classes);
                QTest::mouseClick(d.cmdOK, Qt::LeftButton);
            },
            &seen);
        Choose("mnuNew");
        ASSERT_TRUE(seen);
        ASSERT_TRUE(window->EditMode());
    }
    void AddSample(const char* time) {
        ui->inputAnswers.push_back(time);
        Choose("mnuAddDist");
    }
};

}  // namespace

TEST_F(EditingRoadTest, ADataSetTypedInThroughTheGridIsSavedAndReadBack) {
    NewDataSet("Road test", "4");
    AddSample("0.5");
    ASSERT_EQ(grid().Cols(), 3);
    ASSERT_EQ(grid().Rows(), 5);

    // The first sample down its column with Down, the second by clicking into it.
    GoTo(1, 1);
    for (const char* count : {"3", "5.5", "2", "1"}) {
        Type(count);
        Key(Qt::Key_Down);
    }
    ClickCell(1, 2);
    for (const char* count : {"0", "4", "8.25"}) {
        Type(count);
        Key(Qt::Key_Down);
    }
    Type("6");
    Key(Qt::Key_Return);
    EXPECT_EQ(ui->beeps, 1) << "Down on the last row of the first column";
    EXPECT_TRUE(ui->messages.empty());
    Choose("mnuEditMode");
    ASSERT_FALSE(window->EditMode());

    const std::string path = folder.file("road.VN5");
    ui->saveAnswers.push_back(path);
    Choose("mnuSaveAs");
    ASSERT_FALSE(window->LFD().IsDirty());
    Choose("mnuClose");
    ASSERT_FALSE(window->DataLoaded());

    ui->openAnswers.push_back(path);
    Choose("mnuOpen");
    ASSERT_TRUE(window->DataLoaded());
    clsVorn& d = window->LFD();
    EXPECT_EQ(vb::Trim(d.FileDesc()), "Road test");
    EXPECT_EQ(d.NumDists(), 2);
    EXPECT_EQ(d.NumClasses(), 4);
    EXPECT_EQ(d.MinLength(), 10.0f);
    EXPECT_EQ(d.ClassSize(), 5.0f);
    EXPECT_EQ(d.sTime(1), 0.0f);
    EXPECT_EQ(d.sTime(2), 0.5f);
    const float expected[2][4] = {{3, 5.5f, 2, 1}, {0, 4, 8.25f, 6}};
    for (int16_t i = 1; i <= 2; ++i)
        for (int16_t j = 1; j <= 4; ++j) EXPECT_EQ(d.Dists(i, j), expected[i - 1][j - 1]) << i << "," << j;
    EXPECT_EQ(Cell(3, 2), "8.25");
    EXPECT_EQ(d.NTotal(2), 18.25f);
}

TEST_F(EditingRoadTest, ABlockFromASpreadsheetPastesInAndCopiesBackOut) {
    NewDataSet("Pasted", "6");
    AddSample("1");
    AddSample("2");
    // Five rows of three cells as a spreadsheet puts them on the clipboard here (LF ends).
    SetClipboard("12\t0\t3.5\n7\t1\t0\n22\t15\t4\n9\t31\t18\n1\t6\t27\n");
    GoTo(2, 1);
    QTest::keyClick(&grid(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_TRUE(ui->messages.empty());
    const float block[5][3] = {{12, 0, 3.5f}, {7, 1, 0}, {22, 15, 4}, {9, 31, 18}, {1, 6, 27}};
    clsVorn& d = window->LFD();
    for (int16_t i = 1; i <= 3; ++i) {
        EXPECT_EQ(d.Dists(i, 1), 0.0f) << "row 1 was above the block";
        for (int16_t j = 2; j <= 6; ++j) EXPECT_EQ(d.Dists(i, j), block[j - 2][i - 1]) << i << "," << j;
    }
    EXPECT_EQ(d.NumDists(), 3);
    EXPECT_EQ(d.NumClasses(), 6);

    // The same block copied from the grid is what a spreadsheet reads: CR LF after each row.
    SelectBlock(2, 1, 6, 3);
    Choose("mnuCopy");
    EXPECT_EQ(ClipboardText(), "12\t0\t3.5\r\n7\t1\t0\r\n22\t15\t4\r\n9\t31\t18\r\n1\t6\t27\r\n");
    Choose("mnuEditMode");
    EXPECT_FALSE(window->EditMode());
}

TEST_F(EditingRoadTest, AfterNewTheGridTakesTypingAndPasteWithoutAClick) {
    NewDataSet("Straight in", "3");
    // Keys reach the window's focus widget, before the window is even active again: the
    // platform's window sends them there, as here.
    ASSERT_EQ(window->focusWidget(), &grid());
    QWindow* keys = window->windowHandle();
    QTest::keyClick(keys, Qt::Key_7);
    QTest::keyClick(keys, Qt::Key_Return);
    EXPECT_EQ(Count(1, 1), 7.0f);

    // Paste by its key, once the window is active.
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    SetClipboard("4");
    QTest::keyClick(keys, Qt::Key_Down);
    QTest::keyClick(keys, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Count(1, 2), 4.0f);
    EXPECT_TRUE(ui->messages.empty());
}

TEST_F(EditingRoadTest, ClosingInEditModeSavesNothingThatEditModeWouldRefuse) {
    NewDataSet("Unfinished", "3");
    const std::string path = folder.file("VORN00001.VN5");
    GoTo(1, 1);
    Type("5");
    Key(Qt::Key_Return);
    AddSample("1");  // left empty
    ASSERT_EQ(grid().Cols(), 3);
    auto refusedOnYes = [&](const std::string& why) {
        ui->messages.clear();
        ui->msgBoxAnswers = {forms::vbYes};  // "Save changes": Yes
        EXPECT_FALSE(window->close());
        ASSERT_EQ(ui->messages.size(), 2u) << "no question about the log";
        EXPECT_EQ(ui->messages[0].prompt, "Save changes to current data set");
        EXPECT_EQ(ui->messages[1].prompt, why);
        EXPECT_EQ(ui->messages[1].title, "Vorn 5.0");
        EXPECT_EQ(ui->messages[1].buttons, forms::vbExclamation);
        EXPECT_TRUE(window->isVisible());
        EXPECT_TRUE(window->EditMode());
        EXPECT_TRUE(window->LFD().IsDirty());
        EXPECT_FALSE(std::filesystem::exists(path)) << "nothing saved";
        OpenMenu("mnuEdit");
        EXPECT_FALSE(window->MenuItem("mnuFile")->isEnabled());
    };
    refusedOnYes("Cannot have distributions with no Data! Please change or delete.");

    // Filled, but moved to the first sample's time.
    GoTo(2, 2);
    Type("3");
    Key(Qt::Key_Return);
    ui->inputAnswers = {"0"};
    Choose("mnuEditSampleTime");
    refusedOnYes("Cannot have 2 distributions with the same sample timing. Please change.");

    // No still leaves without saving.
    ui->messages.clear();
    ui->msgBoxAnswers = {forms::vbNo, forms::vbYes};  // do not save; keep the log
    EXPECT_TRUE(window->close());
    ASSERT_EQ(ui->messages.size(), 2u);
    EXPECT_NE(ui->messages[1].prompt.find("keep the current log file"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(path));
}
