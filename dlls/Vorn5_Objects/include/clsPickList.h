#ifndef CLSPICKLIST_H
#define CLSPICKLIST_H
// Choose one item of a list in a modal window. One object serves one pick: the window is
// released after PickItem, and setting a text or picking again then raises error 91.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "IPickItemView.h"

class clsPickList {
public:
    clsPickList();
    ~clsPickList();
    clsPickList(const clsPickList&) = delete;
    clsPickList& operator=(const clsPickList&) = delete;

    void setCaption(const std::string& sData);
    void setLabel(const std::string& sData);
    // The last pick: the chosen item's 1-based position (0 before any) and its text.
    int16_t intChosenIndex() const { return chosenIndex_; }
    const std::string& strChosenText() const { return chosenText_; }
    // Shows the items (vntData[k - 1] is item k) and returns true when one was chosen;
    // Cancel returns false and keeps the previous choice.
    bool PickItem(const std::vector<std::string>& vntData);

    // The window while it exists (tests drive it); nullptr after the pick.
    IPickItemView* Window() const { return mfrmPickItem.get(); }

private:
    IPickItemView& Loaded(const char* proc);

    std::unique_ptr<IPickItemView> mfrmPickItem;
    int16_t chosenIndex_ = 0;
    std::string chosenText_;
};

#endif
