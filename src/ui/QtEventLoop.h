#pragma once
// The core's event loop on Qt's: QTimer timers, queued calls, socket notifiers, and
// processEvents for a single dispatch pass.

#include <QElapsedTimer>
#include <QObject>
#include <map>
#include <memory>

#include "platform/EventLoop.h"

class QSocketNotifier;

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
  QObject context_;  // receiver of queued calls; they die with the loop
  QElapsedTimer clock_;
  WatchId nextWatch_ = 1;
  std::map<WatchId, std::unique_ptr<QSocketNotifier>> watches_;
};

}  // namespace zelkora
