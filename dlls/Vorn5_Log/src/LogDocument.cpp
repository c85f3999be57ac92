#include "LogDocument.h"

#include <filesystem>
#include <system_error>

#include "files/WholeFile.h"
#include "forms/FormsService.h"
#include "print/Printer.h"
#include "vb/VbError.h"

namespace fs = std::filesystem;

LogDocument::LogDocument(std::string fileName) : fileName_(std::move(fileName)), caption_(fileName_) {}

void LogDocument::setText(const std::string& text) {
    text_ = text;
    dirty_ = true;
    if (onTextChanged) onTextChanged();
}

bool LogDocument::TrySave() {
    try {
        files::WriteWholeFile(fileName_, text_ + "\r\n");
    } catch (const VbError&) {
        return false;  // the caller says so in its own words
    }
    dirty_ = false;
    caption_ = fileName_;
    if (onCaptionChanged) onCaptionChanged();
    return true;
}

void LogDocument::Save() {
    if (!TrySave()) forms::Forms().MsgBox("Unable to Save Log File", forms::vbCritical);
}

bool LogDocument::SaveAs(const std::string& newName) {
    const std::string oldName = fileName_;
    fileName_ = newName;
    if (!TrySave()) {
        // The text never reached the new file: keep logging to the old one.
        fileName_ = oldName;
        return false;
    }
    // Delete the old file only when it is another file: the same file may be reached by
    // another spelling (relative path, "..", a link).
    std::error_code ec;
    if (fs::exists(oldName, ec) && !fs::equivalent(oldName, fileName_, ec) && !ec) fs::remove(oldName, ec);
    return true;
}

void LogDocument::SaveAs() {
    forms::FileDialogRequest request;
    request.filter = "Data (*.dat)|*.dat";
    request.fileName = fileName_;
    request.flags = 6;
    const std::string chosen = forms::Forms().ShowSave(request);
    if (chosen.empty()) return;  // Cancel ends the command silently
    SaveAs(chosen);              // so does a failed save: the old file keeps the log
}

void LogDocument::Print(const std::string& boxText) {
    try {
        print::Printer& printer = print::ThePrinter();
        printer.Print(fileName_);
        printer.Print();
        printer.Print(boxText);
        printer.EndDoc();
    } catch (const VbError& e) {
        forms::Forms().MsgBox(e.Description, forms::vbCritical);
    }
}
