#include "HeadlessProgressView.h"
#include "IProgressView.h"

#include <algorithm>

struct HeadlessProgressView::Shared {
    ProgressRecord record;
    std::vector<HeadlessProgressView*> live;
};

namespace {

ProgressViewFactory& installedFactory() {
    static ProgressViewFactory factory;
    return factory;
}

}  // namespace

ProgressViewFactory SetProgressViewFactory(ProgressViewFactory factory) {
    ProgressViewFactory previous = std::move(installedFactory());
    installedFactory() = std::move(factory);
    return previous;
}

std::unique_ptr<IProgressView> CreateProgressView() {
    if (installedFactory()) return installedFactory()();
    return std::make_unique<HeadlessProgressView>(std::make_shared<HeadlessProgressView::Shared>());
}

HeadlessProgressView::HeadlessProgressView(std::shared_ptr<Shared> shared) : shared_(std::move(shared)) {
    ++shared_->record.loads;
    shared_->live.push_back(this);
}

HeadlessProgressView::~HeadlessProgressView() {
    ++shared_->record.unloads;
    auto& live = shared_->live;
    live.erase(std::remove(live.begin(), live.end(), this), live.end());
}

void HeadlessProgressView::SetCaption(const std::string& text) {
    caption_ = text;
    shared_->record.caption = text;
}

void HeadlessProgressView::SetValue(int16_t value) {
    value_ = value;
    shared_->record.barValues.push_back(value);
    if (shared_->record.cancelAtValue >= 0 && value >= shared_->record.cancelAtValue) cancel_ = true;
}

void HeadlessProgressView::SetElapsedText(const std::string& text) {
    shared_->record.elapsedTexts.push_back(text);
}

void HeadlessProgressView::SetTimeLeftText(const std::string& text) {
    timeLeft_ = text;
    shared_->record.timeLeftTexts.push_back(text);
}

void HeadlessProgressView::ShowWindow() {
    visible_ = true;
    ++shared_->record.shows;
}

ScopedHeadlessProgress::ScopedHeadlessProgress() : shared_(std::make_shared<HeadlessProgressView::Shared>()) {
    auto shared = shared_;
    previous_ = SetProgressViewFactory([shared]() -> std::unique_ptr<IProgressView> {
        return std::make_unique<HeadlessProgressView>(shared);
    });
}

ScopedHeadlessProgress::~ScopedHeadlessProgress() { SetProgressViewFactory(std::move(previous_)); }

ProgressRecord& ScopedHeadlessProgress::record() { return shared_->record; }

void ScopedHeadlessProgress::PressCancel() {
    for (HeadlessProgressView* view : shared_->live) view->PressCancel();
}

std::vector<HeadlessProgressView*> ScopedHeadlessProgress::windows() const { return shared_->live; }
