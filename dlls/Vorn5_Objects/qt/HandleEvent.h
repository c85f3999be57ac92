#ifndef HANDLEEVENT_H
#define HANDLEEVENT_H
// Runs one event handler of the dialogs: no error leaves it, an unexpected one is shown.
#include "forms/FormsService.h"
#include "vb/VbError.h"

template <typename Handler>
void HandleEvent(Handler&& handler) {
    try {
        handler();
    } catch (const VbError& e) {
        forms::Forms().MsgBox(e.Description, forms::vbCritical, e.Source);
    }
}

#endif
