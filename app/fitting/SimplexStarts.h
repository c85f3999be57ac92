#ifndef SIMPLEXSTARTS_H
#define SIMPLEXSTARTS_H
// The simplex runs of a search side by side: each run from its own start box, on a worker
// thread, with its own copy of the method and its own minimiser. The thread that runs the
// window takes the outcomes in run order and, with each, every point the run evaluated (to
// draw the run's path) after what scoring that point would have reported.
//
// A run ends as it would on one thread only if the runs before it cannot change what the
// method scores; callers start runs side by side only for a method whose scores carry
// nothing over (IMeth::CarriedState empty).
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "DeferredErrors.h"
#include "WorkerPool.h"

class IMeth;
class INelMead;
class clsNelMead;

// A start box [a1, b1] x [a2, b2]; each parameter starts at a and at a + 0.99 d.
struct SimplexBox {
    float a1 = 0, b1 = 0, a2 = 0, b2 = 0, d1 = 0, d2 = 0;
};

struct SimplexOutcome {
    bool MinOK = false;
    double MinFuncVal = 0;
    double P1 = 0, P2 = 0;   // the best vertex, when MinOK
};

class SimplexStarts {
public:
    // Called with each point a run evaluated and whether MinFunc scored it (or failed);
    // False stops.
    using PointFn = std::function<bool(double X, double Y, bool Scored)>;

    // Starts the runs of `boxes` on up to `threads` threads. Nothing starts with fewer than
    // two threads or a method that cannot be copied.
    SimplexStarts(IMeth& meth, std::vector<SimplexBox> boxes, int32_t threads);
    // Stops the runs still going and waits for them.
    ~SimplexStarts();
    SimplexStarts(const SimplexStarts&) = delete;
    SimplexStarts& operator=(const SimplexStarts&) = delete;

    bool Started() const { return started_ > 0; }

    // Outcome of run `run` (1-based), in run order. Meanwhile hands `point` every point the
    // run evaluated, in order, and while waiting asks `cancelled` every 50 ms. Empty when
    // either says stop; the runs still going are then stopped.
    std::optional<SimplexOutcome> Outcome(int32_t run, const PointFn& point, const std::function<bool()>& cancelled);

    // A minimiser for the runs of a search, and its start box for one run: alike on every thread.
    static void Prepare(clsNelMead& simplex, INelMead& objective);
    static void SetUp(clsNelMead& simplex, const SimplexBox& box);

private:
    struct Evaluation {
        double x = 0, y = 0;
        bool scored = false;   // MinFunc returned (it failed otherwise)
        std::vector<DeferredError> reports;
    };
    struct Run {
        std::unique_ptr<IMeth> copy;
        std::vector<Evaluation> evaluations;   // guarded by mutex_
        bool over = false;                     // guarded by mutex_
        SimplexOutcome outcome;
        std::vector<DeferredError> reports;    // the minimiser's own
        std::exception_ptr error;
    };
    class Recorder;

    void Work();
    void Abandon();

    std::vector<SimplexBox> boxes_;
    std::vector<std::unique_ptr<Run>> runs_;
    WorkerPool::Group workers_;
    int32_t started_ = 0;
    std::atomic<int32_t> next_{0};
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::condition_variable changed_;
};

#endif
