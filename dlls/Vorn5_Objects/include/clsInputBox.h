#ifndef CLSINPUTBOX_H
#define CLSINPUTBOX_H
// Ask for one line of text in a modal window. sInput holds the box's text after every
// call, Cancel included; the result says whether OK closed it.
#include <string>

class clsInputBox {
public:
    const std::string& sInput() const { return input_; }
    bool InputBox(const std::string& sDefault);

private:
    std::string input_;
};

#endif
