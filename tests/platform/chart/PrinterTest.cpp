// The printer service through the recording printer: lines, TAB stops, CR breaks, pages,
// centring, lines and tables wider than the page, and failures.
#include <gtest/gtest.h>

#include "print/PrintLayout.h"
#include "print/Printer.h"
#include "vb/VbError.h"

using namespace print;

TEST(Printer, LinesBreakAtCrAndTabsMoveToStops) {
    struct Case {
        std::string text;
        std::vector<std::string> lines;
    } cases[] = {
        {"abc", {"abc"}},
        {"", {""}},
        {"Class  \r", {"Class  "}},           // a trailing CR ends the line, no empty line
        {"a\rb", {"a", "b"}},
        {"a\r\nb\n", {"a", "b"}},
        {"\r", {""}},
        {"K\t\t0.5", {"K               0.5"}},  // two TABs: to column 8, then 16
        {"1234567\tx", {"1234567 x"}},
    };
    for (const auto& c : cases) {
        ScopedRecordingPrinter p;
        ThePrinter().Print(c.text);
        EXPECT_EQ(p->texts(), c.lines) << c.text;
    }
}

TEST(Printer, PagesBreakByThemselvesAndRestartWithEachDocument) {
    ScopedRecordingPrinter p;
    p->linesPerPage = 3;
    Printer& pr = ThePrinter();
    for (int i = 0; i < 7; ++i) pr.Print("line");
    EXPECT_EQ(pr.Page(), 3);
    EXPECT_EQ(p->lines[3].page, 2);
    pr.NewPage();
    EXPECT_EQ(pr.Page(), 4);
    pr.EndDoc();
    EXPECT_EQ(p->documentsEnded, 1);
    EXPECT_EQ(pr.Page(), 1);
    pr.Print("next");
    EXPECT_EQ(p->lines.back().document, 2);
    EXPECT_EQ(p->lines.back().page, 1);
}

TEST(Printer, CentringByTextWidth) {
    ScopedRecordingPrinter p;
    Printer& pr = ThePrinter();
    std::string text = "Page " + std::to_string(pr.Page());
    pr.setCurrentX((pr.ScaleWidth() - pr.TextWidth(text)) / 2);
    pr.Print(text);
    pr.Print();
    EXPECT_DOUBLE_EQ(p->lines[0].x, (kCharsPerLine - 6) / 2.0 * RecordingPrinter::kCharWidth);
    EXPECT_DOUBLE_EQ(pr.CurrentX(), 0);  // back at the margin after the line
    EXPECT_EQ(p->texts(), (std::vector<std::string>{"Page 1", ""}));
}

TEST(Printer, TextsWiderThanThePageWrap) {
    RecordingPrinter printer;  // widths count bytes: 5 characters are 600 twips
    const struct {
        const char* text;
        std::vector<std::string> lines;
    } cases[] = {
        {"ab cd ef", {"ab cd", "ef"}},                 // after the last blank that fits
        {"abcdefghijk", {"abcde", "fghij", "k"}},       // inside a word wider than the page
        {"abcd\xC3\xA9" "fgh", {"abcd", "\xC3\xA9" "fgh"}},  // never inside a character
        {"ab\rcd   ", {"ab", "cd"}},                   // line breaks kept, trailing blanks dropped
        {"  abcdefgh", {"  abc", "defgh"}},            // an indent is kept, not broken off alone
        {"ab\tcdefgh", {"ab", "cdefg", "h"}},          // a TAB is a place to break too
        {"", {""}},
    };
    for (const auto& c : cases) EXPECT_EQ(WrapToWidth(printer, c.text, 600), c.lines) << c.text;
}

TEST(Printer, LinesWiderThanThePageContinueOnTheNextLine) {
    ScopedRecordingPrinter p;
    p->charsPerLine = 10;
    Printer& pr = ThePrinter();
    pr.Print("Growth Curve: Non Seasonal");
    pr.Print("0123456789");    // as wide as the page: as it is
    pr.Print("01234567   ");   // wider only by its trailing blanks: they go
    pr.Print("ab   \t");       // trailing blanks that fit stay
    pr.setCurrentX(4 * RecordingPrinter::kCharWidth);
    pr.Print("abc def ghi");   // the rest of the line from where it starts
    EXPECT_EQ(p->texts(), (std::vector<std::string>{"Growth", "Curve: Non", "Seasonal", "0123456789", "01234567",
                                                    "ab      ", "abc", "def ghi"}));
    EXPECT_DOUBLE_EQ(p->lines[6].x, 4 * RecordingPrinter::kCharWidth);
    EXPECT_DOUBLE_EQ(p->lines[7].x, 0);
}

TEST(Printer, TablesWiderThanThePagePrintInBlocksOfWholeColumns) {
    const struct {
        const char* what;
        int32_t chars;
        Table table;
        std::vector<std::string> lines;
    } cases[] = {
        {"fits: one block, each row as it is", 20,
         {{{"K", "0.5", "1.0"}, {"60", "1.2", "3.4"}}, " "},
         {"K 0.5 1.0 ", "60 1.2 3.4 "}},
        // The label and three cells make 20 characters; the last cell's blank does not count
        // (and is not printed where it would pass the edge).
        {"blocks of three, two and one columns with the labels", 20,
         {{{"Lb", "aaaaa", "bbbbb", "ccccc", "ddddd", "eeeee", "fffff"},
           {"r1", "1", "2", "3", "4", "5", "6"}},
          " "},
         {"Lb aaaaa bbbbb ccccc", "r1 1 2 3 ", "", "Lb ddddd eeeee fffff", "r1 4 5 6 "}},
        {"TAB-separated, every block starting at the first stop", 24,
         {{{"Age", "Dist.#1", "Dist.#2", "Dist.#3"}, {"1", "1.00", "2.00", "3.00"}}, "\t"},
         {"Age     Dist.#1 Dist.#2 ", "1       1.00    2.00    ", "", "Age     Dist.#3 ", "1       3.00    "}},
        {"without labels", 20,
         {{{"Dist.#1", "Dist.#2", "Dist.#3"}, {"0.500", "0.600", "0.700"}}, "\t", false},
         {"Dist.#1 Dist.#2 ", "0.500   0.600   ", "", "Dist.#3 ", "0.700   "}},
        {"a column wider than the page alone wraps", 20,
         {{{"L", "abcdefghij klmnopqrst"}, {"r", "1"}}, " "},
         {"L abcdefghij", "klmnopqrst", "r 1 "}},
        {"labels alone", 20, {{{"a"}, {"b"}}, " "}, {"a ", "b "}},
    };
    for (const auto& c : cases) {
        ScopedRecordingPrinter p;
        p->charsPerLine = c.chars;
        PrintTable(ThePrinter(), c.table);
        EXPECT_EQ(p->texts(), c.lines) << c.what;
    }
}

TEST(Printer, AReportPrintsItsLinesAndTablesInOrder) {
    ScopedRecordingPrinter p;
    p->charsPerLine = 12;
    Report report;
    report.AddLine("Title").AddTable({{{"a", "1", "2", "3"}, {"b", "4", "5", "6"}}, "    "}).AddLines({"\r", "End"});
    EXPECT_EQ(report.Lines(), (std::vector<std::string>{"Title", "a    1    2    3    ", "b    4    5    6    ", "\r",
                                                        "End"}));
    report.PrintOn(ThePrinter());
    EXPECT_EQ(p->texts(), (std::vector<std::string>{"Title", "a    1    2", "b    4    5", "", "a    3    ",
                                                    "b    6    ", "", "End"}));
}

TEST(Printer, FailuresRaisePrinterErrors) {
    ScopedRecordingPrinter p;
    p->failToStart = true;
    try {
        ThePrinter().Print("x");
        FAIL();
    } catch (const VbError& e) {
        EXPECT_EQ(e.Number, kPrinterError);
    }
    EXPECT_TRUE(p->lines.empty());
    ThePrinter().Print("x");
    p->failAtEndDoc = true;
    EXPECT_THROW(ThePrinter().EndDoc(), VbError);
    EXPECT_EQ(p->documentsEnded, 0);
}
