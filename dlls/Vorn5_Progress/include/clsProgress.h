#ifndef CLSPROGRESS_H
#define CLSPROGRESS_H
// A modeless progress window with a bar, the elapsed time, an estimate of the time
// left and a Cancel button. Long loops set Caption and Max, report Value 0 (shows the
// window), then 1, 2, ... polling CancelPressed between steps; Value equal to Max
// closes the window. Errors are raised as VbError number 100.
#include <cstdint>
#include <memory>
#include <string>

#include "IProgressView.h"

class clsProgress {
public:
    clsProgress();
    ~clsProgress();
    clsProgress(const clsProgress&) = delete;
    clsProgress& operator=(const clsProgress&) = delete;

    void setMax(int16_t value);
    int16_t Max();
    void setValue(int16_t value);
    int16_t Value();
    // Lets pending window events run, then reports whether Cancel was clicked.
    bool CancelPressed();
    void setCaption(const std::string& text);
    std::string Caption();

    // Seconds to "hh:mm:ss" (negative counts as 0; a day or more wraps).
    static std::string FormatTime(float seconds);

private:
    IProgressView& Window();
    void Unload();

    std::unique_ptr<IProgressView> window_;
    float startTime_ = 0.0f;
    float timeValue_ = 0.0f;
};

#endif
