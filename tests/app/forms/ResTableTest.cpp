#include "frmPrintOpts.h"
#include "frmResTable.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QPushButton>
#include <QTest>
#include <QWindow>
#include <filesystem>
#include <gtest/gtest.h>

#include "FlexGrid.h"
#include "MVornGlobs.h"
#include "UiTestSupport.h"
#include "forms/HeadlessForms.h"
#include "print/Printer.h"

namespace {

class ResTableTest : public ::testing::Test {
protected:
    void SetUp() override {
        MVornGlobs::InitGlobals();
        table.setWindowTitle("Ages");
        table.setStatusText("Age slicing of sample 1");
    }
    // Fills the grid from rows of cells.
    void Fill(const std::vector<std::vector<std::string>>& rows) {
        FlexGrid* g = table.Grid();
        g->setRows(static_cast<int>(rows.size()));
        g->setCols(static_cast<int>(rows[0].size()));
        for (size_t r = 0; r < rows.size(); ++r)
            for (size_t c = 0; c < rows[r].size(); ++c)
                g->setTextMatrix(static_cast<int>(r), static_cast<int>(c), rows[r][c]);
    }

    forms::ScopedHeadlessForms ui;
    print::ScopedRecordingPrinter printer;
    WorkingFolder folder;
    frmResTable table;
};

}  // namespace

TEST_F(ResTableTest, CopyPutsEveryRowTabSeparatedWithCrLf) {
    Fill({{"Age", "1"}, {"1.5", "2"}, {"3", "x"}});
    table.tlbBar_ButtonClick("Copy");
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "Age\t1\r\n1.5\t2\r\n3\tx\r\n");
}

TEST_F(ResTableTest, SaveWritesCaptionStatusAndFormattedRowsWithColumnZeroAsShown) {
    // Column 0 holds parameter values such as -0.50; they must not be rounded to -1.
    Fill({{"", "0.10", "0.55"}, {"-0.50", "1.5", "Age"}, {"0.50", "12", "-3.25"}});
    const std::string path = folder.file("Results.dat");
    ui->saveAnswers.push_back(path);
    table.tlbBar_ButtonClick("Save");
    ASSERT_EQ(ui->saveRequests.size(), 1u);
    EXPECT_EQ(ui->saveRequests[0].fileName, "Results.dat");
    EXPECT_EQ(ui->saveRequests[0].title, "Save Data");
    EXPECT_EQ(ui->saveRequests[0].filter, "Data (*.dat)|*.dat");
    EXPECT_EQ(ui->saveRequests[0].flags, 6);
    EXPECT_EQ(WorkingFolder::read(path),
              "Ages\r\nAge slicing of sample 1\r\n"
              "\t0.100\t0.550\t\r\n"
              "-0.50\t1.500\tAge\t\r\n"
              "0.50\t12.000\t-3.250\t\r\n");

    // A file marked read-only is kept, and the user is told why.
    std::filesystem::permissions(path, std::filesystem::perms(0444));
    const std::string before = WorkingFolder::read(path);
    Fill({{"other"}});
    ui->saveAnswers.push_back(path);
    table.tlbBar_ButtonClick("Save");
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0].prompt, "The table could not be saved.\r\nPermission denied: " + path);
    EXPECT_EQ(ui->messages[0].buttons, forms::vbExclamation);
    EXPECT_EQ(WorkingFolder::read(path), before);

    // Cancel writes nothing.
    ui->saveAnswers.push_back("");
    std::filesystem::remove(path);
    table.tlbBar_ButtonClick("Save");
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(ResTableTest, PrintSendsCaptionStatusAndRowsToThePrinter) {
    Fill({{"", "0.10"}, {"-0.50", "1.5"}});
    table.tlbBar_ButtonClick("Print");
    const auto lines = printer->texts();
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(printer->documentsEnded, 1);
    // After the page number: caption, status, an empty line, then the rows in "0.00".
    const std::vector<std::string> tail(lines.end() - 5, lines.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"Ages", "Age slicing of sample 1", "",
                                              print::ExpandTabs("\t0.10\t"), print::ExpandTabs("-0.50\t1.50\t")}));

    // A printer that fails is reported, not thrown out of the command.
    printer->failToStart = true;
    table.tlbBar_ButtonClick("Print");
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_NE(ui->messages[0].prompt.find("could not be printed"), std::string::npos);
}

TEST_F(ResTableTest, TheCloseBoxOnlyHidesTheTable) {
    Fill({{"a", "b"}});
    table.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&table));
    table.windowHandle()->close();  // as the title bar's close box does
    QApplication::processEvents();
    EXPECT_FALSE(table.isVisible());
    table.show();
    EXPECT_EQ(table.Grid()->TextMatrix(0, 1), "b");
    EXPECT_EQ(table.StatusText(), "Age slicing of sample 1");
}

TEST(PrintOptsTest, CaptionsFollowTheModeAndTicksPersist) {
    MVornGlobs::InitGlobals();
    frmPrintOpts opts;
    EXPECT_TRUE(opts.WithRes());
    EXPECT_FALSE(opts.WithGridData());
    QString caption, res, raw;
    WhenModal<frmPrintOpts>([&](frmPrintOpts& d) {
        caption = d.windowTitle(), res = d.chkRes->text(), raw = d.chkGridData->text();
        d.chkGridData->setChecked(true);
        d.cmdOK->click();
    });
    opts.ShowPrint();
    EXPECT_EQ(caption, "Print Options");
    EXPECT_EQ(res, "Print Results");
    EXPECT_EQ(raw, "Print Raw Data");
    EXPECT_TRUE(opts.OK());

    WhenModal<frmPrintOpts>([&](frmPrintOpts& d) {
        caption = d.windowTitle(), res = d.chkRes->text();
        d.cmdCancel->click();
    });
    opts.ShowSave();
    EXPECT_EQ(caption, "Save Options");
    EXPECT_EQ(res, "Save Results");
    EXPECT_FALSE(opts.OK());
    EXPECT_TRUE(opts.WithGridData());  // the tick the user left
}
