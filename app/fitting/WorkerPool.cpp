#include "WorkerPool.h"

#include <deque>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

namespace {

class Pool {
public:
    static Pool& Instance() {
        static Pool pool;
        return pool;
    }

    ~Pool() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            closing_ = true;
        }
        wake_.notify_all();
        for (std::thread& t : threads_) t.join();
    }

    // Runs `task` on a kept thread, then `done` once that thread is counted idle again (so
    // a group ended is a group whose threads the next one finds idle).
    bool Post(std::function<void()> task, std::function<void()> done) {
        std::unique_lock<std::mutex> lock(mutex_);
        // One idle thread for each task waiting, else a new thread; when none can be made,
        // the task waits for a busy one (tasks never wait for each other).
        if (idle_ <= static_cast<int32_t>(jobs_.size())) {
            try {
                threads_.emplace_back([this] { Loop(); });
                ++idle_;   // counted from now, or the next task would make another
            } catch (const std::system_error&) {
                if (threads_.empty()) return false;
            }
        }
        jobs_.push_back({std::move(task), std::move(done)});
        lock.unlock();
        wake_.notify_one();
        return true;
    }

    int32_t Threads() {
        std::lock_guard<std::mutex> lock(mutex_);
        return static_cast<int32_t>(threads_.size());
    }

private:
    struct Job {
        std::function<void()> task, done;
    };

    // A thread counts as idle from when it is made until it takes a job, and again from
    // when the job's task has returned.
    void Loop() {
        std::unique_lock<std::mutex> lock(mutex_);
        for (;;) {
            wake_.wait(lock, [this] { return closing_ || !jobs_.empty(); });
            if (jobs_.empty()) return;
            Job job = std::move(jobs_.front());
            jobs_.pop_front();
            --idle_;
            lock.unlock();
            job.task();
            lock.lock();
            ++idle_;
            lock.unlock();
            job.done();
            lock.lock();
        }
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Job> jobs_;
    std::vector<std::thread> threads_;
    int32_t idle_ = 0;
    bool closing_ = false;
};

}  // namespace

WorkerPool::Group::~Group() { Wait(); }

bool WorkerPool::Group::Run(std::function<void()> task) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        ++running_;
    }
    const bool posted = Pool::Instance().Post(std::move(task), [this] {
        // Notified under the lock: once Wait has seen the count reach 0, the group may go.
        std::lock_guard<std::mutex> lock(mutex_);
        if (--running_ == 0) ended_.notify_all();
    });
    if (!posted) {
        std::lock_guard<std::mutex> lock(mutex_);
        --running_;
    }
    return posted;
}

void WorkerPool::Group::Wait() {
    std::unique_lock<std::mutex> lock(mutex_);
    ended_.wait(lock, [this] { return running_ == 0; });
}

int32_t WorkerPool::Threads() { return Pool::Instance().Threads(); }
