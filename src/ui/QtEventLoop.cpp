#include "ui/QtEventLoop.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>

namespace zelkora {

namespace {

class QtTimer : public Timer {
 public:
  QtTimer() {
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      // Qt does not re-enter a timer's own slot from a nested loop, but a tick that
      // opens a modal box would otherwise see its own timer again through the box's loop.
      if (ticking_ || !onTick) return;
      ticking_ = true;
      onTick();
      ticking_ = false;
    });
  }
  void setInterval(int ms) override { timer_.setInterval(ms); }
  int interval() const override { return timer_.interval(); }
  void setEnabled(bool enabled) override {
    if (enabled == timer_.isActive()) return;
    if (enabled) {
      timer_.start();
    } else {
      timer_.stop();
    }
  }
  bool enabled() const override { return timer_.isActive(); }

 private:
  QTimer timer_;
  bool ticking_ = false;
};

}  // namespace

QtEventLoop::QtEventLoop() {
  clock_.start();
}

QtEventLoop::~QtEventLoop() = default;

std::unique_ptr<Timer> QtEventLoop::createTimer() {
  return std::make_unique<QtTimer>();
}

void QtEventLoop::post(std::function<void()> call) {
  QMetaObject::invokeMethod(&context_, std::move(call), Qt::QueuedConnection);
}

void QtEventLoop::yield() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

EventLoop::WatchId QtEventLoop::watchFd(int fd, Watch kind, std::function<void()> ready) {
  auto notifier = std::make_unique<QSocketNotifier>(
      fd, kind == Watch::Read ? QSocketNotifier::Read : QSocketNotifier::Write);
  QObject::connect(notifier.get(), &QSocketNotifier::activated,
                   [callback = std::move(ready)] { callback(); });
  const WatchId id = nextWatch_++;
  watches_.emplace(id, std::move(notifier));
  return id;
}

void QtEventLoop::setWatchEnabled(WatchId id, bool enabled) {
  auto it = watches_.find(id);
  if (it != watches_.end()) it->second->setEnabled(enabled);
}

void QtEventLoop::unwatchFd(WatchId id) {
  auto it = watches_.find(id);
  if (it == watches_.end()) return;
  it->second->setEnabled(false);
  // The notifier may be the one whose signal is being delivered right now.
  it->second.release()->deleteLater();
  watches_.erase(it);
}

int64_t QtEventLoop::nowMs() const {
  return clock_.elapsed();
}

}  // namespace zelkora
