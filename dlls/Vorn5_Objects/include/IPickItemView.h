#ifndef IPICKITEMVIEW_H
#define IPICKITEMVIEW_H
// The window behind clsPickList: a list to choose one item from, OK and Cancel.
#include <cstdint>
#include <string>
#include <vector>

class IPickItemView {
public:
    virtual ~IPickItemView() = default;
    virtual void SetCaption(const std::string& text) = 0;
    virtual void SetLabel(const std::string& text) = 0;
    // Item k of the list is items[k - 1]; the first is selected.
    virtual void setvntListContents(const std::vector<std::string>& items) = 0;
    // Shows the window modally; returns when OK or Cancel hid it.
    virtual void ShowModal() = 0;
    virtual bool mblnOK() const = 0;
    virtual int16_t intChosen() const = 0;  // 1-based position of the chosen item
    virtual std::string strChosen() const = 0;
};

#endif
