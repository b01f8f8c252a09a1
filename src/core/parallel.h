// Work on the parts of a range at the same time, a part a processor, for the
// passes over millions of rows that read them and write apart.
#pragma once

#include <algorithm>
#include <cstddef>
#include <exception>
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

// work(p) for each part p of `parts`, at the same time; the calling thread
// takes part 0. Without threads to be had, the caller does the rest in turn.
// The first exception a part throws is thrown here, after every part ended.
template <class Work> void EachPart(std::size_t parts, Work&& work) {
    if (parts <= 1) {
        if (parts == 1) work(std::size_t(0));
        return;
    }
    std::vector<std::exception_ptr> errors(parts);
    std::vector<std::thread> threads;
    std::size_t ranFrom = parts; // parts from here on run on the caller
    for (std::size_t p = 1; p < parts; ++p) {
        try {
            threads.emplace_back([&, p] {
                try {
                    work(p);
                } catch (...) {
                    errors[p] = std::current_exception();
                }
            });
        } catch (const std::system_error&) {
            ranFrom = p;
            break;
        }
    }
    try {
        work(std::size_t(0));
        for (std::size_t p = ranFrom; p < parts; ++p)
            work(p);
    } catch (...) {
        errors[0] = std::current_exception();
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
