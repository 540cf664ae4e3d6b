#include "support/SimLoop.h"

#include <cstdlib>
#include <stdexcept>

namespace zelkora::sim {

class SimLoop::SimTimer : public Timer {
 public:
  explicit SimTimer(SimLoop& loop) : loop_(&loop) { loop.timers_.insert(this); }
  ~SimTimer() override {
    if (loop_ != nullptr) {
      stop();
      loop_->timers_.erase(this);
    }
  }
  void setInterval(int ms) override {
    interval_ = ms;
    if (enabled_) {
      stop();
      start();
    }
  }
  int interval() const override { return interval_; }
  void setEnabled(bool enabled) override {
    if (enabled == enabled_) return;
    if (enabled) {
      start();
    } else {
      stop();
    }
  }
  bool enabled() const override { return enabled_; }
  void detach() {
    loop_ = nullptr;
    enabled_ = false;
  }

 private:
  void start() {
    enabled_ = true;
    schedule(loop_->now_ + static_cast<int64_t>(interval_) * 1000);
  }
  void stop() {
    enabled_ = false;
    if (handle_ != 0) loop_->cancel(handle_);
    handle_ = 0;
  }
  void schedule(int64_t atUs) {
    handle_ = loop_->callAtUs(atUs, [this, atUs] { fire(atUs); });
  }
  void fire(int64_t dueUs) {
    handle_ = 0;
    if (!enabled_) return;
    const int64_t period = std::max<int64_t>(1, interval_) * 1000;
    int64_t next = dueUs + period;
    if (next <= loop_->now_) next = loop_->now_ + period;
    schedule(next);
    if (ticking_ || !onTick) return;
    ticking_ = true;
    onTick();
    ticking_ = false;
  }

  SimLoop* loop_;
  int interval_ = 0;
  bool enabled_ = false;
  bool ticking_ = false;
  uint64_t handle_ = 0;
};

SimLoop::SimLoop() = default;

SimLoop::~SimLoop() {
  for (SimTimer* t : timers_) t->detach();
}

std::unique_ptr<Timer> SimLoop::createTimer() { return std::make_unique<SimTimer>(*this); }

void SimLoop::post(std::function<void()> call) { callAtUs(now_, std::move(call)); }

uint64_t SimLoop::callAtUs(int64_t atUs, std::function<void()> call) {
  const uint64_t handle = ++seq_;
  const Key key{std::max(atUs, now_), handle};
  agenda_.emplace(key, std::move(call));
  handles_.emplace(handle, key);
  return handle;
}

void SimLoop::cancel(uint64_t handle) {
  auto it = handles_.find(handle);
  if (it == handles_.end()) return;
  agenda_.erase(it->second);
  handles_.erase(it);
}

bool SimLoop::runNext(int64_t limitUs) {
  if (agenda_.empty()) return false;
  auto it = agenda_.begin();
  if (it->first.first > limitUs) return false;
  now_ = std::max(now_, it->first.first);
  std::function<void()> call = std::move(it->second);
  handles_.erase(it->first.second);
  agenda_.erase(it);
  call();
  return true;
}

void SimLoop::yield() {
  // One pass over what is due now: events scheduled by this pass wait for the next one.
  const uint64_t last = seq_;
  while (!agenda_.empty()) {
    auto it = agenda_.begin();
    if (it->first.first > now_ || it->first.second > last) break;
    runNext(now_);
  }
}

void SimLoop::advanceUs(int64_t us) {
  const int64_t target = now_ + us;
  while (runNext(target)) {
  }
  if (now_ < target) now_ = target;
}

void SimLoop::advance(int64_t ms) { advanceUs(ms * 1000); }

bool SimLoop::runUntil(const std::function<bool()>& done, int64_t limitMs) {
  const int64_t target = now_ + limitMs * 1000;
  if (done()) return true;
  while (runNext(target)) {
    if (done()) return true;
  }
  if (now_ < target) now_ = target;
  return done();
}

EventLoop::WatchId SimLoop::watchFd(int, Watch, std::function<void()>) {
  throw std::logic_error("the simulated world has no file descriptors");
}
void SimLoop::setWatchEnabled(WatchId, bool) {}
void SimLoop::unwatchFd(WatchId) {}

}  // namespace zelkora::sim
