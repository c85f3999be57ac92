#ifndef IPROGRESSVIEW_H
#define IPROGRESSVIEW_H
// The window behind clsProgress. One view object is one loaded window: it is created
// when the window loads (cancel flag cleared, bar at its design settings) and destroyed
// when it unloads. The program installs the Qt window; without it a headless view is used.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class IProgressView {
public:
    virtual ~IProgressView() = default;

    virtual void SetCaption(const std::string& text) = 0;
    virtual std::string Caption() const = 0;
    virtual void SetMin(int16_t value) = 0;
    virtual void SetMax(int16_t value) = 0;
    virtual int16_t Max() const = 0;
    virtual void SetValue(int16_t value) = 0;
    virtual int16_t Value() const = 0;
    virtual void SetElapsedText(const std::string& text) = 0;
    virtual void SetTimeLeftText(const std::string& text) = 0;
    virtual std::string TimeLeftText() const = 0;
    // Shows the window modeless (no waiting) and paints it at once.
    virtual void ShowWindow() = 0;
    virtual void Repaint() = 0;
    // The window's cancel flag: set once Cancel was clicked.
    virtual bool CancelFlag() const = 0;
};

using ProgressViewFactory = std::function<std::unique_ptr<IProgressView>()>;

// Installs the factory that makes progress windows and returns the previous one; an
// empty factory restores the headless default.
ProgressViewFactory SetProgressViewFactory(ProgressViewFactory factory);
std::unique_ptr<IProgressView> CreateProgressView();

#endif
