#ifndef BUSYGUARD_H
#define BUSYGUARD_H
// The program-wide busy state of long commands. A long command (search, fit, simulation)
// lets window events run so its progress window can be seen and cancelled; while it runs
// no other command may start, and no window it uses may close. The command holds a
// BusyGuard for its run; windows listen to the busy state to disable their commands, and
// a window asked to close meanwhile calls DeferClose, which closes it once the run ends.
#include <QPointer>
#include <QWidget>
#include <functional>

namespace busy {

class BusyGuard {
public:
    BusyGuard();
    ~BusyGuard();
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;
};

// True while any BusyGuard lives.
bool IsBusy();

// Calls `handler(true)` when the first guard starts and `handler(false)` when the last
// one ends. Returns an id for Disconnect.
int ConnectBusyChanged(std::function<void(bool busy)> handler);
void Disconnect(int id);

// While busy: remembers `window`, to be closed when the run ends, and returns true (the
// caller then ignores the close). When not busy: returns false.
bool DeferClose(QWidget* window);

// Runs a command of a window, unless a long command runs. No error leaves it: an error
// is shown in a box titled "Vorn 5.0" (one the program did not raise with the critical
// icon).
void RunCommand(const std::function<void()>& command);

}  // namespace busy

#endif
