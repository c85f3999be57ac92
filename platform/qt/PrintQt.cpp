// The Qt printer.
#include "PrintQt.h"

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPrinterInfo>

#include "vb/VbError.h"

namespace printqt {
namespace {
std::string g_pdfFolder;
bool g_forcePdf = false;
std::string g_lastPdf;

QFont PrinterFont() {
    QFont f(QStringLiteral("Monospace"));
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    f.setPointSize(10);
    return f;
}

[[noreturn]] void Fail(const std::string& what) {
    throw VbError(print::kPrinterError, "Printer", "Printer error: " + what);
}
}  // namespace

void SetPdfFolder(const std::string& folder) { g_pdfFolder = folder; }
void SetForcePdf(bool force) { g_forcePdf = force; }
std::string LastPdfPath() { return g_lastPdf; }

std::string SetUpPrinter(QPrinter& printer) {
    QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (!g_forcePdf && !info.isNull()) {
        printer.setPrinterName(info.printerName());
        printer.setOutputFormat(QPrinter::NativeFormat);
        return {};
    }
    QDir dir(g_pdfFolder.empty() ? QDir::currentPath() : QString::fromStdString(g_pdfFolder));
    QString path;
    for (int n = 1; n < 10000; ++n) {
        path = dir.filePath(QStringLiteral("Vorn5Print%1.pdf").arg(n, 3, 10, QChar('0')));
        if (!QFileInfo::exists(path)) break;
    }
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    g_lastPdf = path.toStdString();
    return g_lastPdf;
}

QtPrinter::QtPrinter() = default;
QtPrinter::~QtPrinter() {
    // A document never ended is abandoned, as when the program ends mid-print.
    if (painter_) painter_->end();
}

void QtPrinter::Start() {
    if (painter_) return;
    if (!QGuiApplication::instance()) Fail("no window system");
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    pdfPath_ = SetUpPrinter(*printer_);
    printer_->setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(printer_.get())) {
        painter_.reset();
        printer_.reset();
        Fail("the printer could not start the document");
    }
    painter_->setFont(PrinterFont());
    page_ = 1;
    x_ = y_ = 0;
}

double QtPrinter::TwipsPerPixel() const {
    int res = printer_ ? printer_->resolution() : 1200;
    return 1440.0 / (res > 0 ? res : 1200);
}

void QtPrinter::EmitLine(const std::string& text) {
    QFontMetricsF fm(painter_->font(), printer_.get());
    double lineTw = fm.lineSpacing() * TwipsPerPixel();
    double pageTw = printer_->pageLayout().paintRectPixels(printer_->resolution()).height() * TwipsPerPixel();
    if (y_ > 0 && y_ + lineTw > pageTw) NewPage();
    double px = x_ / TwipsPerPixel(), py = y_ / TwipsPerPixel();
    painter_->drawText(QPointF(px, py + fm.ascent()), QString::fromStdString(print::ExpandTabs(text)));
    y_ += lineTw;
    x_ = 0;
}

void QtPrinter::Print(const std::string& text) {
    Start();
    for (const auto& line : print::SplitPrintedLines(text)) EmitLine(line);
}

double QtPrinter::TextWidth(const std::string& text) const {
    QFontMetricsF fm = printer_ ? QFontMetricsF(painter_->font(), printer_.get()) : QFontMetricsF(PrinterFont());
    double perPixel = printer_ ? TwipsPerPixel() : 1440.0 / 96.0;
    return fm.horizontalAdvance(QString::fromStdString(print::ExpandTabs(text))) * perPixel;
}

double QtPrinter::ScaleWidth() const {
    if (printer_) return printer_->pageLayout().paintRectPixels(printer_->resolution()).width() * TwipsPerPixel();
    // Before the first line: A4 less the margins.
    return (210.0 - 40.0) / 25.4 * 1440.0;
}

void QtPrinter::NewPage() {
    Start();
    if (!printer_->newPage()) Fail("the printer could not start a new page");
    ++page_;
    x_ = y_ = 0;
}

void QtPrinter::EndDoc() {
    if (!painter_) return;
    bool ok = painter_->end();
    painter_.reset();
    printer_.reset();
    page_ = 1;
    x_ = y_ = 0;
    if (!ok) Fail("the document could not be sent");
    if (!pdfPath_.empty()) print::DocumentFiled(pdfPath_);
}

QtPrinter& InstallQtPrinter() {
    static QtPrinter printer;
    print::SetPrinter(&printer);
    return printer;
}

}  // namespace printqt
