#include "platform/worker_threads.h"

#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace tessarin::platform {

void RunOnThreads(int count, const std::function<void(int)>& work) {
  std::exception_ptr failure;
  std::mutex failureMutex;
  auto guarded = [&](int k) {
    try {
      work(k);
    } catch (...) {
      const std::lock_guard<std::mutex> lock(failureMutex);
      if (!failure) failure = std::current_exception();
    }
  };
  std::vector<std::thread> threads;
  for (int k = 0; k + 1 < count; ++k) {
    // Without a thread to be had, the share is done here.
    try {
      threads.emplace_back(guarded, k);
    } catch (const std::system_error&) {
      guarded(k);
    }
  }
  guarded(count > 0 ? count - 1 : 0);
  for (std::thread& thread : threads) thread.join();
  if (failure) std::rethrow_exception(failure);
}

int ThreadCount(int wanted) {
  if (wanted > 0) return wanted;
  const unsigned processors = std::thread::hardware_concurrency();
  return processors > 0 ? static_cast<int>(processors) : 1;
}

}  // namespace tessarin::platform
