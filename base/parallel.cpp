#include "base/parallel.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace ruvex {

namespace {

// Under Wine most of a file test is spent in the calling process, so threads scale with the processors;
// beyond a handful the wineserver and the disk cache set the pace.
constexpr unsigned kMostThreads = 8;

} // namespace

void ForEachRange(std::size_t count, std::size_t grain, const std::function<void(std::size_t, std::size_t)>& work) {
    grain = std::max<std::size_t>(grain, 1);
    const std::size_t ranges = (count + grain - 1) / grain;
    const std::size_t threads =
        std::min<std::size_t>(std::clamp(std::thread::hardware_concurrency(), 1u, kMostThreads), ranges);
    if (threads <= 1) {
        if (count > 0) {
            work(0, count);
        }
        return;
    }
    std::atomic<std::size_t> next{0};
    std::atomic<bool> failed{false};
    std::exception_ptr failure;
    std::mutex failureLock;
    auto run = [&]() noexcept {
        try {
            for (std::size_t at; !failed && (at = next.fetch_add(grain)) < count;) {
                work(at, std::min(at + grain, count));
            }
        } catch (...) {
            std::lock_guard<std::mutex> hold(failureLock);
            if (!failure) {
                failure = std::current_exception();
            }
            failed = true;
        }
    };
    std::vector<std::thread> helpers;
    helpers.reserve(threads - 1);
    for (std::size_t i = 1; i < threads; ++i) {
        try {
            helpers.emplace_back(run);
        } catch (const std::system_error&) {
            break; // no more threads to be had: fewer share the work
        }
    }
    run();
    for (auto& thread : helpers) {
        thread.join();
    }
    if (failure) {
        std::rethrow_exception(failure);
    }
}

} // namespace ruvex
