#include "clsPickList.h"

#include "ObjectsViewFactory.h"
#include "vb/VbRuntime.h"

clsPickList::clsPickList() : mfrmPickItem(CreatePickItemView()) {}

clsPickList::~clsPickList() = default;

IPickItemView& clsPickList::Loaded(const char* proc) {
    if (!mfrmPickItem) vb::Raise(91, std::string("clsPickList.") + proc);
    return *mfrmPickItem;
}

void clsPickList::setCaption(const std::string& sData) { Loaded("Caption").SetCaption(sData); }

void clsPickList::setLabel(const std::string& sData) { Loaded("Label").SetLabel(sData); }

bool clsPickList::PickItem(const std::vector<std::string>& vntData) {
    IPickItemView& window = Loaded("PickItem");
    window.setvntListContents(vntData);
    window.ShowModal();
    const bool ok = window.mblnOK();
    if (ok) {
        chosenIndex_ = window.intChosen();
        chosenText_ = window.strChosen();
    }
    mfrmPickItem.reset();
    return ok;
}
