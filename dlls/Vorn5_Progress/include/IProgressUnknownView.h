#ifndef IPROGRESSUNKNOWNVIEW_H
#define IPROGRESSUNKNOWNVIEW_H
// The wait window behind clsProgressUnknown: a text, a moving dot and Cancel. The window
// calls `onCancelPressed` when Cancel is clicked (after setting its flag and hiding).
#include <functional>
#include <memory>
#include <string>

class IProgressUnknownView {
public:
    virtual ~IProgressUnknownView() = default;
    virtual void ShowWindow() = 0;  // modeless, without an owner
    virtual void HideWindow() = 0;
    virtual void SetCaption(const std::string& text) = 0;
    virtual void SetLabel(const std::string& text) = 0;
    virtual bool CancelFlag() const = 0;

    std::function<void()> onCancelPressed;
};

using ProgressUnknownViewFactory = std::function<std::unique_ptr<IProgressUnknownView>()>;

// Installs the factory for wait windows and returns the previous one; an empty factory
// restores the headless default.
ProgressUnknownViewFactory SetProgressUnknownViewFactory(ProgressUnknownViewFactory factory);
std::unique_ptr<IProgressUnknownView> CreateProgressUnknownView();

#endif
