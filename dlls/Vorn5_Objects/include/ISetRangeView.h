#ifndef ISETRANGEVIEW_H
#define ISETRANGEVIEW_H
// The window behind clsSetRange: a low and a high value, OK and Cancel.
#include <string>

class ISetRangeView {
public:
    virtual ~ISetRangeView() = default;
    // Loads the window: the two boxes show the values, the texts take their defaults.
    virtual void Load(float sngLow, float sngHigh) = 0;
    virtual void SetCaption(const std::string& text) = 0;
    virtual void SetRangeLabel(const std::string& text) = 0;
    virtual void SetHiLabel(const std::string& text) = 0;
    virtual void SetLoLabel(const std::string& text) = 0;
    // Shows the window modally; returns when an accepted OK or Cancel hid it.
    virtual void ShowModal() = 0;
    virtual bool mblnOK() const = 0;
    virtual float sngLow() const = 0;
    virtual float sngHigh() const = 0;
};

#endif
