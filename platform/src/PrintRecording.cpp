// The printer service and the recording printer.
#include <stdexcept>

#include "print/Printer.h"
#include "vb/VbError.h"
#include "vb/VbRuntime.h"

namespace print {
namespace {
RecordingPrinter& DefaultPrinter() {
    static RecordingPrinter printer;
    return printer;
}
Printer* g_printer = nullptr;
std::function<void(const std::string&)> g_filedHandler;
}  // namespace

void SetDocumentFiledHandler(std::function<void(const std::string& path)> handler) {
    g_filedHandler = std::move(handler);
}

void DocumentFiled(const std::string& path) {
    if (g_filedHandler) g_filedHandler(path);
}

Printer& ThePrinter() { return g_printer ? *g_printer : DefaultPrinter(); }

Printer* SetPrinter(Printer* printer) {
    Printer* previous = g_printer ? g_printer : &DefaultPrinter();
    g_printer = printer;
    return previous;
}

std::string ExpandTabs(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\t') {
            do out += ' ';
            while (out.size() % 8 != 0);
        } else {
            out += c;
        }
    }
    return out;
}

std::vector<std::string> SplitPrintedLines(const std::string& text) {
    std::vector<std::string> out;
    std::string cur;
    bool ended = false;  // the text so far ends with a line break
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out.push_back(cur);
            cur.clear();
            ended = true;
        } else {
            cur += c;
            ended = false;
        }
    }
    if (!ended || out.empty()) out.push_back(cur);
    return out;
}

void RecordingPrinter::Start() {
    if (started_) return;
    if (failToStart) {
        failToStart = false;
        vb::Raise(kPrinterError, "Printer");
    }
    started_ = true;
    page_ = 1;
    linesOnPage_ = 0;
}

void RecordingPrinter::PrintLine(const std::string& text) {
    Start();
    if (linesOnPage_ >= linesPerPage) {
        ++page_;
        linesOnPage_ = 0;
    }
    lines.push_back({ExpandTabs(text), x_, page_, documentsEnded + 1});
    ++linesOnPage_;
    x_ = 0;
}

double RecordingPrinter::TextWidth(const std::string& text) const {
    return static_cast<double>(ExpandTabs(text).size()) * kCharWidth;
}

void RecordingPrinter::NewPage() {
    Start();
    ++page_;
    linesOnPage_ = 0;
    x_ = 0;
}

void RecordingPrinter::EndDoc() {
    if (failAtEndDoc) {
        failAtEndDoc = false;
        started_ = false;
        vb::Raise(kPrinterError, "Printer");
    }
    const bool ended = started_;
    if (started_) ++documentsEnded;
    started_ = false;
    page_ = 1;
    linesOnPage_ = 0;
    x_ = 0;
    if (ended && !documentFile.empty()) DocumentFiled(documentFile);
}

std::vector<std::string> RecordingPrinter::texts() const {
    std::vector<std::string> out;
    for (const auto& l : lines) out.push_back(l.text);
    return out;
}

void RecordingPrinter::clear() {
    lines.clear();
    documentsEnded = 0;
    started_ = false;
    page_ = 1;
    linesOnPage_ = 0;
    x_ = 0;
}

}  // namespace print
