#ifndef IMULTIPICKITEMVIEW_H
#define IMULTIPICKITEMVIEW_H
// The window behind clsMultiPickList: the master table shown as two lists (not chosen,
// chosen) with buttons that move items across, OK and Cancel.
#include <string>

class MultiPickTable;

class IMultiPickItemView {
public:
    virtual ~IMultiPickItemView() = default;
    virtual void SetCaption(const std::string& text) = 0;
    virtual void SetUnPickedLabel(const std::string& text) = 0;
    virtual void SetPickedLabel(const std::string& text) = 0;
    virtual void SetLabel(const std::string& text) = 0;
    virtual MultiPickTable& Table() = 0;
    // Refills both lists from the table.
    virtual void RefreshListBoxes() = 0;
    // Shows the window modally (clearing bOK); returns when OK or Cancel hid it.
    virtual void ShowModal() = 0;
    virtual bool bOK() const = 0;
};

#endif
