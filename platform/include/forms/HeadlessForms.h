#ifndef HEADLESSFORMS_H
#define HEADLESSFORMS_H
// The forms service without windows: answers come from scripts queued by the test,
// everything shown is recorded. Unscripted boxes answer with their first button.
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "forms/FormsService.h"

namespace forms {

class HeadlessForms : public FormsService {
public:
    struct Shown {
        std::string prompt;
        int32_t buttons = 0;
        std::string title;   // as passed (empty: the application title)
        std::string helpFile;
        int32_t context = 0;
    };
    struct HelpShown {
        std::string helpFile;
        int32_t command = 0;
        int32_t context = 0;
    };

    int16_t MsgBox(const std::string& prompt, int32_t buttons, const std::string& title,
                   const std::string& helpFile, int32_t context) override;
    std::string InputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override;
    void Beep() override { ++beeps; }
    void DoEvents() override;
    void SetHourglass(bool on) override { hourglass = on; ++hourglassChanges; }
    std::string ShowOpen(const FileDialogRequest& request) override;
    std::string ShowSave(const FileDialogRequest& request) override;
    bool ShowFont(FontChoice& font, int32_t minSize, int32_t maxSize) override;
    void ShowHelp(const std::string& helpFile, int32_t command, int32_t context) override {
        help.push_back({helpFile, command, context});
        if (onHelp) onHelp(help.back());
    }

    // The first button of a button set: what an unscripted box answers.
    static int16_t FirstButton(int32_t buttons);

    // Scripts.
    std::deque<int16_t> msgBoxAnswers;
    std::deque<std::string> inputAnswers;      // an entry "" means Cancel
    std::deque<std::string> openAnswers;       // "" means Cancel
    std::deque<std::string> saveAnswers;
    std::deque<std::optional<FontChoice>> fontAnswers;  // nullopt means Cancel
    std::function<void()> onDoEvents;          // runs inside DoEvents (press Cancel mid-run)
    std::function<void()> whileShown;          // runs while a box is up (a real one lets events run)
    std::function<void(const HelpShown&)> onHelp;  // runs when help is asked for (to show a real viewer)

    // Record.
    std::vector<Shown> messages;
    std::vector<std::string> inputPrompts;
    std::vector<FileDialogRequest> openRequests;
    std::vector<FileDialogRequest> saveRequests;
    std::vector<FontChoice> fontRequests;      // the presets the font dialog was shown with
    std::vector<HelpShown> help;
    int beeps = 0;
    long doEvents = 0;
    bool hourglass = false;
    int hourglassChanges = 0;

    void clear();
};

// Installs a HeadlessForms for the life of the object and restores the previous service.
class ScopedHeadlessForms {
public:
    ScopedHeadlessForms() : previous_(SetForms(&forms_)) {}
    ~ScopedHeadlessForms() { SetForms(previous_); }
    ScopedHeadlessForms(const ScopedHeadlessForms&) = delete;
    ScopedHeadlessForms& operator=(const ScopedHeadlessForms&) = delete;
    HeadlessForms* operator->() { return &forms_; }
    HeadlessForms& get() { return forms_; }

private:
    HeadlessForms forms_;
    FormsService* previous_;
};

}  // namespace forms

#endif
