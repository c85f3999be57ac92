#include "ILogView.h"
#include "LogDocument.h"

namespace {

class HeadlessLogView : public ILogView {
public:
    HeadlessLogView(LogDocument& document, std::shared_ptr<ScopedHeadlessLogViews::State> state)
        : document_(document), state_(std::move(state)) {}
    void Show(bool modal) override {
        if (!state_) return;
        state_->shown.push_back({modal});
        if (state_->onShow) state_->onShow(document_, modal);
    }

private:
    LogDocument& document_;
    std::shared_ptr<ScopedHeadlessLogViews::State> state_;
};

LogViewFactory& installedFactory() {
    static LogViewFactory factory;
    return factory;
}

}  // namespace

LogViewFactory SetLogViewFactory(LogViewFactory factory) {
    LogViewFactory previous = std::move(installedFactory());
    installedFactory() = std::move(factory);
    return previous;
}

std::unique_ptr<ILogView> CreateLogView(LogDocument& document) {
    if (installedFactory()) return installedFactory()(document);
    return std::make_unique<HeadlessLogView>(document, nullptr);
}

ScopedHeadlessLogViews::ScopedHeadlessLogViews() : state_(std::make_shared<State>()) {
    auto state = state_;
    previous_ = SetLogViewFactory([state](LogDocument& document) -> std::unique_ptr<ILogView> {
        return std::make_unique<HeadlessLogView>(document, state);
    });
}

ScopedHeadlessLogViews::~ScopedHeadlessLogViews() { SetLogViewFactory(std::move(previous_)); }
