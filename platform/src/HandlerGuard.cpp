#include "forms/HandlerGuard.h"

#include <exception>

#include "forms/FormsService.h"
#include "vb/VbError.h"

namespace forms {

void RunHandler(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const VbError& e) {
        Forms().MsgBox(e.Description, vbExclamation, kAppTitle);
    } catch (const std::exception& e) {
        Forms().MsgBox(e.what(), vbCritical, kAppTitle);
    }
}

}  // namespace forms
