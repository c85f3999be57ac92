#include "clsProgressUnknown.h"

#include <algorithm>

#include "HeadlessProgressUnknownView.h"

namespace {

ProgressUnknownViewFactory& installedFactory() {
    static ProgressUnknownViewFactory factory;
    return factory;
}

// Every headless window that is alive, so a scope can tell its windows from dead ones.
std::vector<HeadlessProgressUnknownView*>& liveHeadless() {
    static std::vector<HeadlessProgressUnknownView*> live;
    return live;
}

class TrackedHeadlessView : public HeadlessProgressUnknownView {
public:
    TrackedHeadlessView() { liveHeadless().push_back(this); }
    ~TrackedHeadlessView() override {
        auto& live = liveHeadless();
        live.erase(std::remove(live.begin(), live.end(), this), live.end());
    }
};

}  // namespace

ProgressUnknownViewFactory SetProgressUnknownViewFactory(ProgressUnknownViewFactory factory) {
    ProgressUnknownViewFactory previous = std::move(installedFactory());
    installedFactory() = std::move(factory);
    return previous;
}

std::unique_ptr<IProgressUnknownView> CreateProgressUnknownView() {
    if (installedFactory()) return installedFactory()();
    return std::make_unique<TrackedHeadlessView>();
}

void HeadlessProgressUnknownView::PressCancel() {
    cancel = true;
    HideWindow();
    if (onCancelPressed) onCancelPressed();
}

ScopedHeadlessProgressUnknown::ScopedHeadlessProgressUnknown()
    : made_(std::make_shared<std::vector<HeadlessProgressUnknownView*>>()) {
    auto made = made_;
    previous_ = SetProgressUnknownViewFactory([made]() -> std::unique_ptr<IProgressUnknownView> {
        auto view = std::make_unique<TrackedHeadlessView>();
        made->push_back(view.get());
        return view;
    });
}

ScopedHeadlessProgressUnknown::~ScopedHeadlessProgressUnknown() {
    SetProgressUnknownViewFactory(std::move(previous_));
}

bool ScopedHeadlessProgressUnknown::PressCancel() {
    const auto& live = liveHeadless();
    for (auto it = made_->rbegin(); it != made_->rend(); ++it) {
        if (std::find(live.begin(), live.end(), *it) == live.end()) continue;  // released
        if ((*it)->visible) {
            (*it)->PressCancel();
            return true;
        }
    }
    return false;
}

clsProgressUnknown::clsProgressUnknown() : mfrmPU(CreateProgressUnknownView()) {
    mfrmPU->onCancelPressed = [this] { mfrmPU_CancelPressed(); };
}

clsProgressUnknown::~clsProgressUnknown() {
    mfrmPU->onCancelPressed = nullptr;
}

void clsProgressUnknown::Show() { mfrmPU->ShowWindow(); }
void clsProgressUnknown::Hide() { mfrmPU->HideWindow(); }
void clsProgressUnknown::setCaption(const std::string& text) { mfrmPU->SetCaption(text); }
void clsProgressUnknown::setLabel(const std::string& text) { mfrmPU->SetLabel(text); }
bool clsProgressUnknown::CancelPressed() const { return mfrmPU->CancelFlag(); }

int clsProgressUnknown::ConnectUserCancel(std::function<void()> handler) {
    handlers_.emplace_back(nextId_, std::move(handler));
    return nextId_++;
}

void clsProgressUnknown::DisconnectUserCancel(int id) {
    handlers_.erase(std::remove_if(handlers_.begin(), handlers_.end(),
                                   [id](const auto& h) { return h.first == id; }),
                    handlers_.end());
}

void clsProgressUnknown::mfrmPU_CancelPressed() {
    // Copied: a handler may disconnect itself.
    const auto handlers = handlers_;
    for (const auto& h : handlers) h.second();
}
