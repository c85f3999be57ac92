#include "SimplexStarts.h"

#include <algorithm>
#include <cfenv>
#include <chrono>
#include <iterator>
#include <utility>

#include "GridScorer.h"
#include "IMeth.h"
#include "clsNelMead.h"
#include "vb/VbError.h"

// The objective a worker's minimiser calls: the copy's MinFunc, each point kept with what
// scoring it would have reported. Once the search stops, a run ends at its next point.
class SimplexStarts::Recorder : public INelMead {
public:
    Recorder(SimplexStarts& owner, Run& run) : owner_(owner), run_(run) {}

    double MinFunc(std::vector<double>& x, int32_t& vtx) override {
        if (owner_.stop_.load()) throw VbError(vbObjectError + 2263, "SimplexStarts", "User Cancelled");
        Evaluation e;
        e.x = x[1];
        e.y = x[2];
        double value = 0;
        try {
            DeferredErrors keep(e.reports);
            value = run_.copy->MinFunc(x, vtx);
            e.scored = true;
        } catch (...) {
            Keep(std::move(e));
            throw;
        }
        Keep(std::move(e));
        return value;
    }

private:
    void Keep(Evaluation&& e) {
        std::lock_guard<std::mutex> lock(owner_.mutex_);
        run_.evaluations.push_back(std::move(e));
    }

    SimplexStarts& owner_;
    Run& run_;
};

void SimplexStarts::Prepare(clsNelMead& simplex, INelMead& objective) {
    simplex.Create(&objective, 2);
    simplex.setConvergeOn(COEither);
    simplex.setXTOL(1E-5f);
}

void SimplexStarts::SetUp(clsNelMead& simplex, const SimplexBox& b) {
    simplex.SetParameter(1, b.a1, b.a1 + 0.99 * b.d1, b.a1, b.b1);
    simplex.SetParameter(2, b.a2, b.a2 + 0.99 * b.d2, b.a2, b.b2);
}

SimplexStarts::SimplexStarts(IMeth& meth, std::vector<SimplexBox> boxes, int32_t threads)
    : boxes_(std::move(boxes)) {
    const int32_t workers = std::min(threads, static_cast<int32_t>(boxes_.size()));
    if (workers < 2) return;
    for (size_t r = 0; r < boxes_.size(); ++r) {
        auto run = std::make_unique<Run>();
        run->copy = meth.ScoringCopy();
        if (!run->copy) {
            runs_.clear();
            return;
        }
        runs_.push_back(std::move(run));
    }
    // Halves round as on the calling thread, where the runs would be made one by one.
    const int rounding = std::fegetround();
    for (int32_t t = 0; t < workers; ++t) {
        const bool started = workers_.Run([this, rounding] {
            std::fesetround(rounding);
            GridScorer::EnterWorker();
            Work();
        });
        if (!started) break;   // no more threads to be had: the ones started take every run
        ++started_;
    }
}

SimplexStarts::~SimplexStarts() { Abandon(); }

void SimplexStarts::Abandon() {
    stop_.store(true);
    workers_.Wait();
}

void SimplexStarts::Work() {
    for (;;) {
        const int32_t r = next_.fetch_add(1);
        if (r >= static_cast<int32_t>(runs_.size()) || stop_.load()) break;
        Run& run = *runs_[r];
        {
            DeferredErrors keep(run.reports);
            try {
                Recorder objective(*this, run);
                clsNelMead simplex;
                Prepare(simplex, objective);
                SetUp(simplex, boxes_[r]);
                simplex.Minimise();
                run.outcome.MinOK = simplex.MinOK();
                run.outcome.MinFuncVal = simplex.MinFuncVal();
                if (run.outcome.MinOK) {
                    run.outcome.P1 = simplex.Parameter(1);
                    run.outcome.P2 = simplex.Parameter(2);
                }
            } catch (...) {
                run.error = std::current_exception();
            }
        }
        {
            std::lock_guard<std::mutex> lock(mutex_);
            run.over = true;
        }
        changed_.notify_all();
    }
}

std::optional<SimplexOutcome> SimplexStarts::Outcome(int32_t run, const PointFn& point,
                                                    const std::function<bool()>& cancelled) {
    Run& r = *runs_.at(static_cast<size_t>(run - 1));
    size_t taken = 0;
    auto lastPoll = std::chrono::steady_clock::now();
    for (;;) {
        std::vector<Evaluation> fresh;
        bool over = false;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            if (taken == r.evaluations.size() && !r.over)
                changed_.wait_for(lock, WorkerPool::kPollInterval, [&r] { return r.over; });
            fresh.assign(std::make_move_iterator(r.evaluations.begin() + static_cast<std::ptrdiff_t>(taken)),
                         std::make_move_iterator(r.evaluations.end()));
            taken = r.evaluations.size();
            over = r.over;
        }
        for (Evaluation& e : fresh) {
            DeferredErrors::Replay(e.reports);
            if (!point(e.x, e.y, e.scored)) {
                Abandon();
                return std::nullopt;
            }
        }
        if (over) break;
        const auto now = std::chrono::steady_clock::now();
        if (cancelled && now - lastPoll >= WorkerPool::kPollInterval) {
            lastPoll = now;
            if (cancelled()) {
                Abandon();
                return std::nullopt;
            }
        }
    }
    DeferredErrors::Replay(r.reports);
    if (r.error) std::rethrow_exception(r.error);
    return r.outcome;
}
