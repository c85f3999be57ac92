#ifndef WORKERPOOL_H
#define WORKERPOOL_H
// Threads for the searches' workers, kept once made: making and ending a thread here costs
// as much as scoring a small grid. A task runs on an idle kept thread, or on a new one when
// every kept thread is busy; the threads end with the program.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>

class WorkerPool {
public:
    // Tasks started together and waited for together.
    class Group {
    public:
        Group() = default;
        // Waits for the tasks still running.
        ~Group();
        Group(const Group&) = delete;
        Group& operator=(const Group&) = delete;

        // Starts `task` (which lets no exception out) on a kept thread; False when no
        // thread can be had.
        bool Run(std::function<void()> task);
        // Waits until every task started has ended.
        void Wait();

    private:
        std::mutex mutex_;
        std::condition_variable ended_;
        int32_t running_ = 0;
    };

    // How often a wait for a worker lets the caller look for a Cancel.
    static constexpr std::chrono::milliseconds kPollInterval{50};

    // Threads made so far (idle or busy).
    static int32_t Threads();
};

#endif
