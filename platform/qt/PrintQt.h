#ifndef PRINTQT_H
#define PRINTQT_H
// The printer on Qt: the system's default printer without a dialog, or, when no printer is
// configured, an A4 PDF file "Vorn5Print001.pdf" (the first free number) in the PDF folder.
#include <QPainter>
#include <QPrinter>
#include <memory>
#include <string>

#include "print/Printer.h"

namespace printqt {

// Where PDF printouts go (default: the current folder); force makes every printout a PDF.
void SetPdfFolder(const std::string& folder);
void SetForcePdf(bool force);
// The file the last PDF printout was written to ("" when none).
std::string LastPdfPath();
// Points `printer` at the default printer or at the next PDF file; returns the PDF path,
// or "" for a real printer.
std::string SetUpPrinter(QPrinter& printer);

class QtPrinter : public print::Printer {
public:
    QtPrinter();
    ~QtPrinter() override;

    int32_t Page() const override { return page_; }
    double TextWidth(const std::string& text) const override;
    double ScaleWidth() const override;
    double CurrentX() const override { return x_; }
    void setCurrentX(double x) override { x_ = x; }
    double CurrentY() const override { return y_; }
    void NewPage() override;
    void EndDoc() override;

protected:
    void PrintLine(const std::string& line) override;

private:
    void Start();
    // What lines are measured on: the open document's printer, or, before the first line,
    // a printer set up as the document's will be, so a layout made first fits the page.
    const QPrinter& Device() const;
    double TwipsPerPixel() const;
    std::unique_ptr<QPrinter> printer_;
    mutable std::unique_ptr<QPrinter> probe_;
    std::unique_ptr<QPainter> painter_;
    std::string pdfPath_;  // the file of the open document, "" on a real printer
    int32_t page_ = 1;
    double x_ = 0, y_ = 0;  // twips
};

// Installs a process-wide QtPrinter (made on the first call) and returns it.
QtPrinter& InstallQtPrinter();

}  // namespace printqt

#endif
