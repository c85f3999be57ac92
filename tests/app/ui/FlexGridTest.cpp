#include "FlexGrid.h"
#include "HelpViewer.h"
#include "KeyedStatusBar.h"
#include "Twips.h"

#include <QLabel>
#include <QSignalSpy>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <fstream>
#include <gtest/gtest.h>

TEST(FlexGridTest, FixedRowAndColumnAreCellsOfTheGrid) {
    FlexGrid grid;
    grid.setRows(4);
    grid.setCols(3);
    EXPECT_EQ(grid.Rows(), 4);
    EXPECT_EQ(grid.Cols(), 3);
    grid.setTextMatrix(0, 1, "0.25");
    grid.setTextMatrix(2, 0, "15");
    grid.setTextMatrix(2, 1, "3.00");
    grid.setTextMatrix(9, 9, "ignored");
    EXPECT_EQ(grid.TextMatrix(0, 1), "0.25");
    EXPECT_EQ(grid.TextMatrix(2, 0), "15");
    EXPECT_EQ(grid.TextMatrix(2, 1), "3.00");
    EXPECT_EQ(grid.TextMatrix(3, 2), "");
    EXPECT_FALSE(grid.item(0, 1)->flags() & Qt::ItemIsSelectable);
    EXPECT_TRUE(grid.item(2, 1)->flags() & Qt::ItemIsSelectable);
}

TEST(FlexGridTest, ColumnWidthsInTwipsReadBackAsSet) {
    FlexGrid grid;
    grid.setCols(3);
    for (int width : {700, 1000, 1470, 15}) {
        grid.setColWidth(1, width);
        EXPECT_EQ(grid.ColWidth(1), width);
        EXPECT_EQ(grid.columnWidth(1), twips::ToPixels(width, grid.font()));
    }
}

TEST(FlexGridTest, ASevenHundredTwipColumnHoldsACountInAnyFontSize) {
    // The window layout is in twips: mapped from the font, the data columns hold a count
    // such as 99999.00 (beside the cell's margins) whatever the font size.
    for (int points : {7, 9, 12, 16}) {
        FlexGrid grid;
        QFont font = grid.font();
        font.setPointSize(points);
        grid.setFont(font);
        grid.setCols(3);
        grid.setColWidth(1, 700);
        const int margins = 2 * (grid.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &grid) + 1) + 1;
        const int text = QFontMetrics(font).horizontalAdvance("99999.00");
        EXPECT_GE(grid.columnWidth(1), text + margins) << points << " points";
        EXPECT_EQ(grid.columnWidth(2), grid.columnWidth(1)) << points << " points";  // 700 is the default
    }
}

TEST(FlexGridTest, CurrentCellSelectionEndsAndCellEvents) {
    FlexGrid grid;
    grid.setRows(6);
    grid.setCols(5);
    grid.show();
    QSignalSpy enter(&grid, &FlexGrid::EnterCell);
    QSignalSpy leave(&grid, &FlexGrid::LeaveCell);
    grid.setRow(2);
    grid.setCol(1);
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(grid.Col(), 1);
    EXPECT_EQ(grid.RowSel(), 2);
    EXPECT_EQ(grid.ColSel(), 1);
    ASSERT_GE(enter.count(), 1);
    EXPECT_EQ(enter.last().at(0).toInt(), 2);
    EXPECT_EQ(enter.last().at(1).toInt(), 1);
    EXPECT_GE(leave.count(), 1);

    grid.setRowSel(4);
    grid.setColSel(3);
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(grid.Col(), 1);
    EXPECT_EQ(grid.RowSel(), 4);
    EXPECT_EQ(grid.ColSel(), 3);

    // Typed characters reach the owner; Enter comes as 13.
    QSignalSpy keys(&grid, &FlexGrid::KeyPress);
    QTest::keyClicks(&grid, "7");
    QTest::keyClick(&grid, Qt::Key_Return);
    ASSERT_EQ(keys.count(), 2);
    EXPECT_EQ(keys.at(0).at(0).toInt(), '7');
    EXPECT_EQ(keys.at(1).at(0).toInt(), 13);
}

TEST(FlexGridTest, TheFixedCellsAreNeverCurrent) {
    FlexGrid grid;
    grid.setRows(4);
    grid.setCols(3);
    grid.show();
    grid.setFocus();
    grid.setCurrentCell(1, 1);
    for (Qt::Key key : {Qt::Key_Up, Qt::Key_Left, Qt::Key_Home, Qt::Key_PageUp}) {
        QTest::keyClick(&grid, key);
        EXPECT_EQ(grid.Row(), 1) << key;
        EXPECT_EQ(grid.Col(), 1) << key;
    }
    QTest::keyClick(&grid, Qt::Key_Down);
    EXPECT_EQ(grid.Row(), 2);

    // A click on a header leaves the current cell; the press is still reported.
    QSignalSpy down(&grid, &FlexGrid::MouseDown);
    const QRect header = grid.visualRect(grid.model()->index(0, 2));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, header.center());
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(grid.Col(), 1);
    ASSERT_EQ(down.count(), 1);
    EXPECT_EQ(down.at(0).at(0).toInt(), 1);
}

TEST(FlexGridTest, DraggingPastTheEdgeScrollsTheBlockOn) {
    FlexGrid grid;
    grid.setRows(60);
    grid.setCols(4);
    grid.resize(300, 200);
    grid.show();
    QWidget* view = grid.viewport();
    const int lastShown = grid.rowAt(view->height() - 1);
    QTest::mousePress(view, Qt::LeftButton, {}, grid.visualRect(grid.model()->index(2, 1)).center());
    const QPoint below(grid.columnViewportPosition(2) + 5, view->height() + 10);
    for (int k = 0; k < 40; ++k) QTest::mouseMove(view, below + QPoint(0, k % 2));
    QTest::mouseRelease(view, Qt::LeftButton, {}, below);
    EXPECT_EQ(grid.Row(), 2) << "the block's start stays current";
    EXPECT_EQ(grid.Col(), 1);
    EXPECT_GT(grid.RowSel(), lastShown) << "the end went on past the rows first shown";
    EXPECT_EQ(grid.ColSel(), 2);
}

TEST(FlexGridTest, ColoursAreBlueGreenRed) {
    EXPECT_EQ(FlexGrid::ColorFromBgr(0x00FFFFC0), QColor(0xC0, 0xFF, 0xFF));
    EXPECT_EQ(FlexGrid::ColorFromBgr(0x000000FF), QColor(255, 0, 0));
    EXPECT_EQ(FlexGrid::ColorFromBgr(0x00FF0000), QColor(0, 0, 255));
    FlexGrid grid;
    grid.setBackColor(0x00FFFFC0);
    EXPECT_EQ(grid.palette().color(QPalette::Base), QColor(0xC0, 0xFF, 0xFF));
    grid.setBackColor(FlexGrid::kSystemWindowColour);
    EXPECT_EQ(grid.palette().color(QPalette::Base), QPalette().color(QPalette::Base));
}

TEST(KeyedStatusBarTest, PanelsAreAddressedByKey) {
    KeyedStatusBar bar;
    bar.AddPanel("Status", 1);
    bar.AddPanel("NUMBER");
    bar.SetPanelText("Status", "Ready...");
    bar.SetPanelText("NUMBER", "12.5");
    bar.SetPanelText("missing", "x");
    EXPECT_EQ(bar.PanelText("Status"), "Ready...");
    EXPECT_EQ(bar.PanelText("NUMBER"), "12.5");
    EXPECT_EQ(bar.PanelText("missing"), "");
}

TEST(HelpViewerTest, ShowsTheTopicOfAContextAndTheContents) {
    QTemporaryDir dir;
    const std::string file = dir.filePath("Vorn5.hlp").toStdString();
    std::ofstream(file) << "<html><body>\n<!-- topic 1: Contents -->\n<p>Overview text</p>\n"
                           "<!-- topic 49: New data set -->\n<p>Enter the class size</p>\n</body></html>\n";
    const auto topics = ReadHelpTopics(file);
    ASSERT_EQ(topics.size(), 2u);
    EXPECT_EQ(topics.at(49).title, "New data set");
    EXPECT_NE(topics.at(49).html.find("Enter the class size"), std::string::npos);

    HelpViewer viewer;
    viewer.ShowHelp(file, 1, 49);
    EXPECT_EQ(viewer.ShownContext(), 49);
    EXPECT_TRUE(viewer.browser()->toPlainText().contains("Enter the class size"));
    viewer.ShowHelp(file, 11, 1);
    EXPECT_EQ(viewer.ShownContext(), -1);
    EXPECT_TRUE(viewer.browser()->toPlainText().contains("Overview text"));
    EXPECT_TRUE(viewer.browser()->toPlainText().contains("New data set"));
    viewer.ShowHelp(file, 1, 77);
    EXPECT_EQ(viewer.ShownContext(), 0);
    viewer.ShowHelp(dir.filePath("none.hlp").toStdString(), 1, 49);
    EXPECT_TRUE(viewer.browser()->toPlainText().contains("could not be read"));
}

TEST(HelpViewerTest, TheProgramsHelpFileHasATopicForEveryWindow) {
    const auto topics = ReadHelpTopics(VORN_HELP_FILE);
    for (int context : {1, 23, 49, 52, 57, 60, 62, 63, 64, 65, 67, 68, 69})
        EXPECT_EQ(topics.count(context), 1u) << "no topic " << context;
}
