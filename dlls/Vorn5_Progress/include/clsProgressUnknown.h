#ifndef CLSPROGRESSUNKNOWN_H
#define CLSPROGRESSUNKNOWN_H
// The wait window of computations whose length is not known beforehand: a text, a moving
// dot and Cancel. Cancel hides the window, sets CancelPressed and raises UserCancel once.
// The flag is never reset: a new wait needs a new object.
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "IProgressUnknownView.h"

class clsProgressUnknown {
public:
    clsProgressUnknown();
    ~clsProgressUnknown();
    clsProgressUnknown(const clsProgressUnknown&) = delete;
    clsProgressUnknown& operator=(const clsProgressUnknown&) = delete;

    void Show();
    void Hide();
    void setCaption(const std::string& text);
    void setLabel(const std::string& text);
    bool CancelPressed() const;

    // ---- event UserCancel (no arguments) ----
    int ConnectUserCancel(std::function<void()> handler);
    void DisconnectUserCancel(int id);

    IProgressUnknownView& Window() { return *mfrmPU; }

private:
    void mfrmPU_CancelPressed();

    std::unique_ptr<IProgressUnknownView> mfrmPU;
    std::vector<std::pair<int, std::function<void()>>> handlers_;
    int nextId_ = 1;
};

#endif
