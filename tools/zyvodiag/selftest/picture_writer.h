// Pictures compressed on the machine's cores, behind the tests, each picture a job of its own.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace zyvodiag {

class PictureWriter {
public:
    // A job writes its pictures and returns why it could not, or an empty string.
    using Job = std::function<std::string()>;

    // `threads` workers; 0 takes one for each core.
    explicit PictureWriter(unsigned threads = 0);
    ~PictureWriter();
    PictureWriter(const PictureWriter&) = delete;
    PictureWriter& operator=(const PictureWriter&) = delete;

    void add(Job job);
    // Waits until every job added so far is done; returns their failures, in no set order.
    std::vector<std::string> finish();
    // Time the workers spent writing pictures, summed over all of them.
    double busyMilliseconds() const;
    size_t jobsDone() const;

private:
    void work();

    mutable std::mutex mMutex;
    std::condition_variable mWake;
    std::condition_variable mIdle;
    std::deque<Job> mJobs;
    size_t mRunning = 0;
    size_t mDone = 0;
    bool mClosing = false;
    double mBusyMilliseconds = 0;
    std::vector<std::string> mFailures;
    std::vector<std::thread> mThreads;
};

} // namespace zyvodiag
