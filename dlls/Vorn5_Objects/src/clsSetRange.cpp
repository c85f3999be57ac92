#include "clsSetRange.h"

#include "ObjectsViewFactory.h"
#include "forms/FormsService.h"
#include "vb/VbError.h"
#include "vb/VbRuntime.h"

bool clsSetRange::GetRange() {
    std::unique_ptr<ISetRangeView> window = CreateSetRangeView();
    window->Load(low_, high_);
    window->SetCaption(caption_);
    window->SetRangeLabel(rangeLabel_);
    window->SetHiLabel(hiLabel_);
    window->SetLoLabel(loLabel_);
    window->ShowModal();
    low_ = window->sngLow();
    high_ = window->sngHigh();
    return window->mblnOK();
}

clsSetRange::Refocus clsSetRange::CheckRange(const std::string& lowText, const std::string& highText, float& low,
                                             float& high) {
    try {
        if (vb::IsNumeric(lowText) && vb::IsNumeric(highText)) {
            const float l = vb::CSng(lowText);
            const float h = vb::CSng(highText);
            if (h > l) {
                low = l;
                high = h;
                return Refocus::None;
            }
        }
    } catch (const VbError&) {
        // a number too large for a single: the same message
    }
    forms::Forms().MsgBox("Invalid Range Specified", forms::vbExclamation, "Range Error");
    return vb::IsNumeric(lowText) ? Refocus::High : Refocus::Low;
}
