#ifndef HEADLESSPROGRESSVIEW_H
#define HEADLESSPROGRESSVIEW_H
// Progress windows without a screen, for tests and benchmarks: every window made while a
// ScopedHeadlessProgress lives writes into one shared record, and the test can press
// Cancel on the windows that are loaded (for example from forms' onDoEvents hook).
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "IProgressView.h"

struct ProgressRecord {
    int loads = 0;
    int shows = 0;
    int unloads = 0;
    std::string caption;                     // last caption set
    std::vector<int16_t> barValues;          // every bar value set, in order
    std::vector<std::string> elapsedTexts;   // every elapsed text set
    std::vector<std::string> timeLeftTexts;  // every time-left text assigned
    int16_t cancelAtValue = -1;              // press Cancel once the bar reaches this value
};

class HeadlessProgressView : public IProgressView {
public:
    struct Shared;
    explicit HeadlessProgressView(std::shared_ptr<Shared> shared);
    ~HeadlessProgressView() override;

    void SetCaption(const std::string& text) override;
    std::string Caption() const override { return caption_; }
    void SetMin(int16_t value) override { min_ = value; }
    void SetMax(int16_t value) override { max_ = value; }
    int16_t Max() const override { return max_; }
    void SetValue(int16_t value) override;
    int16_t Value() const override { return value_; }
    void SetElapsedText(const std::string& text) override;
    void SetTimeLeftText(const std::string& text) override;
    std::string TimeLeftText() const override { return timeLeft_; }
    void ShowWindow() override;
    void Repaint() override {}
    bool CancelFlag() const override { return cancel_; }

    void PressCancel() { cancel_ = true; }
    bool Visible() const { return visible_; }

private:
    std::shared_ptr<Shared> shared_;
    std::string caption_ = "Progress...";
    std::string timeLeft_;
    int16_t min_ = 0;
    int16_t max_ = 100;
    int16_t value_ = 0;
    bool cancel_ = false;
    bool visible_ = false;
};

// Installs headless progress windows for the life of the object.
class ScopedHeadlessProgress {
public:
    ScopedHeadlessProgress();
    ~ScopedHeadlessProgress();
    ScopedHeadlessProgress(const ScopedHeadlessProgress&) = delete;
    ScopedHeadlessProgress& operator=(const ScopedHeadlessProgress&) = delete;

    ProgressRecord& record();
    // Clicks Cancel on every loaded window.
    void PressCancel();
    // The loaded windows, oldest first.
    std::vector<HeadlessProgressView*> windows() const;

private:
    std::shared_ptr<HeadlessProgressView::Shared> shared_;
    ProgressViewFactory previous_;
};

#endif
