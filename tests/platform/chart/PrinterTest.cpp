// The printer service through the recording printer: lines, TAB stops, CR breaks, pages,
// centring and failures.
#include <gtest/gtest.h>

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
    EXPECT_DOUBLE_EQ(p->lines[0].x, (80 - 6) / 2.0 * RecordingPrinter::kCharWidth);
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
        {"", {""}},
    };
    for (const auto& c : cases) EXPECT_EQ(WrapToWidth(printer, c.text, 600), c.lines) << c.text;
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
