#pragma once
// Work shared out among a few threads: `work(k)` runs for
// k = 0 .. count - 1, the last on the calling thread, the others on threads
// of their own that are joined before it returns; the first exception any
// of them throws is thrown again here.

#include <functional>

namespace tessarin::platform {

void RunOnThreads(int count, const std::function<void(int)>& work);

// The threads to use when asked for `wanted` (0: one per processor).
int ThreadCount(int wanted);

}  // namespace tessarin::platform
