#ifndef FORMSSERVICE_H
#define FORMSSERVICE_H
// What the computing code and the forms ask of the window system: message and input
// boxes, the beep, letting pending window events run, the hourglass pointer, the
// common file dialogs and context help. The program installs the Qt implementation;
// tests and benchmarks install HeadlessForms (scripted answers, a record of what was shown).
#include <cstdint>
#include <string>

namespace forms {

// Button codes returned by MsgBox.
enum MsgResult : int16_t { vbOK = 1, vbCancel = 2, vbAbort = 3, vbRetry = 4, vbIgnore = 5, vbYes = 6, vbNo = 7 };

// Button and icon codes accepted by MsgBox (added together).
enum MsgStyle : int32_t {
    vbOKOnly = 0, vbOKCancel = 1, vbAbortRetryIgnore = 2, vbYesNoCancel = 3, vbYesNo = 4, vbRetryCancel = 5,
    vbCritical = 16, vbQuestion = 32, vbExclamation = 48, vbInformation = 64,
    vbMsgBoxHelpButton = 16384
};

// The application title a box takes when it is given none.
inline constexpr const char* kAppTitle = "Vorn 5.0";

struct FileDialogRequest {
    std::string filter;       // "Data (*.dat)|*.dat|..."
    std::string fileName;     // preset name
    std::string title;        // dialog title; empty: the dialog's own
    std::string defaultExt;   // "VN5": added when the chosen name has no extension
    int32_t flags = 0;        // 2: ask before overwriting, 4: hide read-only box
};

struct FontChoice {
    std::string name;
    float size = 8.25f;
    bool bold = false;
    bool italic = false;
};

class FormsService {
public:
    virtual ~FormsService() = default;

    // MsgBox(prompt, buttons + icon, title): returns the button pressed (MsgResult).
    // An empty title means kAppTitle. CR in the prompt breaks the line.
    virtual int16_t MsgBox(const std::string& prompt, int32_t buttons = vbOKOnly,
                           const std::string& title = {}, const std::string& helpFile = {},
                           int32_t context = 0) = 0;
    // InputBox: "" when cancelled.
    virtual std::string InputBox(const std::string& prompt, const std::string& title = {},
                                 const std::string& defaultText = {}) = 0;
    virtual void Beep() = 0;
    virtual void DoEvents() = 0;
    virtual void SetHourglass(bool on) = 0;
    // File dialogs: the chosen path, "" when cancelled.
    virtual std::string ShowOpen(const FileDialogRequest& request) = 0;
    virtual std::string ShowSave(const FileDialogRequest& request) = 0;
    // The font dialog, preset from `font`, sizes limited to minSize..maxSize: false when
    // cancelled, else `font` holds the choice.
    virtual bool ShowFont(FontChoice& font, int32_t minSize, int32_t maxSize) = 0;
    // Context help: command 1 shows the topic of `context`, 11 the contents and index.
    virtual void ShowHelp(const std::string& helpFile, int32_t command, int32_t context) = 0;
};

// The installed service (HeadlessForms until the program installs its own).
FormsService& Forms();
// Installs `service` (not owned) and returns the previous one; nullptr restores the default.
FormsService* SetForms(FormsService* service);

}  // namespace forms

#endif
