// Work on the parts of a range at the same time, a part a processor, for the
// passes over millions of rows that read them and write apart.
#pragma once

#include "core/work_pulse.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace torvel {

// How many parts of at least minPart items n items make: one a processor.
inline std::size_t PartsFor(std::size_t n, std::size_t minPart) {
    const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
    return std::max<std::size_t>(
        1, std::min({cores, std::size_t(8), n / std::max<std::size_t>(minPart, 1)}));
}

// Counts the parts that ended, for a caller that waits for them.
class PartsDone {
  public:
    void Ended() {
        std::lock_guard<std::mutex> hold(mutex_);
        ++ended_;
        changed_.notify_one();
    }
    // Until `parts` ended, keeping the windows painted meanwhile.
    void WaitPulsing(std::size_t parts) {
        std::unique_lock<std::mutex> hold(mutex_);
        while (ended_ < parts) {
            changed_.wait_for(hold, std::chrono::milliseconds(PulseMs / 2));
            if (ended_ >= parts) break;
            hold.unlock();
            Pulse();
            hold.lock();
        }
    }

  private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::size_t ended_ = 0;
};

// work(p) for each part p of `parts`, at the same time; the calling thread
// takes part 0, or, during long work on the window's thread, waits for the
// parts while keeping the windows painted. Without threads to be had, the
// caller does the rest in turn. The first exception a part throws is thrown
// here, after every part ended.
template <class Work> void EachPart(std::size_t parts, Work&& work) {
    if (parts <= 1) {
        if (parts == 1) work(std::size_t(0));
        return;
    }
    const std::size_t firstOnAThread = PulseScope::Active() ? 0 : 1;
    std::vector<std::exception_ptr> errors(parts);
    std::vector<std::thread> threads;
    PartsDone done;
    std::size_t ranFrom = parts; // parts from here on run on the caller
    try {
        threads.reserve(parts);
    } catch (const std::bad_alloc&) {
        ranFrom = firstOnAThread;
    }
    for (std::size_t p = firstOnAThread; p < ranFrom; ++p) {
        try {
            threads.emplace_back([&, p] {
                try {
                    work(p);
                } catch (...) {
                    errors[p] = std::current_exception();
                }
                done.Ended();
            });
        } catch (...) {
            // No thread, or no memory for one: the caller does the rest.
            ranFrom = p;
            break;
        }
    }
    try {
        if (firstOnAThread == 1) work(std::size_t(0));
        for (std::size_t p = ranFrom; p < parts; ++p)
            work(p);
        if (firstOnAThread == 0) done.WaitPulsing(threads.size());
    } catch (...) {
        if (!errors[0]) errors[0] = std::current_exception();
    }
    for (auto& t : threads)
        t.join();
    for (const auto& e : errors)
        if (e) std::rethrow_exception(e);
}

// work(begin, end) for parts of [0, n) of at least minPart items each.
template <class Work> void ForParts(std::size_t n, std::size_t minPart, Work&& work) {
    const std::size_t parts = PartsFor(n, minPart);
    EachPart(parts, [&](std::size_t p) { work(n * p / parts, n * (p + 1) / parts); });
}

} // namespace torvel
