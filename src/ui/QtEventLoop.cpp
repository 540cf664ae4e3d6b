#include "ui/QtEventLoop.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>

namespace zelkora {

namespace {

// Queued calls run in one pass before other sources get their turn again.
constexpr int kCallsPerPass = 64;

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

class QtEventLoop::FrameScope {
 public:
  explicit FrameScope(QtEventLoop& loop)
      : loop_(loop), outer_(loop.frame_), frame_{loop.thread_->loopLevel(), loop.yieldDepth_} {
    loop_.frame_ = &frame_;
  }
  ~FrameScope() { loop_.frame_ = outer_; }
  FrameScope(const FrameScope&) = delete;
  FrameScope& operator=(const FrameScope&) = delete;

 private:
  QtEventLoop& loop_;
  const Frame* outer_;
  Frame frame_;
};

QtEventLoop::QtEventLoop() : thread_(QThread::currentThread()) {
  clock_.start();
  // A callback that posts and then opens a nested loop or blocks in some other way still
  // gets its calls delivered: nothing queued is left behind when the thread goes to sleep.
  if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance(thread_)) {
    QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, &context_, [this] {
      if (!queue_.empty()) wake();
    });
  }
}

QtEventLoop::~QtEventLoop() = default;

std::unique_ptr<Timer> QtEventLoop::createTimer() {
  return std::make_unique<QtTimer>();
}

void QtEventLoop::post(std::function<void()> call) {
  queue_.push_back(std::move(call));
  if (!covered()) wake();
}

// A nested loop or a yield inside the callback dispatches events of its own: posts made
// there must not wait for the callback to return.
bool QtEventLoop::covered() const {
  return frame_ != nullptr && frame_->yieldDepth == yieldDepth_ &&
         frame_->loopLevel == thread_->loopLevel();
}

void QtEventLoop::wake() {
  if (wakePosted_) return;
  wakePosted_ = true;
  QMetaObject::invokeMethod(
      &context_,
      [this] {
        wakePosted_ = false;
        runQueued();
      },
      Qt::QueuedConnection);
}

void QtEventLoop::runQueued() {
  {
    FrameScope frame(*this);
    for (int n = 0; n < kCallsPerPass && !queue_.empty(); ++n) {
      std::function<void()> call = std::move(queue_.front());
      queue_.pop_front();
      call();
    }
  }
  if (!queue_.empty()) wake();
}

// Calls queued by the callback that yields are pending too: the pass delivers them.
void QtEventLoop::yield() {
  struct Depth {
    int& depth;
    explicit Depth(int& d) : depth(d) { ++depth; }
    ~Depth() { --depth; }
  } depth(yieldDepth_);
  if (!queue_.empty()) wake();
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

EventLoop::WatchId QtEventLoop::watchFd(int fd, Watch kind, std::function<void()> ready) {
  auto notifier = std::make_unique<QSocketNotifier>(
      fd, kind == Watch::Read ? QSocketNotifier::Read : QSocketNotifier::Write);
  QObject::connect(notifier.get(), &QSocketNotifier::activated,
                   [this, callback = std::move(ready)] {
                     {
                       FrameScope frame(*this);
                       callback();
                     }
                     if (!queue_.empty()) runQueued();
                   });
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
