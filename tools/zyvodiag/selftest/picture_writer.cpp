// A small pool of threads over independent picture jobs.
#include "selftest/picture_writer.h"

#include <algorithm>
#include <chrono>

namespace zyvodiag {

PictureWriter::PictureWriter(unsigned threads) {
    if (threads == 0) {
        threads = std::max(1u, std::thread::hardware_concurrency());
    }
    for (unsigned i = 0; i < threads; ++i) {
        mThreads.emplace_back([this] { work(); });
    }
}

PictureWriter::~PictureWriter() {
    {
        std::lock_guard<std::mutex> lock(mMutex);
        mClosing = true;
    }
    mWake.notify_all();
    for (std::thread& thread : mThreads) {
        thread.join();
    }
}

void PictureWriter::add(Job job) {
    {
        std::lock_guard<std::mutex> lock(mMutex);
        mJobs.push_back(std::move(job));
    }
    mWake.notify_one();
}

std::vector<std::string> PictureWriter::finish() {
    std::unique_lock<std::mutex> lock(mMutex);
    mIdle.wait(lock, [this] { return mJobs.empty() && mRunning == 0; });
    return std::move(mFailures);
}

double PictureWriter::busyMilliseconds() const {
    std::lock_guard<std::mutex> lock(mMutex);
    return mBusyMilliseconds;
}

size_t PictureWriter::jobsDone() const {
    std::lock_guard<std::mutex> lock(mMutex);
    return mDone;
}

void PictureWriter::work() {
    std::unique_lock<std::mutex> lock(mMutex);
    for (;;) {
        mWake.wait(lock, [this] { return mClosing || !mJobs.empty(); });
        if (mJobs.empty()) {
            return;
        }
        Job job = std::move(mJobs.front());
        mJobs.pop_front();
        ++mRunning;
        lock.unlock();
        const auto start = std::chrono::steady_clock::now();
        std::string failure = job();
        const auto end = std::chrono::steady_clock::now();
        job = nullptr; // its frames go now, not when the next job comes
        lock.lock();
        mBusyMilliseconds += std::chrono::duration<double, std::milli>(end - start).count();
        ++mDone;
        if (!failure.empty()) {
            mFailures.push_back(std::move(failure));
        }
        if (--mRunning == 0 && mJobs.empty()) {
            mIdle.notify_all();
        }
    }
}

} // namespace zyvodiag
