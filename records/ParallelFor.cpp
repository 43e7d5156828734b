// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/ParallelFor.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <limits>
#include <mutex>
#include <thread>
#include <vector>

namespace {

// Often enough for a progress bar, seldom enough to cost nothing.
constexpr auto kProgressInterval = std::chrono::milliseconds(100);

}  // namespace

unsigned WorkerCount(unsigned threads) {
  if (threads > 0) return threads;
  return std::max(1u, std::thread::hardware_concurrency());
}

bool ParallelFor(std::size_t count, unsigned threads, const std::function<void(std::size_t)>& body,
                 const std::function<bool(std::size_t done)>& progress) {
  std::atomic<std::size_t> next{0};
  std::atomic<std::size_t> done{0};
  std::atomic<bool> stop{false};
  std::mutex mutex;
  std::condition_variable finished;
  std::size_t running = 0;
  std::size_t failedIndex = std::numeric_limits<std::size_t>::max();
  std::exception_ptr failure;

  auto work = [&] {
    for (;;) {
      if (stop.load(std::memory_order_relaxed)) break;
      const std::size_t i = next.fetch_add(1);
      if (i >= count) break;
      try {
        body(i);
      } catch (...) {
        const std::lock_guard lock(mutex);
        if (i < failedIndex) {
          failedIndex = i;
          failure = std::current_exception();
        }
        stop = true;
      }
      done.fetch_add(1);
    }
    const std::lock_guard lock(mutex);
    --running;
    finished.notify_all();
  };

  const unsigned workers = static_cast<unsigned>(
      std::min<std::size_t>(WorkerCount(threads), std::max<std::size_t>(count, 1)));
  std::vector<std::thread> pool;
  running = workers;
  for (unsigned w = 0; w < workers; ++w) pool.emplace_back(work);
  bool completed = true;
  {
    std::unique_lock lock(mutex);
    while (running > 0) {
      finished.wait_for(lock, kProgressInterval);
      if (progress && running > 0) {
        lock.unlock();
        if (!progress(done.load())) {
          stop = true;
          completed = false;
        }
        lock.lock();
      }
    }
  }
  for (std::thread& thread : pool) thread.join();
  if (failure) std::rethrow_exception(failure);
  if (completed && progress) completed = progress(done.load());
  return completed && !stop.load();
}
