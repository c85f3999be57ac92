#include "clsLog.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "files/WholeFile.h"
#include "vb/VbError.h"
#include "vb/VbRuntime.h"

namespace fs = std::filesystem;

namespace {

std::string CurrentFolder() {
    std::error_code ec;
    fs::path here = fs::current_path(ec);
    return ec ? std::string(".") : here.string();
}

std::string LogFolder(const std::string& requested) {
    const std::string folder = requested.empty() ? CurrentFolder() : requested;
    if (files::CanCreateFilesIn(folder)) return folder;
    const std::string fallback = clsLog::UserDataFolder();
    return fallback.empty() ? folder : fallback;
}

}  // namespace

std::string clsLog::UserDataFolder() {
    std::string base;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg) base = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home) base = std::string(home) + "/.local/share";
    if (base.empty()) return {};
    const fs::path folder = fs::path(base) / "Vorn5";
    std::error_code ec;
    fs::create_directories(folder, ec);
    return ec ? std::string() : folder.string();
}

std::string clsLog::ChooseFileName(const std::string& folder) {
    fs::path path;
    for (int n = 1; n <= 10000; ++n) {
        path = fs::path(folder) / ("Log" + vb::Format(n, "00000") + ".dat");
        std::error_code ec;
        if (!fs::exists(fs::symlink_status(path, ec))) break;
    }
    return path.string();
}

clsLog::clsLog(const std::string& folder)
    : document_(ChooseFileName(LogFolder(folder))), view_(CreateLogView(document_)) {}

clsLog::~clsLog() = default;

void clsLog::InsertSeperator() { buffer_ += std::string(44, '~') + "\r\n"; }

void clsLog::EndLog() {
    document_.setText(buffer_);
    document_.Save();
}

void clsLog::View(bool modal) {
    document_.setText(buffer_);
    view_->Show(modal);
    buffer_ = document_.Text();
}

void clsLog::LogText(std::string_view vData) { buffer_ += vData; }
void clsLog::LogText(float vData) { buffer_ += vb::CStr(vData); }
void clsLog::LogText(double vData) { buffer_ += vb::CStr(vData); }
void clsLog::LogText(int32_t vData) { buffer_ += vb::CStr(vData); }

void clsLog::DeleteLogFile() {
    std::error_code ec;
    fs::remove(document_.Filename(), ec);  // false without error: not there, already gone
    if (ec) vb::Raise(75, "clsLog.DeleteLogFile");
}
