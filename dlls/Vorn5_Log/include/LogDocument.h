#ifndef LOGDOCUMENT_H
#define LOGDOCUMENT_H
// What the run-log window holds and does, without the widgets: the log file's path, the
// text last given to the window, the dirty flag, and the window's menu commands (Save,
// Save As, Print, Clear Log). The Qt window and the headless view both drive this.
#include <functional>
#include <string>

class LogDocument {
public:
    explicit LogDocument(std::string fileName);

    const std::string& Filename() const { return fileName_; }
    bool IsDirty() const { return dirty_; }
    // Stores the text and marks it dirty; the window shows it at once.
    void setText(const std::string& text);
    // The stored text (what typing in the window's box never changes).
    const std::string& Text() const { return text_; }
    // The window caption: the file name.
    const std::string& Caption() const { return caption_; }

    // Writes the text and a line end over the file. On failure shows "Unable to Save
    // Log File" (critical, default title) and leaves everything as it was.
    void Save();
    // The Save As command: asks for a name (Cancel ends it silently), saves there and
    // deletes the previous file when it is a different file.
    void SaveAs();
    // Save As to a name already chosen; false when the save failed (the old name stays).
    bool SaveAs(const std::string& newName);
    // The Print command: the file name, an empty line, then the window box's text.
    void Print(const std::string& boxText);
    // The Clear Log command.
    void Clear() { setText(std::string()); }

    // Called after the text or the caption changed (the window refreshes itself).
    std::function<void()> onTextChanged;
    std::function<void()> onCaptionChanged;

private:
    bool TrySave();

    std::string fileName_;
    std::string text_;
    std::string caption_;
    bool dirty_ = false;
};

#endif
