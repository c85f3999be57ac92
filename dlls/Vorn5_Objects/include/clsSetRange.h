#ifndef CLSSETRANGE_H
#define CLSSETRANGE_H
// Ask for a low and a high value in a modal window. The four texts replace the window's
// own (empty texts included); GetRange returns true when OK accepted a range, and the
// values then hold it (after Cancel they keep what they held).
#include <memory>
#include <string>

#include "ISetRangeView.h"

class clsSetRange {
public:
    void setCaption(const std::string& sData) { caption_ = sData; }
    void setRangeLabel(const std::string& sData) { rangeLabel_ = sData; }
    void setHiLabel(const std::string& sData) { hiLabel_ = sData; }
    void setLoLabel(const std::string& sData) { loLabel_ = sData; }
    void setsngLow(float vData) { low_ = vData; }
    void setsngHigh(float vData) { high_ = vData; }
    float sngLow() const { return low_; }
    float sngHigh() const { return high_; }
    bool GetRange();

    // The check of OK: both texts numbers and high above low (as singles). On success
    // the two values are set and None returned; otherwise the "Invalid Range Specified"
    // box has been shown and the result names the box that gets the focus: High when
    // the low text is a number, else Low.
    enum class Refocus { None, Low, High };
    static Refocus CheckRange(const std::string& lowText, const std::string& highText, float& low, float& high);

private:
    float low_ = 0.0f;
    float high_ = 0.0f;
    std::string caption_, rangeLabel_, hiLabel_, loLabel_;
};

#endif
