#include "MUtility.h"

#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "Hald_Error.h"
#include "MErrors.h"
#include "forms/FormsService.h"
#include "vb/VbError.h"

namespace fs = std::filesystem;

namespace MUtility {

namespace {
const std::string CRLF = "\r\n";

size_t nameStartIndex(const std::string& path) {
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? 0 : slash + 1;
}
}  // namespace

bool FileExists(const std::string& path) {
    std::error_code ec;
    if (path.empty() || !fs::is_regular_file(path, ec)) return false;
    (void)fs::file_size(path, ec);
    return !ec;
}

std::string StripNulls(const std::string& s) { return s.substr(0, s.find('\0')); }

std::string FileNameOf(const std::string& path) { return path.substr(nameStartIndex(path)); }

std::string ExtensionOf(const std::string& path) {
    std::string name = FileNameOf(path);
    size_t dot = name.find_last_of('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

std::string BaseNameOf(const std::string& path) {
    std::string name = FileNameOf(path);
    size_t dot = name.find_last_of('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

void SplitPath(const std::string& path, int32_t& nameStart, int32_t& dirStart, int32_t& extStart) {
    dirStart = (!path.empty() && path[0] == '/') ? 2 : 1;
    size_t n = nameStartIndex(path);
    nameStart = static_cast<int32_t>(n) + 1;
    size_t dot = path.find_last_of('.');
    extStart = (dot != std::string::npos && dot >= n) ? static_cast<int32_t>(dot) + 1 : 0;
}

std::string ParsePath(const std::string& path, int32_t& nameStart, int32_t& extStart, int32_t& dirStart) {
    std::error_code ec;
    fs::path full = fs::absolute(path, ec);
    std::string s = ec ? path : full.lexically_normal().string();
    SplitPath(s, nameStart, dirStart, extStart);
    return s;
}

std::string TempPath() {
    std::error_code ec;
    fs::path p = fs::temp_directory_path(ec);
    if (ec) MErrors::RaiseWinError(ec.value());
    return p.string();
}

std::string TempFileName(const std::string& prefix, const std::string& folder) {
    std::string dir = folder.empty() ? TempPath() : folder;
    std::string templ = dir + "/" + prefix + "XXXXXX";
    int fd = ::mkstemp(templ.data());
    if (fd < 0) MErrors::RaiseWinError(errno);
    ::close(fd);
    int32_t a, b, c;
    return ParsePath(templ, a, b, c);
}

std::string AppPath() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return fs::current_path(ec).string();
    return exe.parent_path().string();
}

void Hourglass(bool on) { forms::Forms().SetHourglass(on); }

bool CheckFileName(const std::string& path, int16_t mode) {
    // The name as found on disk; "" when there is none (errors of the search ignored).
    std::string name;
    {
        std::error_code ec;
        fs::file_status st = fs::status(path, ec);
        if (!ec && fs::exists(st) && !fs::is_directory(st)) name = FileNameOf(path);
    }
    const bool exists = !name.empty();
    bool result = false;
    int step = 2;
    while (step <= 5) {
        try {
            switch (step) {
                case 2:
                    if (mode == 1 && exists) {
                        int16_t answer = forms::Forms().MsgBox(
                            "The file " + name + "already exists on " + CRLF + "disk. Saving to that file will " +
                                "overwrite the file's current " + "contents " + CRLF + CRLF + CRLF +
                                "Choose OK to replace file, " + "Cancel to stop.",
                            forms::vbOKCancel + forms::vbQuestion, "File Message");
                        return answer == forms::vbOK;
                    }
                    break;
                case 3:
                    if (mode == 2 && !exists) {
                        forms::Forms().MsgBox("The file " + name + " doesn't exist." + CRLF + CRLF +
                                                  "Please select another file. ",
                                              forms::vbOKOnly, "File Message");
                        return false;
                    }
                    break;
                case 4:
                    if ((mode == 4 || mode == 5) && !exists) return false;
                    break;
                case 5:
                    result = true;
                    break;
            }
            ++step;
        } catch (const VbError& e) {
            switch (FileErrorPrompt(e.Number)) {
                case 0: break;            // the same step again
                case 1: ++step; break;    // the next step
                case 2: return result;    // what was found so far
                default:
                    throw VbError(vbObjectError + 2251, "Vorn5.CheckFileName", "Unidentified error.");
            }
        }
    }
    return result;
}

int16_t FileErrorPrompt(int32_t number) {
    struct Entry { int32_t number; const char* text; int32_t buttons; };
    static const Entry table[] = {
        {52, "That file number or name is illegal", forms::vbOKCancel},
        {54, "Can't open your file for that type of access", forms::vbRetryCancel},
        {55, "This file is already open.", forms::vbRetryCancel},
        {57, "Internal disk error.", forms::vbRetryCancel},
        {61, "Disk is full. Continue?", forms::vbYesNoCancel},
        {62, "This file has a nonstandard end-of-file marker, or an attempt was made to read beyond "
             "the end-of-file marker.", forms::vbRetryCancel},
        {64, "That filename is illegal.", forms::vbOKCancel},
        {68, "That device appears unavailable.", forms::vbRetryCancel},
        {71, "Insert a disk in the drive and make sure door is closed", forms::vbRetryCancel},
        {75, "That path or filename cannot be accessed.", forms::vbRetryCancel},
        {76, "That path doesn't exist.", forms::vbRetryCancel},
    };
    const Entry* entry = nullptr;
    for (const auto& e : table)
        if (e.number == number) entry = &e;

    Hald_Error handler;
    if (!entry) {
        handler.ShowMessage("Default Error Message: An internal unidentified error has occured.",
                            forms::vbOKOnly + forms::vbExclamation, std::string("File Error"));
        return 3;
    }
    int16_t answer = handler.ShowMessage(entry->text, entry->buttons + forms::vbExclamation, std::string("File Error"));
    switch (answer) {
        case forms::vbOK:
            // An illegal name fails the same way every time: retrying would bring the box back forever.
            return (number == 52 || number == 64) ? 2 : 0;
        case forms::vbRetry: return 0;
        case forms::vbIgnore: return 1;
        case forms::vbCancel:
        case forms::vbAbort: return 2;
        case forms::vbYes: return number == 61 ? 0 : 3;
        case forms::vbNo: return number == 61 ? 2 : 3;
        default: return 3;
    }
}

}  // namespace MUtility
