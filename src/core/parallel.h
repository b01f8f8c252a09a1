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

// work(begin, end) for parts of [0, n) of at least minPart items each; the
// calling thread takes the first part. Without threads to be had, the caller
// does all of it. The first exception a part throws is thrown here, after
// every part has ended.
template <class Work> void ForParts(std::size_t n, std::size_t minPart, Work&& work) {
    const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t parts =
        std::min({cores, std::size_t(8), n / std::max<std::size_t>(minPart, 1)});
    if (parts <= 1) {
        work(std::size_t(0), n);
        return;
    }
    std::vector<std::exception_ptr> errors(parts);
    std::vector<std::thread> threads;
    std::size_t ranFrom = parts; // parts from here on run on the caller
    for (std::size_t p = 1; p < parts; ++p) {
        try {
            threads.emplace_back([&, p] {
                try {
                    work(n * p / parts, n * (p + 1) / parts);
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
        work(std::size_t(0), n / parts);
        if (ranFrom < parts) work(n * ranFrom / parts, n);
    } catch (...) {
        errors[0] = std::current_exception();
    }
    for (auto& t : threads)
        t.join();
    for (const auto& e : errors)
        if (e) std::rethrow_exception(e);
}

} // namespace torvel
