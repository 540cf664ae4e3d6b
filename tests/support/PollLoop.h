#pragma once
// A real EventLoop on poll(2) and the monotonic clock, for tests of the platform layer
// that move bytes through the kernel. Single-threaded; every wait is bounded.

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <set>

#include "platform/EventLoop.h"

namespace zelkora::test {

class PollLoop : public EventLoop {
 public:
  PollLoop();
  ~PollLoop() override;

  std::unique_ptr<Timer> createTimer() override;
  void post(std::function<void()> call) override;
  void yield() override { iterate(0); }
  WatchId watchFd(int fd, Watch kind, std::function<void()> ready) override;
  void setWatchEnabled(WatchId id, bool enabled) override;
  void unwatchFd(WatchId id) override;
  int64_t nowMs() const override;

  // Runs the loop until `done` holds (checked after every pass) or `timeoutMs` has
  // passed; true when `done` held.
  bool runUntil(const std::function<bool()>& done, int timeoutMs);
  void runFor(int ms);
  // How many descriptor callbacks have run: a test of idleness counts them.
  uint64_t wakeups() const { return wakeups_; }

 private:
  class PollTimer;
  struct WatchEntry {
    int fd;
    Watch kind;
    bool enabled;
    std::shared_ptr<std::function<void()>> ready;
  };
  void iterate(int maxWaitMs);
  void fireDueTimers();
  int msToNextTimer() const;

  std::chrono::steady_clock::time_point start_;
  std::deque<std::function<void()>> posted_;
  std::map<WatchId, WatchEntry> watches_;
  WatchId nextId_ = 1;
  std::set<PollTimer*> timers_;
  uint64_t wakeups_ = 0;
  friend class PollTimer;
};

}  // namespace zelkora::test
