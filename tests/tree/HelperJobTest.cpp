// Jobs handed beside the calling thread: one kept thread runs them one
// after another, a job that finds it busy or the thread missing (in a
// forked child) gets a thread of its own, and waiting shows its writes.
#include "HelperJob.h"

#include <gtest/gtest.h>

#include <sys/wait.h> // Required for: waitpid, WIFEXITED, WEXITSTATUS
#include <unistd.h>   // Required for: fork, _exit

#include <atomic>  // Required for: std::atomic
#include <numeric> // Required for: std::accumulate
#include <thread>  // Required for: std::this_thread::get_id, std::thread::id
#include <vector>  // Required for: std::vector

namespace {
// Jobs run so far on the thread that reads it: it keeps counting on a kept
// thread, where a fresh thread (even one that reuses an old id) starts at 1.
thread_local int jobsOnThisThread = 0;
} // namespace

TEST(HelperJob, RunsOnOneKeptThreadAndOnItsOwnWhileThatIsBusy) {
    const std::thread::id caller = std::this_thread::get_id();

    // Successive jobs: beside the caller, on the same kept thread each time,
    // their writes seen once wait() returns.
    std::thread::id kept;
    int firstCount = 0;
    for (int round = 0; round < 50; ++round) {
        std::thread::id ran;
        int count = 0;
        std::vector<int> written(1000, 0);
        HelperJob job([&] {
            ran = std::this_thread::get_id();
            count = ++jobsOnThisThread;
            for (std::size_t i = 0; i < written.size(); ++i) written[i] = static_cast<int>(i);
        });
        job.wait();
        ASSERT_NE(ran, caller);
        if (round == 0) kept = ran, firstCount = count;
        ASSERT_EQ(ran, kept) << "round " << round;
        ASSERT_EQ(count, firstCount + round) << "round " << round;
        ASSERT_EQ(std::accumulate(written.begin(), written.end(), 0), 999 * 1000 / 2);
    }

    // The kept thread held by a job that waits for a release: the next job
    // runs on a thread of its own and finishes meanwhile.
    std::atomic<bool> release{false};
    std::thread::id blockedOn;
    HelperJob blocking([&] {
        blockedOn = std::this_thread::get_id();
        release.wait(false);
    });
    std::thread::id ranBeside;
    int besideCount = 0;
    {
        HelperJob beside([&] {
            ranBeside = std::this_thread::get_id();
            besideCount = ++jobsOnThisThread;
        });
    } // the destructor waits
    EXPECT_NE(ranBeside, caller);
    EXPECT_NE(ranBeside, kept);
    EXPECT_EQ(besideCount, 1);
    release = true;
    release.notify_one();
    blocking.wait();
    EXPECT_EQ(blockedOn, kept);

    // Free again, the kept thread takes the next job.
    std::thread::id after;
    HelperJob([&] { after = std::this_thread::get_id(); }).wait();
    EXPECT_EQ(after, kept);
}

#if defined(__SANITIZE_THREAD__)
#define THREAD_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define THREAD_SANITIZER 1
#endif
#endif

TEST(HelperJob, RunsInAChildMadeByFork) {
#if defined(THREAD_SANITIZER)
    GTEST_SKIP() << "ThreadSanitizer does not start threads in a child of a threaded process";
#endif
    // The kept thread exists in the parent, not in a child made by fork(): a
    // job there must still run, on a thread of its own, and be waited for.
    HelperJob([] {}).wait();
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        int ran = 0;
        HelperJob([&] { ran = 1; }).wait();
        _exit(ran == 1 ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}
