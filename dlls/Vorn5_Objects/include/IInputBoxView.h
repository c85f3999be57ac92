#ifndef IINPUTBOXVIEW_H
#define IINPUTBOXVIEW_H
// The window behind clsInputBox: one line of text, OK and Cancel.
#include <string>

class IInputBoxView {
public:
    virtual ~IInputBoxView() = default;
    virtual void SetText(const std::string& text) = 0;
    virtual std::string Text() const = 0;
    // Shows the window modally (clearing blnOK); returns when OK or Cancel hid it.
    virtual void ShowModal() = 0;
    virtual bool blnOK() const = 0;
};

#endif
