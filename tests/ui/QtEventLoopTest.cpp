// The core's loop on Qt's: posted calls run one at a time in the order they were posted,
// whichever callback posted them, and none is held back by a nested loop or a yield.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <functional>
#include <optional>
#include <stdexcept>
#include <vector>

#include "ui/QtEventLoop.h"

namespace zelkora::test {
namespace {

// Runs Qt's loop until `done` or two seconds have passed.
bool RunUntil(const std::function<bool()>& done) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < 2000) {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
  }
  return done();
}

// Runs `start`, then a nested loop until a call of the test quits it; false when two
// seconds pass first. What `start` posts is delivered inside the nested loop or never.
bool RunNested(const std::function<void(QEventLoop&)>& start) {
  QEventLoop nested;
  bool timedOut = false;
  QTimer::singleShot(2000, &nested, [&] {
    timedOut = true;
    nested.quit();
  });
  start(nested);
  nested.exec();
  return !timedOut;
}

class QtEventLoopTest : public ::testing::Test {
 protected:
  QtEventLoopTest() {
    if (::pipe(pipe_) != 0) throw std::runtime_error("no pipe");
  }
  ~QtEventLoopTest() override {
    ::close(pipe_[0]);
    ::close(pipe_[1]);
  }
  // A watch whose callback runs once the test makes the pipe readable.
  EventLoop::WatchId watchOnce(std::function<void()> callback) {
    EventLoop::WatchId id = loop_.watchFd(pipe_[0], EventLoop::Watch::Read, [this, callback] {
      char byte = 0;
      if (::read(pipe_[0], &byte, 1) == 1) callback();
    });
    const char byte = 'x';
    if (::write(pipe_[1], &byte, 1) != 1) throw std::runtime_error("pipe full");
    return id;
  }

  QtEventLoop loop_;
  int pipe_[2] = {-1, -1};
  std::vector<int> order_;
};

TEST_F(QtEventLoopTest, CallsRunInTheOrderPostedAlsoWhenACallPostsAnother) {
  loop_.post([this] {
    order_.push_back(1);
    loop_.post([this] { order_.push_back(4); });
  });
  loop_.post([this] { order_.push_back(2); });
  loop_.post([this] { order_.push_back(3); });
  ASSERT_TRUE(RunUntil([this] { return order_.size() == 4; }));
  EXPECT_EQ(order_, (std::vector<int>{1, 2, 3, 4}));
}

TEST_F(QtEventLoopTest, CallsPostedByAWatchRunAfterItInOrder) {
  const EventLoop::WatchId id = watchOnce([this] {
    loop_.post([this] {
      order_.push_back(2);
      loop_.post([this] { order_.push_back(4); });
    });
    loop_.post([this] { order_.push_back(3); });
    order_.push_back(1);
  });
  ASSERT_TRUE(RunUntil([this] { return order_.size() == 4; }));
  EXPECT_EQ(order_, (std::vector<int>{1, 2, 3, 4}));
  loop_.unwatchFd(id);
}

TEST_F(QtEventLoopTest, CallPostedByATimerTickRuns) {
  std::unique_ptr<Timer> timer = loop_.createTimer();
  bool ran = false;
  timer->setInterval(1);
  timer->onTick = [&] {
    timer->setEnabled(false);
    loop_.post([&] { ran = true; });
  };
  timer->setEnabled(true);
  EXPECT_TRUE(RunUntil([&] { return ran; }));
}

// A call that opens a modal box lets the events of the box's loop through: calls posted
// before the box opens and calls posted while it is open both arrive inside it.
TEST_F(QtEventLoopTest, NestedLoopOfAQueuedCallDeliversCalls) {
  bool postedBefore = false, postedInside = false;
  std::optional<bool> quitByCall;
  loop_.post([&] {
    quitByCall = RunNested([&](QEventLoop& nested) {
      loop_.post([&] { postedBefore = true; });
      QTimer::singleShot(0, &nested, [&] {
        loop_.post([&] {
          postedInside = true;
          nested.quit();
        });
      });
    });
  });
  ASSERT_TRUE(RunUntil([&] { return quitByCall.has_value(); }));
  EXPECT_TRUE(*quitByCall);
  EXPECT_TRUE(postedBefore);
  EXPECT_TRUE(postedInside);
}

TEST_F(QtEventLoopTest, NestedLoopOfAWatchDeliversTheCallsItPostedBefore) {
  std::optional<bool> quitByCall;
  const EventLoop::WatchId id = watchOnce([&] {
    quitByCall = RunNested([&](QEventLoop& nested) { loop_.post([&] { nested.quit(); }); });
  });
  ASSERT_TRUE(RunUntil([&] { return quitByCall.has_value(); }));
  EXPECT_TRUE(*quitByCall);
  loop_.unwatchFd(id);
}

// A call that waits in passes of the loop (the adapter's settling pauses) sees the calls
// posted before it yielded.
TEST_F(QtEventLoopTest, YieldDeliversCallsPostedBeforeIt) {
  bool delivered = false, seenByYield = false;
  loop_.post([&] {
    loop_.post([&] { delivered = true; });
    loop_.yield();
    seenByYield = delivered;
  });
  ASSERT_TRUE(RunUntil([&] { return delivered; }));
  EXPECT_TRUE(seenByYield);
}

}  // namespace
}  // namespace zelkora::test
