#include "forms/HeadlessForms.h"

namespace forms {

namespace {
HeadlessForms& defaultService() {
    static HeadlessForms service;
    return service;
}
FormsService* installed = nullptr;

std::string take(std::deque<std::string>& answers) {
    if (answers.empty()) return {};
    std::string a = std::move(answers.front());
    answers.pop_front();
    return a;
}
}  // namespace

FormsService& Forms() { return installed ? *installed : defaultService(); }

FormsService* SetForms(FormsService* service) {
    FormsService* previous = installed;
    installed = service;
    return previous;
}

int16_t HeadlessForms::FirstButton(int32_t buttons) {
    switch (buttons & 7) {
        case vbOKCancel: return vbOK;
        case vbAbortRetryIgnore: return vbAbort;
        case vbYesNoCancel:
        case vbYesNo: return vbYes;
        case vbRetryCancel: return vbRetry;
        default: return vbOK;
    }
}

int16_t HeadlessForms::MsgBox(const std::string& prompt, int32_t buttons, const std::string& title,
                              const std::string& helpFile, int32_t context) {
    messages.push_back({prompt, buttons, title, helpFile, context});
    if (whileShown) whileShown();
    if (msgBoxAnswers.empty()) return FirstButton(buttons);
    int16_t a = msgBoxAnswers.front();
    msgBoxAnswers.pop_front();
    return a;
}

std::string HeadlessForms::InputBox(const std::string& prompt, const std::string&, const std::string&) {
    inputPrompts.push_back(prompt);
    return take(inputAnswers);
}

void HeadlessForms::DoEvents() {
    ++doEvents;
    if (onDoEvents) onDoEvents();
}

std::string HeadlessForms::ShowOpen(const FileDialogRequest& request) {
    openRequests.push_back(request);
    return take(openAnswers);
}

std::string HeadlessForms::ShowSave(const FileDialogRequest& request) {
    saveRequests.push_back(request);
    return take(saveAnswers);
}

bool HeadlessForms::ShowFont(FontChoice& font, int32_t, int32_t) {
    fontRequests.push_back(font);
    // Unscripted: cancelled.
    if (fontAnswers.empty()) return false;
    const std::optional<FontChoice> answer = fontAnswers.front();
    fontAnswers.pop_front();
    if (!answer) return false;
    font = *answer;
    return true;
}

void HeadlessForms::clear() { *this = HeadlessForms(); }

}  // namespace forms
