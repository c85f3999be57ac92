// The daily error log: one text file per day in the program folder, records in print
// zones, files older than a week purged before each record. Nothing here may throw:
// failing to log must never turn into a second error.
#include <sys/stat.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "Hald_Error.h"
#include "files/WholeFile.h"
#include "vb/VbRuntime.h"

namespace fs = std::filesystem;

namespace ErrorLogging {

namespace {

constexpr const char* kPrefix = "Vorn5ERROR";  // of the pattern "Vorn5ERROR????.TXT"
constexpr int kZoneWidth = 14;
constexpr int kKeepDays = 7;

std::string& folderOverride() {
    static std::string f;
    return f;
}

std::tm localNow() {
    std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    return tm;
}

// Days since 1970-01-01 of a civil date (proleptic Gregorian).
long daysFromCivil(int y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long>(doe) - 719468;
}

long localDay(std::time_t t) {
    std::tm tm{};
    localtime_r(&t, &tm);
    return daysFromCivil(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday);
}

bool matchesLogPattern(const std::string& name) {
    // "Vorn5ERROR????.TXT", compared without regard to case as the file search did.
    const std::string prefix = kPrefix;
    if (name.size() != prefix.size() + 4 + 4) return false;
    return vb::UCase(name.substr(0, prefix.size())) == vb::UCase(prefix) &&
           vb::UCase(name.substr(name.size() - 4)) == ".TXT";
}

void purgeOldLogs(const std::string& folder) {
    std::error_code ec;
    const long today = localDay(std::time(nullptr));
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (!matchesLogPattern(name)) continue;
        struct stat st {};
        if (::stat(it->path().c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
        if (today - localDay(st.st_mtime) > kKeepDays) {
            std::error_code rm;
            fs::remove(it->path(), rm);  // a file we cannot delete simply stays
        }
    }
}

void padToNextZone(std::string& line) {
    const size_t next = (line.size() / kZoneWidth + 1) * kZoneWidth;
    line.append(next - line.size(), ' ');
}

std::string record(int32_t number, const std::string& description, const std::string& source) {
    const int64_t diff = int64_t(number) - int64_t(vbObjectError);
    const bool ours = diff > 0 && diff < 65535;
    const int32_t shown = ours ? static_cast<int32_t>(diff) : number;

    char when[128] = {0};
    std::tm now = localNow();
    if (std::strftime(when, sizeof when, "%x %X", &now) == 0) when[0] = 0;

    std::string line = vb::Str(shown) + " ";
    padToNextZone(line);
    line += ours ? "Hald Error" : "System Error";
    padToNextZone(line);
    line += description;
    padToNextZone(line);
    line += source;
    padToNextZone(line);
    line += when;
    line += "\r\n";
    return line;
}

std::string executableFolder() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return fs::current_path(ec).string();
    return exe.parent_path().string();
}

}  // namespace

std::string ResolveLogFolder(const std::string& exeFolder) {
    if (files::CanCreateFilesIn(exeFolder)) return exeFolder;
    std::string base;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg) base = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home) base = std::string(home) + "/.local/share";
    if (base.empty()) return exeFolder;
    std::string folder = base + "/Vorn5";
    std::error_code ec;
    fs::create_directories(folder, ec);
    return folder;
}

std::string LogFolder() {
    if (!folderOverride().empty()) return folderOverride();
    static const std::string automatic = ResolveLogFolder(executableFolder());
    return automatic;
}

void SetLogFolder(const std::string& folder) { folderOverride() = folder; }

std::string LogFilePath() {
    std::tm now = localNow();
    char dm[8];
    std::snprintf(dm, sizeof dm, "%02d%02d", now.tm_mday % 100, (now.tm_mon + 1) % 100);
    return LogFolder() + "/" + kPrefix + dm + ".TXT";
}

void LogError(int32_t number, const std::string& description, const std::string& source) noexcept {
    try {
        const std::string folder = LogFolder();
        purgeOldLogs(folder);
        // Appended, without a sync: the log is no user data, and a record must cost the
        // window nothing. Earlier records are never rewritten, so a failure loses at most
        // this one; a day's file that cannot be read or written is left as it is.
        files::AppendToFile(LogFilePath(), record(number, description, source));
    } catch (...) {
        // Deliberately swallowed: a failure to log must not become an error of its own.
    }
}

}  // namespace ErrorLogging
