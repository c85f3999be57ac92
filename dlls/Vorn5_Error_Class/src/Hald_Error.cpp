#include "Hald_Error.h"

#include <utility>

#include "DeferredErrors.h"
#include "forms/FormsService.h"

namespace {

constexpr int32_t kTitleWidth = 40;
constexpr int32_t kWrapColumn = 40;
constexpr int32_t kOdbcCallFailed = 3146;

// The title of every box: fitted to 40 characters, cut with "..." or padded with spaces.
std::string fitTitle(const std::optional<std::string>& name) {
    std::string t = (name && !name->empty()) ? *name : std::string("Message: Unknown Procedure");
    if (static_cast<int32_t>(t.size()) > kTitleWidth) return t.substr(0, kTitleWidth - 3) + "...";
    t.resize(kTitleWidth, ' ');
    return t;
}

// Trailing spaces and line ends go, one CR is added; each line then ends at the first
// space at or after its 40th character (a CR is put after that space) or earlier at a CR.
std::string wrapPrompt(const std::string& prompt) {
    std::string text = prompt;
    while (!text.empty() && (text.back() == ' ' || text.back() == '\r' || text.back() == '\n'))
        text.pop_back();
    text += '\r';

    std::string out;
    size_t start = 0;
    while (start < text.size()) {
        size_t space = text.find(' ', start + kWrapColumn - 1);
        size_t cr = text.find('\r', start);
        if (cr != std::string::npos && (space == std::string::npos || cr < space)) {
            out.append(text, start, cr - start + 1);
            start = cr + 1;
        } else if (space == std::string::npos) {
            out.append(text, start, std::string::npos);
            break;
        } else {
            out.append(text, start, space - start + 1);
            out += '\r';
            start = space + 1;
        }
    }
    return out;
}

}  // namespace

int16_t Hald_Error::ShowMessage(const std::string& Prompt, std::optional<int32_t> Buttons,
                                std::optional<std::string> ProcedureName,
                                std::optional<std::string> HelpFile, std::optional<int32_t> Context) {
    if (Prompt.empty()) {
        ErrorLogging::LogError(vbObjectError + 1, "Null message passed to ShowMessage.", "");
        return 0;
    }
    int32_t buttons = Buttons.value_or(forms::vbExclamation);
    std::string helpFile;
    int32_t context = 0;
    if (HelpFile && Context) {
        buttons += forms::vbMsgBoxHelpButton;
        helpFile = *HelpFile;
        context = *Context;
    }
    return forms::Forms().MsgBox(wrapPrompt(Prompt), buttons, fitTitle(ProcedureName), helpFile, context);
}

bool Hald_Error::HandleError(const VbError& RTErr, std::optional<std::string> Title, Report How) {
    const bool worth = RTErr.Number != kOdbcCallFailed;
    if (std::vector<DeferredError>* later = DeferredErrors::Target()) {
        later->push_back({RTErr, std::move(Title), How});
        return worth;
    }
    const std::string title = Title ? *Title : RTErr.Source;
    if (worth && How.Display) {
        if (!RTErr.HelpFile.empty())
            ShowMessage(RTErr.Description, forms::vbCritical, title, RTErr.HelpFile, RTErr.HelpContext);
        else
            ShowMessage(RTErr.Description, forms::vbCritical, title);
    }
    if (worth && How.LogError) ErrorLogging::LogError(RTErr.Number, RTErr.Description, title);
    return worth;
}

bool Hald_Error::CheckError(const VbError& DBError) const {
    if (DBError.Description.compare(0, 5, "S1T00") == 0) return false;
    return DBError.Number != kOdbcCallFailed;
}
