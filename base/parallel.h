// Work shared out to a few threads: for the engine's long passes whose items are independent (one system
// call or locale mapping each), never for anything that talks to the user.
#pragma once

#include <cstddef>
#include <functional>

namespace ruvex {

// Calls work(begin, end) on consecutive ranges of [0, count), no longer than grain, until every index has
// been in one range; ranges run at once on the calling thread and up to a few more (one per processor,
// capped). Returns once all have ended; an exception thrown by work is thrown again here. work may only
// touch what belongs to its range, or what no range writes.
void ForEachRange(std::size_t count, std::size_t grain, const std::function<void(std::size_t, std::size_t)>& work);

} // namespace ruvex
