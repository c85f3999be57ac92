#ifndef PRINTER_H
#define PRINTER_H
// The program's printer: a document of text lines that starts with the first line printed
// and is sent when EndDoc is called. Positions and widths are in twips (1/1440 inch).
// The program installs the Qt printer (the default printer, or a PDF file when no printer
// is configured; platform/qt/PrintQt.h); tests install a ScopedRecordingPrinter.
// Failures (no printer, a document that cannot be started or finished) raise VbError 482.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace print {

inline constexpr int32_t kPrinterError = 482;

// The A4 page the Qt printer writes to PDF (less margins of 20 mm, in its 10-point fixed-
// pitch font) holds at least this many characters a line; the recording printer holds as
// many. The Qt printer itself lays every line out by its own measure of the page.
inline constexpr int32_t kCharsPerLine = 79;

class Printer {
public:
    virtual ~Printer() = default;
    // Prints `text` at the current position and ends the line. A TAB moves to the next tab
    // stop (every 8 character widths); a CR (or CR LF, or LF) inside the text ends the line
    // there; a CR at the very end ends the line without adding an empty one. A line wider
    // than the rest of the page continues on the next line (WrapToWidth), so nothing is cut
    // at the right edge. A line that does not fit below the others starts a new page.
    void Print(const std::string& text = {});
    // The current page number, from 1.
    virtual int32_t Page() const = 0;
    // The printed width of `text` and the width of the printable area.
    virtual double TextWidth(const std::string& text) const = 0;
    virtual double ScaleWidth() const = 0;
    // The horizontal position the next line starts at (reset to 0 after every line).
    virtual double CurrentX() const = 0;
    virtual void setCurrentX(double x) = 0;
    virtual double CurrentY() const = 0;
    virtual void NewPage() = 0;
    // Ends the document and sends it; the next line starts a new document on page 1.
    virtual void EndDoc() = 0;

protected:
    // Prints one line that fits the page (no line break in it) and ends it.
    virtual void PrintLine(const std::string& line) = 0;
};

// When no printer is set up a document is written to a file instead: after EndDoc the
// handler installed here hears where it went (nullptr: nobody listens).
void SetDocumentFiledHandler(std::function<void(const std::string& path)> handler);
// Called by a printer that has written a finished document to `path`.
void DocumentFiled(const std::string& path);

// The installed printer.
Printer& ThePrinter();
// Installs `printer` (not owned) and returns the previous one; nullptr restores the default
// (a recording printer).
Printer* SetPrinter(Printer* printer);

// A printer that records what is printed, for tests.
class RecordingPrinter : public Printer {
public:
    struct Line {
        std::string text;  // as printed, TABs expanded
        double x = 0;      // where the line started
        int32_t page = 1;
        int32_t document = 1;
    };

    int32_t Page() const override { return page_; }
    double TextWidth(const std::string& text) const override;
    double ScaleWidth() const override { return charsPerLine * kCharWidth; }
    double CurrentX() const override { return x_; }
    void setCurrentX(double x) override { x_ = x; }
    double CurrentY() const override { return linesOnPage_ * kLineHeight; }
    void NewPage() override;
    void EndDoc() override;

    // Layout of the recorded page: a fixed-pitch font.
    static constexpr double kCharWidth = 120;   // 6 points
    static constexpr double kLineHeight = 240;  // 12 points
    int32_t charsPerLine = kCharsPerLine;
    int32_t linesPerPage = 60;

    // Failure knobs: raise 482 at the start of the next document / at EndDoc.
    bool failToStart = false;
    bool failAtEndDoc = false;
    // As a printer without a printer: every ended document is reported written here.
    std::string documentFile;

    // Record.
    std::vector<Line> lines;
    int32_t documentsEnded = 0;
    bool inDocument() const { return started_; }
    // The lines' texts (of every document), in order.
    std::vector<std::string> texts() const;
    void clear();

protected:
    void PrintLine(const std::string& line) override;

private:
    void Start();
    int32_t page_ = 1;
    int32_t linesOnPage_ = 0;
    double x_ = 0;
    bool started_ = false;
};

// TABs expanded to stops every 8 characters (the printed form of a line).
std::string ExpandTabs(const std::string& text);
// `text` cut at CR / CR LF / LF into the lines it prints as.
std::vector<std::string> SplitPrintedLines(const std::string& text);
// `text` in printed lines no wider than `width` on `printer`: each line broken at its last
// blank or TAB that fits, or inside a word longer than the width (never inside a UTF-8
// character); trailing blanks and TABs are dropped.
std::vector<std::string> WrapToWidth(const Printer& printer, const std::string& text, double width);

// Installs a RecordingPrinter for the life of the object and restores the previous one.
class ScopedRecordingPrinter {
public:
    ScopedRecordingPrinter() : previous_(SetPrinter(&printer_)) {}
    ~ScopedRecordingPrinter() { SetPrinter(previous_); }
    ScopedRecordingPrinter(const ScopedRecordingPrinter&) = delete;
    ScopedRecordingPrinter& operator=(const ScopedRecordingPrinter&) = delete;
    RecordingPrinter* operator->() { return &printer_; }
    RecordingPrinter& get() { return printer_; }

private:
    RecordingPrinter printer_;
    Printer* previous_;
};

}  // namespace print

#endif
