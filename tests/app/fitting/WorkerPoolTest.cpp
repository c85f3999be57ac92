// The kept threads of the searches: tasks of a group run side by side, however many are
// busy already; Wait returns once every task has ended; a second group reuses the threads.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "WorkerPool.h"

namespace {

// Runs `count` tasks that each wait until all have started (or 10 s have passed), so they
// finish only when they run side by side. Gives how many saw all the others start.
int runTogether(int count) {
    std::atomic<int> started{0}, together{0}, ended{0};
    {
        WorkerPool::Group group;
        for (int t = 0; t < count; ++t) {
            EXPECT_TRUE(group.Run([&] {
                ++started;
                const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
                while (started.load() < count && std::chrono::steady_clock::now() < deadline)
                    std::this_thread::yield();
                if (started.load() == count) ++together;
                ++ended;
            }));
        }
        group.Wait();
        EXPECT_EQ(ended.load(), count);
    }
    return together.load();
}

}  // namespace

TEST(WorkerPoolTest, GroupsRunSideBySideOnKeptThreads) {
    EXPECT_EQ(runTogether(6), 6);
    const int32_t made = WorkerPool::Threads();
    EXPECT_GE(made, 6);
    EXPECT_EQ(runTogether(6), 6);
    EXPECT_EQ(WorkerPool::Threads(), made);

    // A group started while another's tasks are all busy gets threads of its own.
    std::atomic<bool> release{false};
    WorkerPool::Group busy;
    for (int t = 0; t < 6; ++t)
        busy.Run([&] {
            while (!release.load()) std::this_thread::yield();
        });
    EXPECT_EQ(runTogether(3), 3);
    release = true;
    busy.Wait();
}
