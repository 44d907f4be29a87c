// A guard for a call that must return at once but, broken, would wait on a
// pipe for a writer: after a while it opens the pipe for writing, which
// releases the waiting reader, and the call counts as failed; should the
// call still not return, the test program ends with a message rather than
// hang the run.
#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>
#include <utility>

namespace numplace_test {

class Watchdog {
 public:
  static constexpr int kSeconds = 10;

  Watchdog(std::string what, std::string fifo) : what_(std::move(what)), fifo_(std::move(fifo)) {
    thread_ = std::thread([this] {
      std::unique_lock lock(mutex_);
      if (done_.wait_for(lock, std::chrono::seconds(kSeconds), [this] { return disarmed_; })) return;
      fired_ = true;
      const int fd = ::open(fifo_.c_str(), O_WRONLY | O_NONBLOCK);
      if (fd >= 0) ::close(fd);
      if (done_.wait_for(lock, std::chrono::seconds(kSeconds), [this] { return disarmed_; })) return;
      std::fprintf(stderr, "watchdog: %s did not return within %d s\n", what_.c_str(), 2 * kSeconds);
      std::_Exit(EXIT_FAILURE);
    });
  }
  ~Watchdog() { disarm(); }
  Watchdog(const Watchdog &) = delete;
  Watchdog &operator=(const Watchdog &) = delete;

  // True when the call returned in time.
  bool disarm() {
    {
      const std::lock_guard lock(mutex_);
      disarmed_ = true;
    }
    done_.notify_one();
    if (thread_.joinable()) thread_.join();
    return !fired_;
  }

 private:
  std::string what_;
  std::string fifo_;
  std::mutex mutex_;
  std::condition_variable done_;
  bool disarmed_ = false;
  std::atomic<bool> fired_{false};
  std::thread thread_;
};

}  // namespace numplace_test
