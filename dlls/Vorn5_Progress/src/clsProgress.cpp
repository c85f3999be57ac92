#include "clsProgress.h"

#include <cmath>

#include "forms/FormsService.h"
#include "vb/VbError.h"
#include "vb/VbRuntime.h"

namespace {

constexpr float kSecondsPerDay = 86400.0f;

std::string TwoDigits(int32_t n) {
    std::string text = std::to_string(n);
    return n < 10 ? "0" + text : text;
}

}  // namespace

clsProgress::clsProgress() = default;

clsProgress::~clsProgress() { Unload(); }

IProgressView& clsProgress::Window() {
    // Any use of the object loads the window; after an unload it comes back fresh.
    if (!window_) window_ = CreateProgressView();
    return *window_;
}

void clsProgress::Unload() { window_.reset(); }

void clsProgress::setMax(int16_t value) {
    if (value < 1) throw VbError(100, "clsProgress.Max", "Maximum must be greater than 0");
    Window().SetMax(value);
}

int16_t clsProgress::Max() { return Window().Max(); }

int16_t clsProgress::Value() { return Window().Value(); }

void clsProgress::setValue(int16_t value) {
    IProgressView& window = Window();
    const int16_t max = window.Max();
    if (value > max || value < 0) {
        Unload();
        throw VbError(100, "clsProgress.Value",
                      "Value must be greater than 0 and smaller than " + std::to_string(max));
    }
    if (value == 0) {
        startTime_ = vb::Timer();
        window.SetElapsedText("Time elapsed: " + FormatTime(0.0f));
        window.SetMin(0);
        window.ShowWindow();
        window.Repaint();
        return;
    }
    if (value == max || window.CancelFlag()) {
        // The full bar is never drawn: the window just goes.
        Unload();
        return;
    }
    const float now = vb::Timer();
    float elapsed = now - startTime_;
    if (now < startTime_) elapsed += kSecondsPerDay;  // the timer passed midnight
    window.SetElapsedText("Time elapsed: " + FormatTime(elapsed));
    timeValue_ = (static_cast<float>(max) / static_cast<float>(value) - 1.0f) * elapsed;
    const std::string left = "Estimated time left: " + FormatTime(timeValue_);
    if (left != window.TimeLeftText()) window.SetTimeLeftText(left);
    window.SetValue(value);
    forms::Forms().DoEvents();
}

bool clsProgress::CancelPressed() {
    Window();
    forms::Forms().DoEvents();
    // The events just run may have done anything, unloading included: read afresh.
    return Window().CancelFlag();
}

void clsProgress::setCaption(const std::string& text) {
    IProgressView& window = Window();
    window.SetCaption(text);
    window.Repaint();
}

std::string clsProgress::Caption() { return Window().Caption(); }

std::string clsProgress::FormatTime(float seconds) {
    float t = seconds;
    if (!(t >= 0.0f)) t = 0.0f;
    if (t >= kSecondsPerDay) t = std::fmod(std::nearbyint(t), kSecondsPerDay);
    const int32_t hours = static_cast<int32_t>(std::floor(t / 3600.0f));
    const float afterHours = t - static_cast<float>(hours) * 3600.0f;
    const int32_t minutes = static_cast<int32_t>(std::floor(afterHours / 60.0f));
    const int32_t secs = static_cast<int32_t>(std::floor(afterHours - static_cast<float>(minutes) * 60.0f));
    return TwoDigits(hours) + ":" + TwoDigits(minutes) + ":" + TwoDigits(secs);
}
