#include "support/PollLoop.h"

#include <poll.h>

#include <algorithm>
#include <vector>

namespace zelkora::test {

class PollLoop::PollTimer : public Timer {
 public:
  explicit PollTimer(PollLoop& loop) : loop_(&loop) { loop.timers_.insert(this); }
  ~PollTimer() override {
    if (loop_ != nullptr) loop_->timers_.erase(this);
  }
  void setInterval(int ms) override {
    interval_ = ms;
    if (enabled_) due_ = loop_->nowMs() + std::max(ms, 1);
  }
  int interval() const override { return interval_; }
  void setEnabled(bool enabled) override {
    if (enabled && !enabled_ && loop_ != nullptr) due_ = loop_->nowMs() + std::max(interval_, 1);
    enabled_ = enabled;
  }
  bool enabled() const override { return enabled_; }
  void detach() {
    loop_ = nullptr;
    enabled_ = false;
  }
  int64_t due() const { return due_; }
  void fireIfDue(int64_t now) {
    if (!enabled_ || ticking_ || now < due_) return;
    due_ = now + std::max(interval_, 1);
    if (!onTick) return;
    ticking_ = true;
    onTick();
    ticking_ = false;
  }

 private:
  PollLoop* loop_;
  int interval_ = 0;
  bool enabled_ = false;
  bool ticking_ = false;
  int64_t due_ = 0;
};

PollLoop::PollLoop() : start_(std::chrono::steady_clock::now()) {}

PollLoop::~PollLoop() {
  for (PollTimer* t : timers_) t->detach();
}

std::unique_ptr<Timer> PollLoop::createTimer() {
  return std::make_unique<PollTimer>(*this);
}

void PollLoop::post(std::function<void()> call) {
  posted_.push_back(std::move(call));
}

EventLoop::WatchId PollLoop::watchFd(int fd, Watch kind, std::function<void()> ready) {
  const WatchId id = nextId_++;
  watches_[id] = {fd, kind, true, std::make_shared<std::function<void()>>(std::move(ready))};
  return id;
}

void PollLoop::setWatchEnabled(WatchId id, bool enabled) {
  auto it = watches_.find(id);
  if (it != watches_.end()) it->second.enabled = enabled;
}

void PollLoop::unwatchFd(WatchId id) {
  watches_.erase(id);
}

int64_t PollLoop::nowMs() const {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                               start_)
      .count();
}

int PollLoop::msToNextTimer() const {
  int64_t best = -1;
  const int64_t now = nowMs();
  for (const PollTimer* t : timers_) {
    if (!t->enabled()) continue;
    const int64_t wait = std::max<int64_t>(0, t->due() - now);
    if (best < 0 || wait < best) best = wait;
  }
  return static_cast<int>(best);
}

void PollLoop::fireDueTimers() {
  const int64_t now = nowMs();
  // A tick may create or destroy timers: take the set as it is now, and skip the gone.
  const std::vector<PollTimer*> snapshot(timers_.begin(), timers_.end());
  for (PollTimer* t : snapshot) {
    if (timers_.count(t) != 0) t->fireIfDue(now);
  }
}

void PollLoop::iterate(int maxWaitMs) {
  std::deque<std::function<void()>> calls;
  calls.swap(posted_);
  for (auto& call : calls) call();

  int timeout = posted_.empty() ? maxWaitMs : 0;
  const int toTimer = msToNextTimer();
  if (toTimer >= 0) timeout = std::min(timeout, toTimer);

  std::vector<pollfd> fds;
  std::vector<WatchId> ids;
  for (const auto& [id, w] : watches_) {
    if (!w.enabled) continue;
    fds.push_back({w.fd, static_cast<short>(w.kind == Watch::Read ? POLLIN : POLLOUT), 0});
    ids.push_back(id);
  }
  if (::poll(fds.data(), fds.size(), timeout) > 0) {
    for (size_t i = 0; i < fds.size(); ++i) {
      if (fds[i].revents == 0) continue;
      // An earlier callback of this pass may have disabled or removed this watch.
      auto it = watches_.find(ids[i]);
      if (it == watches_.end() || !it->second.enabled) continue;
      const std::shared_ptr<std::function<void()>> ready = it->second.ready;
      ++wakeups_;
      (*ready)();
    }
  }
  fireDueTimers();
}

bool PollLoop::runUntil(const std::function<bool()>& done, int timeoutMs) {
  const int64_t end = nowMs() + timeoutMs;
  while (!done()) {
    const int64_t left = end - nowMs();
    if (left <= 0) return false;
    iterate(static_cast<int>(std::min<int64_t>(left, 50)));
  }
  return true;
}

void PollLoop::runFor(int ms) {
  runUntil([] { return false; }, ms);
}

}  // namespace zelkora::test
