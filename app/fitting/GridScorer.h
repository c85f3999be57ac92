#ifndef GRIDSCORER_H
#define GRIDSCORER_H
// Scores the nodes of a grid search in the search's own order, with worker threads that
// score ahead on private copies of the method. Only the thread that asks for the scores
// touches the method itself, the windows and the error log: what a worker would have
// reported while scoring a node is reported when that node's score is asked for.
//
// The scores are those the method would give, node after node, on one thread: a worker's
// score of a node is used only when its copy agreed with the method on everything the
// score reads (IMeth::CarriedState), else the node is scored again on the method and the
// workers start afresh from copies of it as it is then.
#include <atomic>
#include <chrono>
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

class GridScorer {
public:
    // Sets node k (0-based, in the search's order) on a method: writes the seasonal values
    // the node varies and gives the K and Linf to score it with.
    using NodeSetter = std::function<void(IMeth& meth, int32_t k, float& K, float& Linf)>;

    // Scores on `threads` worker threads (1: on the calling thread only, no copies made).
    GridScorer(IMeth& meth, int32_t nodes, NodeSetter setNode, int32_t threads);
    ~GridScorer();
    GridScorer(const GridScorer&) = delete;
    GridScorer& operator=(const GridScorer&) = delete;

    // Score of node k, to which the method has just been set with (K, Linf): what
    // meth.CalcScoreT0 gives now. Nodes are asked for in order, each once. Every 50 ms,
    // scoring or waiting, it asks `cancelled` (when given); empty when that says so.
    std::optional<float> Score(int32_t k, float K, float Linf, const std::function<bool()>& cancelled);

    // The number of threads a search scores on: `asked` when at least 1, else VORN5_THREADS
    // when it holds a number of at least 1, else every hardware thread; always 1 on a
    // search's own worker thread.
    static int32_t Threads(int32_t asked);
    // Marks the calling thread as a search's worker (Threads then gives 1 there).
    static void EnterWorker();

private:
    struct Slot {
        std::atomic<bool> ready{false};
        float score = 0;
        std::vector<float> state;            // the copy's CarriedState when it scored
        std::vector<DeferredError> reports;  // what scoring the node would have reported
        std::exception_ptr error;
    };

    float ScoreHere(float K, float Linf);
    bool CancelDue(const std::function<bool()>& cancelled);
    bool MakeCopies(int32_t count);
    void Work(IMeth& copy);
    void Start(int32_t from);
    void Stop();

    IMeth& meth_;
    const int32_t nodes_;
    const NodeSetter setNode_;
    // Workers score nodes 0 .. nodes_ - 2: the last is scored on the method itself, so the
    // method ends as a search on one thread leaves it.
    std::unique_ptr<Slot[]> slots_;
    std::vector<std::unique_ptr<IMeth>> copies_;
    WorkerPool::Group workers_;
    int32_t started_ = 0;   // workers started and not yet stopped
    std::atomic<int32_t> next_{0};
    std::atomic<int32_t> waitingFor_{-1};   // the node the caller waits for, or -1
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::condition_variable done_;
    std::vector<float> state_;   // the method's CarriedState at the node asked for
    std::chrono::steady_clock::time_point lastPoll_;
};

#endif
