#ifndef HEADLESSPROGRESSUNKNOWNVIEW_H
#define HEADLESSPROGRESSUNKNOWNVIEW_H
// Wait windows without a screen, for tests: while a ScopedHeadlessProgressUnknown lives,
// every wait window made is headless and can be "clicked" with PressCancel.
#include <memory>
#include <string>
#include <vector>

#include "IProgressUnknownView.h"

class HeadlessProgressUnknownView : public IProgressUnknownView {
public:
    void ShowWindow() override { visible = true; ++shows; }
    void HideWindow() override { visible = false; }
    void SetCaption(const std::string& text) override { caption = text; }
    void SetLabel(const std::string& text) override { label = text; }
    bool CancelFlag() const override { return cancel; }

    // What the Cancel button does.
    void PressCancel();

    bool visible = false;
    bool cancel = false;
    int shows = 0;
    std::string caption;
    std::string label;
};

class ScopedHeadlessProgressUnknown {
public:
    ScopedHeadlessProgressUnknown();
    ~ScopedHeadlessProgressUnknown();
    ScopedHeadlessProgressUnknown(const ScopedHeadlessProgressUnknown&) = delete;
    ScopedHeadlessProgressUnknown& operator=(const ScopedHeadlessProgressUnknown&) = delete;

    // The windows made so far, oldest first (they live as long as their objects).
    const std::vector<HeadlessProgressUnknownView*>& windows() const { return *made_; }
    // Presses Cancel on the newest window that is shown; false when none is.
    bool PressCancel();

private:
    std::shared_ptr<std::vector<HeadlessProgressUnknownView*>> made_;
    ProgressUnknownViewFactory previous_;
};

#endif
