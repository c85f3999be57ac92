#include "clsMultiPickList.h"

#include "MultiPickTable.h"
#include "ObjectsViewFactory.h"

clsMultiPickList::clsMultiPickList() = default;

clsMultiPickList::~clsMultiPickList() = default;

IMultiPickItemView& clsMultiPickList::Window() {
    if (!mfrmMultiPickItem) mfrmMultiPickItem = CreateMultiPickItemView();
    return *mfrmMultiPickItem;
}

void clsMultiPickList::setCaption(const std::string& sData) { Window().SetCaption(sData); }
void clsMultiPickList::setUnPickedLabel(const std::string& sData) { Window().SetUnPickedLabel(sData); }
void clsMultiPickList::setPickedLabel(const std::string& sData) { Window().SetPickedLabel(sData); }
void clsMultiPickList::setLabel(const std::string& sData) { Window().SetLabel(sData); }
void clsMultiPickList::setiNumRows(int16_t iData) { Window().Table().setiNumRows(iData); }
bool clsMultiPickList::bMasterFlag(int16_t iIndex) { return Window().Table().bMasterFlag(iIndex); }
void clsMultiPickList::setbMasterFlag(int16_t iIndex, bool bData) { Window().Table().setbMasterFlag(iIndex, bData); }
std::string clsMultiPickList::vMasterData(int16_t iIndex) { return Window().Table().vMasterData(iIndex); }
void clsMultiPickList::setvMasterData(int16_t iIndex, const std::string& vData) {
    Window().Table().setvMasterData(iIndex, vData);
}

bool clsMultiPickList::MultiPick() {
    IMultiPickItemView& window = Window();
    window.RefreshListBoxes();
    window.ShowModal();
    return window.bOK();
}
