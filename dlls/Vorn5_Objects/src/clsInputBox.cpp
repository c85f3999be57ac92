#include "clsInputBox.h"

#include "ObjectsViewFactory.h"

bool clsInputBox::InputBox(const std::string& sDefault) {
    std::unique_ptr<IInputBoxView> window = CreateInputBoxView();
    window->SetText(sDefault);
    window->ShowModal();
    input_ = window->Text();
    return window->blnOK();
}
