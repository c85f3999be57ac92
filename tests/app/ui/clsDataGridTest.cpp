// The grid editor as the user meets it in the main window: keys, mouse, the clipboard
// (its exact text both ways) and the number format and font of whole columns.
#include "clsDataGrid.h"

#include <QFont>
#include <functional>
#include <iterator>
#include <QListWidget>
#include <QPushButton>

#include "EditingFixture.h"
#include "frmNumberFormat.h"

namespace {

class DataGridTest : public EditingFixture {
protected:
    void SetUp() override {
        EditingFixture::SetUp();
        OpenSample();
        EnterEditMode();
    }
};

}  // namespace

TEST_F(DataGridTest, TypingADigitStartsANewValueAndEnterStoresIt) {
    GoTo(3, 1);
    Type("4");
    ASSERT_TRUE(box().isVisible());
    EXPECT_EQ(QApplication::focusWidget(), &box());
    EXPECT_EQ(box().text(), "4");
    EXPECT_EQ(box().cursorPosition(), 1);
    EXPECT_FALSE(box().hasSelectedText());
    EXPECT_EQ(box().geometry().topLeft(), grid().geometry().topLeft() + grid().CellRect().topLeft())
        << "the box lies over the cell";
    Type("2.5");
    Key(Qt::Key_Return);
    EXPECT_FALSE(box().isVisible());
    EXPECT_EQ(Count(1, 3), 42.5f);
    EXPECT_EQ(Cell(3, 1), "42.50");
    EXPECT_EQ(grid().Row(), 3) << "Enter keeps the current cell";
    EXPECT_EQ(window->stsBar->PanelText("NUMBER"), "42.5");
    EXPECT_TRUE(window->LFD().IsDirty());
    EXPECT_TRUE(ui->messages.empty());
    EXPECT_EQ(ui->beeps, 0);
}

TEST_F(DataGridTest, OtherKeysBeepAndEditTheCellsText) {
    GoTo(3, 1);
    Type("x");
    EXPECT_EQ(ui->beeps, 1);
    ASSERT_TRUE(box().isVisible());
    EXPECT_EQ(box().text(), "12.50");
    EXPECT_EQ(box().selectedText(), "12.50");

    // Enter on the grid and a double click edit the cell's text too, without a beep.
    Key(Qt::Key_Escape);
    Key(Qt::Key_Return);
    EXPECT_TRUE(box().isVisible());
    EXPECT_EQ(box().selectedText(), "12.50");
    Key(Qt::Key_Escape);
    const QRect r = grid().visualRect(grid().model()->index(4, 2));
    QTest::mouseDClick(grid().viewport(), Qt::LeftButton, {}, r.center());
    ASSERT_TRUE(box().isVisible());
    EXPECT_EQ(box().text().toStdString(), Cell(4, 2));
    EXPECT_EQ(ui->beeps, 1);
    Key(Qt::Key_End);
    Type("5");
    Key(Qt::Key_Return);
    EXPECT_EQ(Cell(4, 2), vb::Format(Count(2, 4), "0.00"));

    // Backspace is a control key too: it opens the cell's text, and a second one clears it.
    GoTo(3, 1);
    Key(Qt::Key_Backspace);
    ASSERT_TRUE(box().isVisible());
    EXPECT_EQ(box().selectedText(), "12.50");
    Key(Qt::Key_Backspace);
    Key(Qt::Key_Return);
    EXPECT_EQ(Count(1, 3), 0.0f);
    EXPECT_EQ(Cell(3, 1), "0.00");
    EXPECT_EQ(ui->beeps, 1);
}

TEST_F(DataGridTest, OnlyNumbersAreAcceptedAndNegativeCountsAreStoredAsZero) {
    GoTo(3, 1);
    Type("1a");
    Key(Qt::Key_Return);
    ASSERT_EQ(Prompts(), (std::vector<std::string>{"Data must be numeric."}));
    EXPECT_EQ(ui->messages[0].title, "Vorn 5.0");
    EXPECT_EQ(ui->messages[0].buttons, forms::vbExclamation);
    EXPECT_TRUE(box().isVisible()) << "the user stays in the box to correct it";
    EXPECT_EQ(box().selectedText(), "1a");
    EXPECT_EQ(Count(1, 3), 12.5f);
    EXPECT_EQ(Cell(3, 1), "12.50");

    Type("-7");
    Key(Qt::Key_Return);
    EXPECT_EQ(Count(1, 3), 0.0f);
    EXPECT_EQ(Cell(3, 1), "0.00") << "the cell shows what was stored";

    // An emptied box stores the empty value, 0; a thousands separator is read as one.
    Key(Qt::Key_Return);
    Key(Qt::Key_Backspace);
    Key(Qt::Key_Return);
    EXPECT_EQ(Count(1, 3), 0.0f);
    Key(Qt::Key_Return);
    Type("1,234.5");
    Key(Qt::Key_Return);
    EXPECT_EQ(Count(1, 3), 1234.5f);
    EXPECT_EQ(ui->messages.size(), 1u);
}

TEST_F(DataGridTest, EscapeAndTabAbandonTheEdit) {
    GoTo(2, 2);
    const std::string before = Cell(2, 2);
    const float count = Count(2, 2);
    for (Qt::Key leave : {Qt::Key_Escape, Qt::Key_Tab}) {
        Type("99");
        Key(leave);
        EXPECT_FALSE(box().isVisible()) << leave;
        EXPECT_EQ(Cell(2, 2), before) << leave;
        EXPECT_EQ(Count(2, 2), count) << leave;
        EXPECT_EQ(QApplication::focusWidget(), &grid()) << leave;
    }
}

TEST_F(DataGridTest, OpeningAMenuOrAnotherWindowLeavesAnEmptiedBoxEmpty) {
    // The user empties the box, takes a value from the Edit menu, or from another
    // program, and pastes it in: the box holds just that value.
    GoTo(3, 1);
    Type("5");
    Key(Qt::Key_Backspace);
    ASSERT_EQ(box().text(), "");
    QMenu* edit = window->TopMenu("mnuEdit");
    edit->popup(window->mapToGlobal(QPoint(10, 10)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(edit));
    edit->hide();
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    QApplication::setActiveWindow(window.get());
    EXPECT_EQ(QApplication::focusWidget(), &box());
    EXPECT_EQ(box().text(), "");
    SetClipboard("3.5");
    Choose("mnuPaste");
    Key(Qt::Key_Return);
    EXPECT_EQ(Count(1, 3), 3.5f);
    EXPECT_TRUE(ui->messages.empty());
}

TEST_F(DataGridTest, UpAndDownStoreAndMoveAndBeepAtTheEdges) {
    struct Step {
        Qt::Key key;
        const char* typed;
        int rowAfter;
        int beeps;
    };
    // Rows 1..5 hold the classes; row 0 is the header.
    GoTo(1, 1);
    const Step steps[] = {{Qt::Key_Up, "1", 1, 1},   {Qt::Key_Down, "2", 2, 1}, {Qt::Key_Down, "3", 3, 1},
                          {Qt::Key_Down, "4", 4, 1}, {Qt::Key_Down, "5", 5, 1}, {Qt::Key_Down, "6", 5, 2}};
    int row = 1;
    for (const Step& s : steps) {
        Type(s.typed);
        Key(s.key);
        EXPECT_EQ(Count(1, row), std::stof(s.typed)) << "stored into the row it was typed in";
        EXPECT_EQ(grid().Row(), s.rowAfter);
        EXPECT_EQ(ui->beeps, s.beeps);
        EXPECT_FALSE(box().isVisible());
        row = s.rowAfter;
    }
    // An invalid value neither stores nor moves.
    Type("-");
    Key(Qt::Key_Up);
    EXPECT_EQ(grid().Row(), 5);
    EXPECT_EQ(Prompts(), (std::vector<std::string>{"Data must be numeric."}));
}

TEST_F(DataGridTest, AClickElsewhereStoresTheValueInItsOwnCellThenMoves) {
    GoTo(2, 1);
    Type("8");
    ClickCell(4, 2);
    EXPECT_FALSE(box().isVisible());
    EXPECT_EQ(Count(1, 2), 8.0f);
    EXPECT_EQ(Cell(2, 1), "8.00");
    EXPECT_EQ(grid().Row(), 4);
    EXPECT_EQ(grid().Col(), 2);
    EXPECT_NE(Count(2, 4), 8.0f);

    // An invalid value is refused once, and the edit stays on its cell.
    Type("-x");
    ClickCell(1, 1);
    EXPECT_EQ(Prompts(), (std::vector<std::string>{"Data must be numeric."}));
    EXPECT_TRUE(box().isVisible());
    EXPECT_EQ(grid().Row(), 4);
    EXPECT_EQ(grid().Col(), 2);
}

TEST_F(DataGridTest, AValueStillBeingTypedGoesIntoItsOwnCell) {
    // The font command moves the grid to the top of the column while the box is open.
    GoTo(3, 1);
    Type("9");
    ui->fontAnswers = {forms::FontChoice{"Serif", 10.0f, false, false}};
    Choose("mnuFormat");
    ASSERT_EQ(grid().Row(), 1);
    Key(Qt::Key_Return);
    EXPECT_EQ(Count(1, 3), 9.0f);
    EXPECT_EQ(Cell(3, 1), "9.00");
    EXPECT_EQ(Count(1, 1), 0.0f);

    // So does the number format dialog, cancelled.
    GoTo(4, 1);
    Type("6");
    WhenModal<frmNumberFormat>([](frmNumberFormat& d) { QTest::keyClick(d.lstFormat, Qt::Key_Escape); });
    Choose("mnuNumber");
    ASSERT_EQ(grid().Row(), 1);
    QApplication::setActiveWindow(window.get());
    ASSERT_EQ(QApplication::focusWidget(), &box());
    Key(Qt::Key_Return);
    EXPECT_EQ(Count(1, 4), 6.0f);
    EXPECT_EQ(Count(1, 1), 0.0f);

    // Leaving edit mode stores it first.
    GoTo(2, 2);
    Type("77");
    Choose("mnuEditMode");
    EXPECT_FALSE(window->EditMode());
    EXPECT_EQ(Count(2, 2), 77.0f);
    EXPECT_FALSE(box().isVisible());
}

TEST_F(DataGridTest, OutsideEditModeTheGridOnlySaysSo) {
    Choose("mnuEditMode");
    ASSERT_FALSE(window->EditMode());
    GoTo(3, 1);
    Type("5");
    const QRect r = grid().visualRect(grid().model()->index(3, 1));
    QTest::mouseDClick(grid().viewport(), Qt::LeftButton, {}, r.center());
    EXPECT_EQ(Prompts(), (std::vector<std::string>(2, "You must be in Edit Mode to Edit Data")));
    EXPECT_FALSE(box().isVisible());
    EXPECT_EQ(Count(1, 3), 12.5f);

    // Copy is off, as the Edit menu shows, and Ctrl+C leaves the clipboard alone.
    OpenMenu("mnuEdit");
    EXPECT_FALSE(window->MenuItem("mnuCopy")->isEnabled());
    SetClipboard("kept");
    QTest::keyClick(&grid(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(ClipboardText(), "kept");
}

TEST_F(DataGridTest, CopyPutsTheBlockAsTabSeparatedLinesEndingInCrLf) {
    // Cells (2,1) (2,2) / (3,1) (3,2) hold these texts.
    const std::string a = Cell(2, 1), b = Cell(2, 2), c = Cell(3, 1), d = Cell(3, 2);
    SelectBlock(2, 1, 3, 2);
    Choose("mnuCopy");
    EXPECT_EQ(ClipboardText(), a + "\t" + b + "\r\n" + c + "\t" + d + "\r\n");

    GoTo(3, 1);
    QTest::keyClick(&grid(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(ClipboardText(), "12.50\r\n");

    // In the edit box only its selection is copied; elsewhere nothing is.
    Type("12345");
    box().setSelection(1, 2);
    Choose("mnuCopy");
    EXPECT_EQ(ClipboardText(), "23");
    Key(Qt::Key_Escape);
    window->centralWidget()->setFocus();
    Choose("mnuCopy");
    EXPECT_EQ(ClipboardText(), "");
}

TEST_F(DataGridTest, PasteOfOneValueFillsTheSelection) {
    const float outside = Count(1, 4);
    const char* texts[] = {"7\r\n", "8", "9\n"};  // Linux programs end lines with LF alone
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        SelectBlock(1, 1, 3, 2);
        SetClipboard(text);
        Choose("mnuPaste");
        const std::string value(1, text[0]);
        for (int r = 1; r <= 3; ++r)
            for (int c = 1; c <= 2; ++c) {
                EXPECT_EQ(Count(c, r), std::stof(value));
                EXPECT_EQ(Cell(r, c), value);
            }
    }
    EXPECT_EQ(Count(1, 4), outside) << "outside the selection nothing changed";
    EXPECT_TRUE(ui->messages.empty());

    SetClipboard("abc\r\n");
    Choose("mnuPaste");
    EXPECT_EQ(Prompts(), (std::vector<std::string>{"Data must be numeric."}));
    EXPECT_EQ(ui->messages[0].buttons, forms::vbExclamation);
    EXPECT_EQ(Count(1, 1), 9.0f);
}

TEST_F(DataGridTest, PasteOfABlockStartsAtTheCurrentCell) {
    GoTo(3, 1);
    SetClipboard("1\t2\r\n3\t4\r\n");
    Choose("mnuPaste");
    EXPECT_EQ(Count(1, 3), 1.0f);
    EXPECT_EQ(Count(2, 3), 2.0f);
    EXPECT_EQ(Count(1, 4), 3.0f);
    EXPECT_EQ(Count(2, 4), 4.0f);
    EXPECT_EQ(Cell(4, 2), "4");
    EXPECT_TRUE(ui->messages.empty());

    // Two lines as a text editor copies them, with no line end after the last: a column.
    GoTo(1, 2);
    grid().setRowSel(5);
    SetClipboard("5\n6");
    QTest::keyClick(&grid(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Count(2, 1), 5.0f);
    EXPECT_EQ(Count(2, 2), 6.0f);
    EXPECT_EQ(Count(2, 3), 2.0f) << "the rest of the selection is not filled";
    EXPECT_TRUE(ui->messages.empty());
}

TEST_F(DataGridTest, APasteWithABadCellStoresNothingAndSaysWhichCell) {
    struct Refused {
        const char* what;
        std::string text;
        std::string prompt;
    };
    const std::string numeric = "Data must be numeric.\r", nothing = "\rNothing was pasted.";
    // Copied from a spreadsheet: TAB between cells, CR LF or LF after rows.
    const Refused cases[] = {
        {"a letter", "5\t6\r\n6\tx\r\n", numeric + "Row 2, column 2 of the pasted block, \"x\", is not a number." + nothing},
        {"German decimal commas", "3,5\t1,25\n1234,5\t2\n",
         numeric + "Row 1, column 1 of the pasted block, \"3,5\", is not a number." + nothing},
        {"an empty last cell", "5\t6\t", numeric + "Row 1, column 3 of the pasted block is empty." + nothing},
        {"an empty cell inside", "5\t\t6\r\n", numeric + "Row 1, column 2 of the pasted block is empty." + nothing},
        {"two line ends at the end", "5\n\n", numeric + "Row 2, column 1 of the pasted block is empty." + nothing},
        {"past the last column", "1\t2\t3\r\n",
         "Row 1, column 3 of the pasted block falls outside the grid: the block has 1 row and 3 columns." + nothing},
        {"past the last row", "1\r\n2\r\n3\r\n4\r\n",
         "Row 4, column 1 of the pasted block falls outside the grid: the block has 4 rows and 1 column." + nothing},
    };
    for (const Refused& c : cases) {
        SCOPED_TRACE(c.what);
        clsVorn before;
        before.CopyFields(window->LFD());
        std::vector<std::string> cells;
        for (int r = 1; r <= 5; ++r)
            for (int col = 1; col <= 2; ++col) cells.push_back(Cell(r, col));
        ui->messages.clear();
        GoTo(3, 1);
        SetClipboard(c.text);
        Choose("mnuPaste");
        ASSERT_EQ(Prompts(), std::vector<std::string>{c.prompt});
        EXPECT_EQ(ui->messages[0].title, "Vorn 5.0");
        EXPECT_EQ(ui->messages[0].buttons, forms::vbExclamation);
        std::vector<std::string> after;
        for (int r = 1; r <= 5; ++r)
            for (int col = 1; col <= 2; ++col) {
                after.push_back(Cell(r, col));
                EXPECT_EQ(Count(col, r), before.Dists(static_cast<int16_t>(col), static_cast<int16_t>(r)));
            }
        EXPECT_EQ(after, cells);
    }

    // One value with commas that are no thousands separators fills nothing.
    ui->messages.clear();
    SelectBlock(1, 1, 2, 2);
    SetClipboard("12,0,3.5");
    Choose("mnuPaste");
    EXPECT_EQ(Prompts(), (std::vector<std::string>{"Data must be numeric."}));
    EXPECT_NE(Count(1, 1), 1203.5f);
    EXPECT_NE(Count(2, 2), 1203.5f);
}

TEST_F(DataGridTest, CommasAreReadOnlyAsThousandsSeparators) {
    // The program's own copy of a formatted cell pastes back.
    SetClipboard("1,234.00\t12,345\r\n");
    GoTo(1, 1);
    Choose("mnuPaste");
    EXPECT_EQ(Count(1, 1), 1234.0f);
    EXPECT_EQ(Count(2, 1), 12345.0f);
    EXPECT_TRUE(ui->messages.empty());

    // A decimal comma typed into a cell is refused there, and the cell keeps its value.
    for (const char* typed : {"3,5", "1,25", "1234,5", "0,250", "-0,750", "00,500"}) {
        SCOPED_TRACE(typed);
        ui->messages.clear();
        GoTo(3, 1);
        Type(typed);
        Key(Qt::Key_Return);
        EXPECT_EQ(Prompts(), (std::vector<std::string>{"Data must be numeric."}));
        EXPECT_TRUE(box().isVisible());
        Key(Qt::Key_Escape);
        EXPECT_EQ(Count(1, 3), 12.5f);
        EXPECT_EQ(Cell(3, 1), "12.50");
    }

    // Sample times alike: a new sample at 0,5 or a quarter year 0,250, and a sample moved
    // to 0,5 or 0,500, are refused.
    ui->messages.clear();
    const float t1 = window->LFD().sTime(1), t2 = window->LFD().sTime(2);
    ui->inputAnswers = {"0,5", "0,250", "0,5", "0,500"};
    Choose("mnuAddDist");
    Choose("mnuAddDist");
    GoTo(1, 2);
    Choose("mnuEditSampleTime");
    Choose("mnuEditSampleTime");
    EXPECT_EQ(Prompts(), (std::vector<std::string>{"Invalid timing for new distribution",
                                                   "Invalid timing for new distribution", "Invalid Sample Timing",
                                                   "Invalid Sample Timing"}));
    EXPECT_EQ(window->LFD().NumDists(), 2);
    EXPECT_EQ(window->LFD().sTime(1), t1);
    EXPECT_EQ(window->LFD().sTime(2), t2);
}

TEST_F(DataGridTest, ACountThatMakesItsSamplesTotalTooLargeIsRefusedAtTheCell) {
    // A data set's samples may add up to 1E+38 at most; a single goes to 3.4E+38.
    const std::string tooLarge = "it would make the total of sample 1 too large for a data set.";
    GoTo(3, 1);
    Type("3E+38");
    Key(Qt::Key_Return);
    EXPECT_EQ(Prompts(), (std::vector<std::string>{"This count cannot be stored: " + tooLarge}));
    EXPECT_TRUE(box().isVisible()) << "the user stays in the box to correct it";
    Key(Qt::Key_Escape);
    EXPECT_EQ(Count(1, 3), 12.5f);

    // Two values each within the limit, together beyond it.
    ui->messages.clear();
    GoTo(2, 1);
    SetClipboard("6E+37\r\n6E+37\r\n");
    Choose("mnuPaste");
    EXPECT_EQ(Prompts(), (std::vector<std::string>{"Row 2, column 1 of the pasted block cannot be stored: " +
                                                   tooLarge + "\rNothing was pasted."}));
    EXPECT_NE(Count(1, 2), 6E+37f);
    EXPECT_NE(Count(1, 3), 6E+37f);

    // One value that fills a selection.
    ui->messages.clear();
    SelectBlock(1, 1, 2, 1);
    SetClipboard("6E+37\r\n");
    Choose("mnuPaste");
    EXPECT_EQ(Prompts(), (std::vector<std::string>{"The cell at row 2, column 1 cannot be stored: " + tooLarge +
                                                   "\rNothing was pasted."}));
    EXPECT_NE(Count(1, 1), 6E+37f);

    // Up to the limit it is stored, and the set can still be saved.
    ui->messages.clear();
    GoTo(2, 1);
    SetClipboard("4E+37\r\n4E+37\r\n");
    Choose("mnuPaste");
    EXPECT_TRUE(ui->messages.empty());
    EXPECT_EQ(Count(1, 2), 4E+37f);
    EXPECT_EQ(window->LFD().ContentFault(), "");
}

TEST_F(DataGridTest, ABlockPastesFromTheCellWhereTheSelectionStarted) {
    // The user marks (2,1)..(3,2) in four ways; the block lands at (2,1) each time.
    const std::function<void()> marks[] = {
        [this] {  // dragging the mouse
            QApplication::setActiveWindow(window.get());
            const QRect from = grid().visualRect(grid().model()->index(2, 1));
            const QRect to = grid().visualRect(grid().model()->index(3, 2));
            QTest::mousePress(grid().viewport(), Qt::LeftButton, {}, from.center());
            QTest::mouseMove(grid().viewport(), to.center());
            QTest::mouseRelease(grid().viewport(), Qt::LeftButton, {}, to.center());
        },
        [this] {  // a click, then a click with Shift held
            ClickCell(2, 1);
            const QRect to = grid().visualRect(grid().model()->index(3, 2));
            QTest::mouseClick(grid().viewport(), Qt::LeftButton, Qt::ShiftModifier, to.center());
        },
        [this] {  // Shift and the arrow keys
            GoTo(2, 1);
            QTest::keyClick(&grid(), Qt::Key_Down, Qt::ShiftModifier);
            QTest::keyClick(&grid(), Qt::Key_Right, Qt::ShiftModifier);
        },
        [this] {  // Shift and End, then Shift and Down
            GoTo(2, 1);
            QTest::keyClick(&grid(), Qt::Key_End, Qt::ShiftModifier);
            QTest::keyClick(&grid(), Qt::Key_Down, Qt::ShiftModifier);
        },
    };
    for (std::size_t k = 0; k < std::size(marks); ++k) {
        SCOPED_TRACE(k);
        GoTo(5, 1);
        marks[k]();
        EXPECT_EQ(grid().Row(), 2);
        EXPECT_EQ(grid().Col(), 1);
        EXPECT_EQ(grid().RowSel(), 3);
        EXPECT_EQ(grid().ColSel(), 2);
        const std::string top = Cell(2, 1) + "\t" + Cell(2, 2) + "\r\n" + Cell(3, 1) + "\t" + Cell(3, 2) + "\r\n";
        QTest::keyClick(&grid(), Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(ClipboardText(), top);

        const float below = Count(1, 4);
        const std::string v = std::to_string(k + 1);
        SetClipboard(v + "1\t" + v + "2\r\n" + v + "3\t" + v + "4\r\n");
        QTest::keyClick(&grid(), Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(Count(1, 2), std::stof(v + "1"));
        EXPECT_EQ(Count(2, 2), std::stof(v + "2"));
        EXPECT_EQ(Count(1, 3), std::stof(v + "3"));
        EXPECT_EQ(Count(2, 3), std::stof(v + "4"));
        EXPECT_EQ(Count(1, 4), below);
    }
    EXPECT_TRUE(ui->messages.empty());
}

TEST_F(DataGridTest, SelectAllTakesTheDataCellsAndLeavesTheHeadersAlone) {
    std::string all, header;
    for (int r = 1; r <= 5; ++r) all += Cell(r, 1) + "\t" + Cell(r, 2) + "\r\n";
    for (int r = 0; r <= 5; ++r) header += Cell(r, 0) + "|";
    header += Cell(0, 1) + "|" + Cell(0, 2);
    GoTo(3, 2);
    QTest::keyClick(&grid(), Qt::Key_A, Qt::ControlModifier);
    Choose("mnuCopy");
    EXPECT_EQ(ClipboardText(), all);

    Choose("mnuCut");
    EXPECT_EQ(ClipboardText(), all);
    std::string after;
    for (int r = 0; r <= 5; ++r) after += Cell(r, 0) + "|";
    after += Cell(0, 1) + "|" + Cell(0, 2);
    EXPECT_EQ(after, header) << "the sample times and class bounds stay";
    for (int i = 1; i <= 2; ++i)
        for (int j = 1; j <= 5; ++j) EXPECT_EQ(Count(i, j), 0.0f);
}

TEST_F(DataGridTest, CutEmptiesTheCellsAndTheWholeEditBox) {
    const std::string a = Cell(3, 1), b = Cell(3, 2);
    SelectBlock(3, 1, 3, 2);
    Choose("mnuCut");
    EXPECT_EQ(ClipboardText(), a + "\t" + b + "\r\n");
    EXPECT_EQ(Count(1, 3), 0.0f);
    EXPECT_EQ(Count(2, 3), 0.0f);
    EXPECT_EQ(Cell(3, 1), "0");

    GoTo(2, 1);
    Type("123");
    box().setSelection(0, 1);
    Choose("mnuCut");
    EXPECT_EQ(ClipboardText(), "1");
    EXPECT_EQ(box().text(), "") << "the whole box, not only the selection";

    // Paste in the box replaces its selection.
    Type("9x9");
    box().setSelection(1, 1);
    SetClipboard("0");
    Choose("mnuPaste");
    EXPECT_EQ(box().text(), "909");
}

TEST_F(DataGridTest, NumberFormatChangesHowWholeColumnsShowWithoutChangingTheData) {
    clsVorn before;
    before.CopyFields(window->LFD());
    GoTo(3, 1);  // 12.5: the dialog starts at Fixed with one decimal
    bool seen = false;
    WhenModal<frmNumberFormat>(
        [](frmNumberFormat& d) {
            EXPECT_EQ(d.lstFormat->currentRow(), 0);
            EXPECT_EQ(d.lstDecPlaces->currentItem()->text(), "1");
            d.lstDecPlaces->setCurrentRow(12);  // 3 places
            QTest::mouseClick(d.cmdOK, Qt::LeftButton);
        },
        &seen);
    Choose("mnuNumber");
    ASSERT_TRUE(seen);
    for (int r = 1; r <= 5; ++r) {
        EXPECT_EQ(Cell(r, 1), vb::Format(before.Dists(1, static_cast<int16_t>(r)), "0.000"));
        EXPECT_EQ(Cell(r, 2), vb::Format(before.Dists(2, static_cast<int16_t>(r)), "0.00")) << "other columns stay";
    }
    EXPECT_EQ(Cell(3, 1), "12.500");
    EXPECT_EQ(grid().Row(), 1);
    EXPECT_EQ(grid().RowSel(), 5) << "the whole column is selected";
    for (int i = 1; i <= 2; ++i)
        for (int j = 1; j <= 5; ++j) EXPECT_EQ(Count(i, j), before.Dists(i, j));

    // Cancel changes nothing.
    WhenModal<frmNumberFormat>([](frmNumberFormat& d) {
        d.lstFormat->setCurrentRow(2);
        QTest::keyClick(d.lstFormat, Qt::Key_Escape);
    });
    Choose("mnuNumber");
    EXPECT_EQ(Cell(3, 1), "12.500");
}

TEST_F(DataGridTest, FontOfWholeColumnsFromTheFontDialog) {
    GoTo(2, 2);
    forms::FontChoice font;
    font.name = "Serif";
    font.size = 12.0f;
    font.bold = true;
    font.italic = true;
    ui->fontAnswers = {std::nullopt, font};
    Choose("mnuFormat");  // cancelled
    EXPECT_FALSE(grid().CellFont(2, 2).bold());
    ASSERT_EQ(ui->fontRequests.size(), 1u);
    Choose("mnuFormat");
    for (int r = 1; r <= 5; ++r) {
        const QFont f = grid().CellFont(r, 2);
        EXPECT_TRUE(f.bold() && f.italic()) << r;
        EXPECT_EQ(f.pointSizeF(), 12.0);
        EXPECT_EQ(f.family(), "Serif");
        EXPECT_FALSE(grid().CellFont(r, 1).bold());
    }
}

TEST_F(DataGridTest, RightClickOpensTheEditMenu) {
    GoTo(3, 1);
    QMenu* edit = window->TopMenu("mnuEdit");
    const QRect r = grid().visualRect(grid().model()->index(4, 2));
    QTest::mouseClick(grid().viewport(), Qt::RightButton, {}, r.center());
    EXPECT_TRUE(edit->isVisible());
    EXPECT_TRUE(window->MenuItem("mnuPaste")->isEnabled());
    EXPECT_EQ(grid().Row(), 3) << "the right button leaves the current cell";
    edit->hide();
}
