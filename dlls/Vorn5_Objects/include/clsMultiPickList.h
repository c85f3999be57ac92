#ifndef CLSMULTIPICKLIST_H
#define CLSMULTIPICKLIST_H
// Split a list into chosen and not chosen items in a modal window with two lists and
// buttons that move items across. The caller fills the master table (iNumRows, then
// vMasterData and bMasterFlag per row), calls MultiPick and reads the flags back. The
// window is made on first use and stays with the object. Rows outside 1..iNumRows raise
// error 9.
#include <cstdint>
#include <memory>
#include <string>

#include "IMultiPickItemView.h"

class clsMultiPickList {
public:
    clsMultiPickList();
    ~clsMultiPickList();
    clsMultiPickList(const clsMultiPickList&) = delete;
    clsMultiPickList& operator=(const clsMultiPickList&) = delete;

    void setCaption(const std::string& sData);
    void setUnPickedLabel(const std::string& sData);
    void setPickedLabel(const std::string& sData);
    void setLabel(const std::string& sData);
    // Sizes the master table to rows 1..iData and clears it.
    void setiNumRows(int16_t iData);
    bool bMasterFlag(int16_t iIndex);
    void setbMasterFlag(int16_t iIndex, bool bData);
    std::string vMasterData(int16_t iIndex);
    void setvMasterData(int16_t iIndex, const std::string& vData);
    // Shows the window; true when it was closed with OK.
    bool MultiPick();

    IMultiPickItemView& Window();

private:
    std::unique_ptr<IMultiPickItemView> mfrmMultiPickItem;
};

#endif
