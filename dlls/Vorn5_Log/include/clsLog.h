#ifndef CLSLOG_H
#define CLSLOG_H
// The run log: a text the analyses append to, shown in the log window and written to
// Log00001.dat (the first free number) in the current folder, or in the user's data
// folder when the current folder cannot be written.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "ILogView.h"
#include "LogDocument.h"

class clsLog {
public:
    // `folder`: where the log file goes; empty means the current folder.
    explicit clsLog(const std::string& folder = {});
    ~clsLog();
    clsLog(const clsLog&) = delete;
    clsLog& operator=(const clsLog&) = delete;

    void setPolling(bool value) { polling_ = value; }
    // Appends 44 tildes and CR LF.
    void InsertSeperator();
    void ClearLog() { buffer_.clear(); }
    // Gives the buffer to the window and saves it to the log file.
    void EndLog();
    // Shows the log window with the buffer; afterwards the buffer is the window's text
    // (so Clear Log in a modal viewing empties the buffer).
    void View(bool modal = true);
    bool IsSaved() const { return !document_.IsDirty(); }
    void Save() { document_.Save(); }
    // Appends the text as it is (callers supply their own line ends).
    void LogText(std::string_view vData);
    void LogText(float vData);
    void LogText(double vData);
    void LogText(int32_t vData);
    // Deletes the log file; a file that is not there counts as deleted. Other failures
    // raise VbError 75 to the caller.
    void DeleteLogFile();
    const std::string& Filename() const { return document_.Filename(); }

    const std::string& Buffer() const { return buffer_; }
    LogDocument& Window() { return document_; }

    // The path of the log file a new log in `folder` takes: the first free
    // Log00001.dat ... Log10000.dat (all taken: Log10000.dat).
    static std::string ChooseFileName(const std::string& folder);
    // Where logs go when the current folder cannot be written ($XDG_DATA_HOME/Vorn5 or
    // ~/.local/share/Vorn5, created when needed).
    static std::string UserDataFolder();

private:
    LogDocument document_;
    std::unique_ptr<ILogView> view_;
    std::string buffer_;
    bool polling_ = false;
};

#endif
