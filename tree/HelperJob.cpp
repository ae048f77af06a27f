#include "HelperJob.h"

#include <pthread.h> // Required for: pthread_atfork

#include <atomic>             // Required for: std::atomic
#include <condition_variable> // Required for: std::condition_variable
#include <mutex>              // Required for: std::mutex, std::lock_guard, std::unique_lock
#include <thread>             // Required for: std::thread
#include <utility>            // Required for: std::move

namespace {

// The kept thread: one job at a time, handed over under the mutex. Jobs
// are numbered as they start; a job is done once `finished_` reaches it.
class KeptThread {
public:
    // Throws std::system_error when no thread can be had.
    KeptThread() { std::thread([this] { loop(); }).detach(); }

    // The job's number when the thread was idle and took it; 0 when busy.
    uint64_t tryRun(std::function<void()>& job) {
        std::lock_guard lock(mutex_);
        if (started_ != finished_) return 0;
        job_ = std::move(job);
        ++started_;
        ready_.notify_one();
        return started_;
    }

    void wait(uint64_t ticket) {
        std::unique_lock lock(mutex_);
        done_.wait(lock, [&] { return finished_ >= ticket; });
    }

private:
    void loop() {
        std::unique_lock lock(mutex_);
        for (;;) {
            ready_.wait(lock, [&] { return started_ != finished_; });
            // Nobody touches the job while it runs: others only look at the numbers.
            lock.unlock();
            job_();
            lock.lock();
            job_ = nullptr;
            ++finished_;
            done_.notify_all();
        }
    }

    std::mutex mutex_;
    std::condition_variable ready_;
    std::condition_variable done_;
    std::function<void()> job_;
    uint64_t started_ = 0;
    uint64_t finished_ = 0;
};

// A child made by fork() has none of its parent's threads: the kept thread
// is not there to run jobs, so jobs there get threads of their own.
std::atomic<bool> forked{false};

// Made on first use and never destroyed: at exit it waits for a job that
// never comes, and joining it from a static destructor would hang in a
// forked child, which does not have it. Null in a forked child.
KeptThread* keptThread() {
    if (forked.load(std::memory_order_relaxed)) return nullptr;
    static KeptThread* const kept = [] {
        KeptThread* const thread = new KeptThread;
        pthread_atfork(nullptr, nullptr, [] { forked.store(true, std::memory_order_relaxed); });
        return thread;
    }();
    return kept;
}

} // namespace

HelperJob::HelperJob(std::function<void()> job) {
    if (KeptThread* const kept = keptThread()) ticket_ = kept->tryRun(job);
    if (ticket_ == 0) own_ = std::jthread(std::move(job));
}

HelperJob::~HelperJob() { wait(); }

bool HelperJob::helps() {
    static const bool severalCores = std::thread::hardware_concurrency() > 1;
    return severalCores;
}

void HelperJob::wait() {
    if (ticket_ != 0) {
        if (KeptThread* const kept = keptThread()) kept->wait(ticket_); // in a forked child it never runs
        ticket_ = 0;
    } else if (own_.joinable()) {
        own_.join();
    }
}
