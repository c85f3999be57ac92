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

// The page and the font fix how many characters a line holds (print::kCharsPerLine).
constexpr double kMarginMm = 20;

QFont PrinterFont() {
    QFont f(QStringLiteral("Monospace"));
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    f.setPointSize(10);
    return f;
}

// The default printer with its own paper, or (none configured, or PDF forced) A4 PDF output.
// True for PDF.
bool ChooseTarget(QPrinter& printer) {
    QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (!g_forcePdf && !info.isNull()) {
        printer.setPrinterName(info.printerName());
        printer.setOutputFormat(QPrinter::NativeFormat);
        return false;
    }
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    return true;
}

[[noreturn]] void Fail(const std::string& what) {
    throw VbError(print::kPrinterError, "Printer", "Printer error: " + what);
}
}  // namespace

void SetPdfFolder(const std::string& folder) { g_pdfFolder = folder; }
void SetForcePdf(bool force) { g_forcePdf = force; }
std::string LastPdfPath() { return g_lastPdf; }

std::string SetUpPrinter(QPrinter& printer) {
    if (!ChooseTarget(printer)) return {};
    QDir dir(g_pdfFolder.empty() ? QDir::currentPath() : QString::fromStdString(g_pdfFolder));
    QString path;
    for (int n = 1; n < 10000; ++n) {
        path = dir.filePath(QStringLiteral("Vorn5Print%1.pdf").arg(n, 3, 10, QChar('0')));
        if (!QFileInfo::exists(path)) break;
    }
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
    probe_.reset();
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    pdfPath_ = SetUpPrinter(*printer_);
    printer_->setPageMargins(QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter);
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

const QPrinter& QtPrinter::Device() const {
    if (printer_) return *printer_;
    if (!probe_) {
        // Measuring needs the fonts of a window system, as printing does.
        if (!QGuiApplication::instance()) Fail("no window system");
        probe_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        ChooseTarget(*probe_);
        probe_->setPageMargins(QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter);
    }
    return *probe_;
}

double QtPrinter::TwipsPerPixel() const {
    const int res = Device().resolution();
    return 1440.0 / (res > 0 ? res : 1200);
}

void QtPrinter::PrintLine(const std::string& text) {
    Start();
    QFontMetricsF fm(painter_->font(), printer_.get());
    double lineTw = fm.lineSpacing() * TwipsPerPixel();
    double pageTw = printer_->pageLayout().paintRectPixels(printer_->resolution()).height() * TwipsPerPixel();
    if (y_ > 0 && y_ + lineTw > pageTw) NewPage();
    double px = x_ / TwipsPerPixel(), py = y_ / TwipsPerPixel();
    painter_->drawText(QPointF(px, py + fm.ascent()), QString::fromStdString(print::ExpandTabs(text)));
    y_ += lineTw;
    x_ = 0;
}

double QtPrinter::TextWidth(const std::string& text) const {
    const QPrinter& device = Device();
    const QFontMetricsF fm(PrinterFont(), &device);
    return fm.horizontalAdvance(QString::fromStdString(print::ExpandTabs(text))) * TwipsPerPixel();
}

double QtPrinter::ScaleWidth() const {
    const QPrinter& device = Device();
    return device.pageLayout().paintRectPixels(device.resolution()).width() * TwipsPerPixel();
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
    probe_.reset();  // the next document looks for the default printer again
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
