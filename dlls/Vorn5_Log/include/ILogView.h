#ifndef ILOGVIEW_H
#define ILOGVIEW_H
// The run-log window on screen (or not). A view shows a LogDocument it does not own.
#include <functional>
#include <memory>
#include <vector>

class LogDocument;

class ILogView {
public:
    virtual ~ILogView() = default;
    // Shows the window; a modal showing returns when the window is closed.
    virtual void Show(bool modal) = 0;
};

using LogViewFactory = std::function<std::unique_ptr<ILogView>(LogDocument&)>;

// Installs the factory that makes log windows and returns the previous one; an empty
// factory restores the headless default (a window that is never seen).
LogViewFactory SetLogViewFactory(LogViewFactory factory);
std::unique_ptr<ILogView> CreateLogView(LogDocument& document);

// For tests: log windows without a screen. `onShow` runs when a window is shown, as if
// the user worked in it (a modal showing returns afterwards).
class ScopedHeadlessLogViews {
public:
    struct Shown { bool modal; };
    ScopedHeadlessLogViews();
    ~ScopedHeadlessLogViews();
    ScopedHeadlessLogViews(const ScopedHeadlessLogViews&) = delete;
    ScopedHeadlessLogViews& operator=(const ScopedHeadlessLogViews&) = delete;

    struct State {
        std::function<void(LogDocument&, bool modal)> onShow;
        std::vector<Shown> shown;
    };
    State& state() { return *state_; }

private:
    std::shared_ptr<State> state_;
    LogViewFactory previous_;
};

#endif
