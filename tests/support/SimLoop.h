#pragma once
// The event loop of the simulated world: a virtual clock, timers, posted calls and
// one-shot events of the simulated devices, run in time order (ties in the order they
// were scheduled). Nested loops (a message box answered after a while) simply advance
// the same clock; time never runs backwards. A timer is never ticked again while its own
// tick is still running, as with the real loop.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <utility>

#include "platform/EventLoop.h"

namespace zelkora::sim {

class SimLoop : public EventLoop {
 public:
  SimLoop();
  ~SimLoop() override;

  std::unique_ptr<Timer> createTimer() override;
  void post(std::function<void()> call) override;
  void yield() override;
  WatchId watchFd(int fd, Watch kind, std::function<void()> ready) override;
  void setWatchEnabled(WatchId id, bool enabled) override;
  void unwatchFd(WatchId id) override;
  int64_t nowMs() const override { return now_ / 1000; }

  // Microsecond clock for devices that time single characters.
  int64_t nowUs() const { return now_; }
  // Schedules `call` at an absolute time (µs); returns a handle for cancel().
  uint64_t callAtUs(int64_t atUs, std::function<void()> call);
  uint64_t callAfterMs(int64_t ms, std::function<void()> call) {
    return callAtUs(now_ + ms * 1000, std::move(call));
  }
  void cancel(uint64_t handle);

  // Runs everything due up to now + ms, then leaves the clock there.
  void advance(int64_t ms);
  void advanceUs(int64_t us);
  // Advances until `done` holds (checked after every event) or `limitMs` has passed;
  // true when `done` held.
  bool runUntil(const std::function<bool()>& done, int64_t limitMs);
  // Runs what is due now, posted calls included.
  void settle() { advanceUs(0); }
  size_t pendingEvents() const { return agenda_.size(); }

 private:
  class SimTimer;
  using Key = std::pair<int64_t, uint64_t>;  // time, sequence
  bool runNext(int64_t limitUs);

  int64_t now_ = 0;
  uint64_t seq_ = 0;
  std::map<Key, std::function<void()>> agenda_;
  std::map<uint64_t, Key> handles_;
  std::set<SimTimer*> timers_;
  friend class SimTimer;
};

}  // namespace zelkora::sim
