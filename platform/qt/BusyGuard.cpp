#include "BusyGuard.h"

#include <QTimer>
#include <algorithm>
#include <utility>
#include <vector>

#include "forms/HandlerGuard.h"

namespace busy {
namespace {

struct State {
    int depth = 0;
    int nextId = 1;
    std::vector<std::pair<int, std::function<void(bool)>>> handlers;
    std::vector<QPointer<QWidget>> closeLater;
};

State& state() {
    static State s;
    return s;
}

void Notify(bool isBusy) {
    const auto handlers = state().handlers;  // a handler may disconnect itself
    for (const auto& h : handlers) h.second(isBusy);
}

}  // namespace

BusyGuard::BusyGuard() {
    if (state().depth++ == 0) Notify(true);
}

BusyGuard::~BusyGuard() {
    if (--state().depth > 0) return;
    Notify(false);
    // Closes asked for during the run happen now, once the run's own code has returned.
    auto windows = std::exchange(state().closeLater, {});
    for (const QPointer<QWidget>& w : windows) {
        if (!w) continue;
        QTimer::singleShot(0, w.data(), [w] {
            if (w && !IsBusy()) w->close();
        });
    }
}

bool IsBusy() { return state().depth > 0; }

int ConnectBusyChanged(std::function<void(bool)> handler) {
    state().handlers.emplace_back(state().nextId, std::move(handler));
    return state().nextId++;
}

void Disconnect(int id) {
    auto& hs = state().handlers;
    hs.erase(std::remove_if(hs.begin(), hs.end(), [id](const auto& h) { return h.first == id; }), hs.end());
}

bool DeferClose(QWidget* window) {
    if (!IsBusy()) return false;
    auto& later = state().closeLater;
    if (std::none_of(later.begin(), later.end(), [window](const QPointer<QWidget>& w) { return w == window; }))
        later.emplace_back(window);
    return true;
}

void RunCommand(const std::function<void()>& command) {
    if (!IsBusy()) forms::RunHandler(command);
}

}  // namespace busy
