#pragma once
// The core's event loop on Qt's: QTimer timers, queued calls, socket notifiers, and
// processEvents for a single dispatch pass.
//
// Posted calls wait in a queue of the loop's own and run one at a time in the order they
// were posted. A call posted while one of this loop's own callbacks runs (a watch, or a
// run of queued calls), with no nested loop or yield begun since, runs when that callback
// returns, before the loop sleeps again; any other post (from a timer, a widget, a nested
// loop) wakes the loop through a Qt posted event. Waking costs the loop system calls, and
// a relayed block makes two posts (the receive and the send event) from inside watches.
// Whatever is still queued when the thread is about to sleep wakes it, so a callback that
// posts and then waits in a nested loop does not hold its calls back. Calls are posted on
// the event thread only; the loop is made after the application object.

#include <QElapsedTimer>
#include <QObject>
#include <deque>
#include <map>
#include <memory>

#include "platform/EventLoop.h"

class QSocketNotifier;
class QThread;

namespace zelkora {

class QtEventLoop : public EventLoop {
 public:
  QtEventLoop();
  ~QtEventLoop() override;

  std::unique_ptr<Timer> createTimer() override;
  void post(std::function<void()> call) override;
  void yield() override;
  WatchId watchFd(int fd, Watch kind, std::function<void()> ready) override;
  void setWatchEnabled(WatchId id, bool enabled) override;
  void unwatchFd(WatchId id) override;
  int64_t nowMs() const override;

 private:
  // A callback of this loop at a loop depth and yield depth: posts made directly inside
  // it run when it returns.
  struct Frame {
    int loopLevel;
    int yieldDepth;
  };
  class FrameScope;

  bool covered() const;
  void wake();
  void runQueued();

  QThread* thread_;
  std::deque<std::function<void()>> queue_;
  const Frame* frame_ = nullptr;  // the innermost callback of this loop that is running
  int yieldDepth_ = 0;
  bool wakePosted_ = false;
  QObject context_;  // receiver of queued calls; they die with the loop
  QElapsedTimer clock_;
  WatchId nextWatch_ = 1;
  std::map<WatchId, std::unique_ptr<QSocketNotifier>> watches_;
};

}  // namespace zelkora
