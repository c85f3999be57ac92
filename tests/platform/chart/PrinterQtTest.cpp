// The Qt printer writing a PDF file when no printer is configured, read back as text.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "PrintQt.h"

TEST(PrinterQt, WritesNumberedPdfFilesThatReadBack) {
    QTemporaryDir dir;
    printqt::SetPdfFolder(dir.path().toStdString());
    printqt::SetForcePdf(true);
    printqt::QtPrinter printer;
    print::Printer* previous = print::SetPrinter(&printer);
    std::vector<std::string> filed;
    print::SetDocumentFiledHandler([&](const std::string& path) { filed.push_back(path); });
    print::Printer& pr = print::ThePrinter();
    std::string text = "Page " + std::to_string(pr.Page());
    pr.setCurrentX((pr.ScaleWidth() - pr.TextWidth(text)) / 2);
    EXPECT_GT(pr.CurrentX(), 0);
    pr.Print(text);
    pr.Print("Class  \t 10   \r");
    for (int i = 0; i < 120; ++i) pr.Print("row " + std::to_string(i));
    EXPECT_GE(pr.Page(), 2);  // broke onto a new page by itself
    pr.EndDoc();
    EXPECT_EQ(pr.Page(), 1);
    std::string first = printqt::LastPdfPath();
    EXPECT_EQ(QFileInfo(QString::fromStdString(first)).fileName(), "Vorn5Print001.pdf");
    pr.Print("second");
    pr.EndDoc();
    EXPECT_EQ(QFileInfo(QString::fromStdString(printqt::LastPdfPath())).fileName(), "Vorn5Print002.pdf");
    // Whoever listens hears where each document went.
    EXPECT_EQ(filed, (std::vector<std::string>{first, printqt::LastPdfPath()}));
    print::SetDocumentFiledHandler(nullptr);
    print::SetPrinter(previous);
    printqt::SetForcePdf(false);

    QProcess p;
    p.start("pdftotext", {"-layout", QString::fromStdString(first), "-"});
    ASSERT_TRUE(p.waitForFinished(20000));
    QString out = QString::fromUtf8(p.readAllStandardOutput());
    EXPECT_TRUE(out.contains("Page 1"));
    EXPECT_TRUE(out.contains("Class"));
    EXPECT_TRUE(out.contains("row 0"));
    EXPECT_TRUE(out.contains("row 119"));
    EXPECT_GE(out.count(QChar('\f')), 2);
}

// The Qt printer's page holds at least as many characters a line as the recording printer
// the tests print on, so a layout that fits the one fits the other; measured before the
// first line as well as in the document, since layouts are made before they are printed.
// (How many more it holds depends on the fixed-pitch font installed.)
TEST(PrinterQt, ItsPageHoldsAtLeastAsManyCharactersALineAsTheRecordingPrinter) {
    QTemporaryDir dir;
    printqt::SetPdfFolder(dir.path().toStdString());
    printqt::SetForcePdf(true);
    printqt::QtPrinter printer;
    const auto holds = [&](int32_t chars) { return printer.TextWidth(std::string(chars, '0')) <= printer.ScaleWidth(); };
    EXPECT_TRUE(holds(print::kCharsPerLine));
    printer.Print("Page 1");
    EXPECT_TRUE(holds(print::kCharsPerLine));
    printer.EndDoc();
    printqt::SetForcePdf(false);
    print::RecordingPrinter recording;
    EXPECT_EQ(recording.TextWidth(std::string(print::kCharsPerLine, '0')), recording.ScaleWidth());
}
