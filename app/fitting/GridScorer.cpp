#include "GridScorer.h"

#include <algorithm>
#include <chrono>
#include <cfenv>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <utility>

#include "IMeth.h"

namespace {

// Set on a worker thread: a search started from there stays on that thread.
thread_local bool onWorker = false;

bool sameBits(const std::vector<float>& a, const std::vector<float>& b) {
    return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0);
}

}  // namespace

void GridScorer::EnterWorker() { onWorker = true; }

int32_t GridScorer::Threads(int32_t asked) {
    if (onWorker) return 1;
    if (asked >= 1) return asked;
    if (const char* v = std::getenv("VORN5_THREADS")) {
        char* end = nullptr;
        const long n = std::strtol(v, &end, 10);
        if (end != v && *end == '\0' && n >= 1) return static_cast<int32_t>(std::min(n, 1024L));
    }
    const unsigned hardware = std::thread::hardware_concurrency();
    return hardware == 0 ? 1 : static_cast<int32_t>(hardware);
}

GridScorer::GridScorer(IMeth& meth, int32_t nodes, NodeSetter setNode, int32_t threads)
    : meth_(meth), nodes_(nodes), setNode_(std::move(setNode)), lastPoll_(std::chrono::steady_clock::now()) {
    // The last node is the method's own, so at most nodes - 1 workers have anything to do.
    const int32_t workers = std::min(threads, nodes - 1);
    if (workers < 2) return;
    if (!MakeCopies(workers)) return;
    slots_ = std::make_unique<Slot[]>(static_cast<size_t>(nodes_));
    Start(0);
}

GridScorer::~GridScorer() { Stop(); }

bool GridScorer::MakeCopies(int32_t count) {
    copies_.clear();
    for (int32_t t = 0; t < count; ++t) {
        std::unique_ptr<IMeth> copy = meth_.ScoringCopy();
        if (!copy) {
            copies_.clear();
            return false;
        }
        copies_.push_back(std::move(copy));
    }
    return true;
}

void GridScorer::Start(int32_t from) {
    next_.store(from);
    stop_.store(false);
    // Halves round as on the calling thread, where the one-thread search would score.
    const int rounding = std::fegetround();
    for (const std::unique_ptr<IMeth>& copy : copies_) {
        const bool started = workers_.Run([this, c = copy.get(), rounding] {
            std::fesetround(rounding);
            Work(*c);
        });
        if (!started) break;   // no more threads to be had: the ones started do the work
        ++started_;
    }
}

void GridScorer::Stop() {
    stop_.store(true);
    workers_.Wait();
    started_ = 0;
}

void GridScorer::Work(IMeth& copy) {
    EnterWorker();
    for (;;) {
        if (stop_.load(std::memory_order_relaxed)) break;
        const int32_t k = next_.fetch_add(1);
        if (k >= nodes_ - 1) break;
        Slot& s = slots_[k];
        {
            DeferredErrors keep(s.reports);
            try {
                float K = 0, Linf = 0, t0 = 0;
                setNode_(copy, k, K, Linf);
                copy.CarriedState(s.state);
                copy.CalcScoreT0(K, Linf, s.score, t0);
            } catch (...) {
                s.error = std::current_exception();
            }
        }
        // Wake the caller only when it waits for this node (both sides store, then load,
        // in sequential order, so one of them always sees the other).
        s.ready.store(true);
        if (waitingFor_.load() == k) {
            { std::lock_guard<std::mutex> lock(mutex_); }
            done_.notify_one();
        }
    }
}

float GridScorer::ScoreHere(float K, float Linf) {
    float score = 0, t0 = 0;
    meth_.CalcScoreT0(K, Linf, score, t0);
    return score;
}

bool GridScorer::CancelDue(const std::function<bool()>& cancelled) {
    if (!cancelled) return false;
    const auto now = std::chrono::steady_clock::now();
    if (now - lastPoll_ < WorkerPool::kPollInterval) return false;
    lastPoll_ = now;
    return cancelled();
}

std::optional<float> GridScorer::Score(int32_t k, float K, float Linf, const std::function<bool()>& cancelled) {
    if (CancelDue(cancelled)) return std::nullopt;
    if (started_ == 0 || k >= nodes_ - 1) return ScoreHere(K, Linf);

    Slot& s = slots_[k];
    if (!s.ready.load()) {
        // Sleep until the workers are a round of nodes ahead rather than wake for each one:
        // the nodes in between are then mostly done as well.
        int32_t target = std::min(k + started_, nodes_ - 2);
        for (;;) {
            waitingFor_.store(target);
            Slot& awaited = slots_[target];
            std::unique_lock<std::mutex> lock(mutex_);
            if (done_.wait_for(lock, WorkerPool::kPollInterval, [&awaited] { return awaited.ready.load(); })) {
                if (s.ready.load()) break;
                target = k;
                continue;
            }
            lock.unlock();
            if (CancelDue(cancelled)) {
                waitingFor_.store(-1);
                return std::nullopt;
            }
        }
        waitingFor_.store(-1);
    }

    meth_.CarriedState(state_);
    if (!sameBits(state_, s.state)) {
        // The copy scored with something the method no longer holds (a GetT0 since moved
        // PROJMAT's working t0): score the node here, then start the workers afresh from
        // copies of the method as it is now.
        Stop();
        const float score = ScoreHere(K, Linf);
        for (int32_t n = k + 1; n < nodes_ - 1; ++n) {
            Slot& later = slots_[n];
            later.ready.store(false);
            later.reports.clear();
            later.error = nullptr;
        }
        if (MakeCopies(static_cast<int32_t>(copies_.size()))) Start(k + 1);
        return score;
    }
    DeferredErrors::Replay(s.reports);
    if (s.error) std::rethrow_exception(s.error);
    return s.score;
}
