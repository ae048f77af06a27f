#pragma once

#include <cstdint>    // Required for: uint64_t
#include <functional> // Required for: std::function
#include <thread>     // Required for: std::jthread

// A job run beside the calling thread. Growth and the mesh builder hand
// work to a second core for every tree, and starting a thread for it costs
// tens of microseconds, as much as growing a small tree; so jobs run on one
// thread kept for the whole process. While that thread is busy (a tree made
// on another thread at the same time), or missing (in a child made by fork),
// a job gets a thread of its own.
class HelperJob {
public:
    // Starts `job`. Throws std::system_error when no thread can be had.
    explicit HelperJob(std::function<void()> job);
    // Waits for the job.
    ~HelperJob();
    HelperJob(const HelperJob&) = delete;
    HelperJob& operator=(const HelperJob&) = delete;

    // Returns once the job has run; its writes are then seen by the caller.
    void wait();

    // Whether a job can run beside the caller on a core of its own: on one
    // core, handing work over only adds the hand-over.
    static bool helps();

private:
    uint64_t ticket_ = 0; // the kept thread's number for the job; 0 when on its own thread
    std::jthread own_;
};
