#ifndef HALD_ERROR_H
#define HALD_ERROR_H
// The error handler every component keeps one of: shows an error in a message box and
// appends it to the daily error log; also a word-wrapping message box for warnings.
#include <cstdint>
#include <optional>
#include <string>

#include "vb/VbError.h"

class Hald_Error {
public:
    // What HandleError does with an error: show it in a critical box, append it to the
    // error log, or both.
    struct Report {
        bool Display;
        bool LogError;
    };
    static constexpr Report ShowAndLog{true, true};
    static constexpr Report LogOnly{false, true};
    static constexpr Report ShowOnly{true, false};

    // Shows a modal box with the prompt word-wrapped at the first space at or after
    // column 40 and the title fitted to 40 characters; returns the button pressed,
    // 0 when nothing was shown (empty prompt: logged instead).
    int16_t ShowMessage(const std::string& Prompt, std::optional<int32_t> Buttons = std::nullopt,
                        std::optional<std::string> ProcedureName = std::nullopt,
                        std::optional<std::string> HelpFile = std::nullopt,
                        std::optional<int32_t> Context = std::nullopt);

    // Reports `RTErr` (shown in a critical box titled `Title`, or the error's source, and
    // appended to the error log, as `How` says). True when the error was worth reporting
    // (its number is not 3146).
    bool HandleError(const VbError& RTErr, std::optional<std::string> Title = std::nullopt,
                     Report How = ShowAndLog);

    // One error of a database engine's collection: False for a time-out state ("S1T00" at
    // the start of its description), otherwise True unless its number is 3146.
    bool CheckError(const VbError& DBError) const;
};

namespace ErrorLogging {
// Appends one record to today's error log after purging logs older than 7 days. Never throws.
void LogError(int32_t number, const std::string& description, const std::string& source) noexcept;
// The folder that holds the error logs: the executable's folder, or the user's data folder
// when that is not writable. Tests point it elsewhere.
std::string LogFolder();
// An empty folder returns to the automatic choice.
void SetLogFolder(const std::string& folder);
// The automatic choice for a program in `exeFolder`: that folder when a file can be
// created in it, else $XDG_DATA_HOME/Vorn5 (or ~/.local/share/Vorn5), created if needed.
std::string ResolveLogFolder(const std::string& exeFolder);
// Today's log file: LogFolder() + "/Vorn5ERROR" + day and month (two digits each) + ".TXT".
std::string LogFilePath();
}  // namespace ErrorLogging

#endif
