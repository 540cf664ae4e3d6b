// The watcher thread, with its blocking wait played by a read from a pipe: a byte is a
// line change, and the wait blocks, like TIOCMIWAIT, until something happens.
#include "platform/linux/ModemLineWatcher.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

namespace zelkora::test {
namespace {

bool readableWithin(int fd, int ms) {
  pollfd p{fd, POLLIN, 0};
  return ::poll(&p, 1, ms) == 1;
}

class ModemLineWatcherTest : public ::testing::Test {
 protected:
  ModemLineWatcherTest() {
    if (::pipe(pipe_) != 0) throw std::runtime_error("pipe");
  }
  ~ModemLineWatcherTest() override {
    ::close(pipe_[0]);
    ::close(pipe_[1]);
  }
  void change() { ASSERT_EQ(::write(pipe_[1], "x", 1), 1); }

  int pipe_[2] = {-1, -1};
};

int readOneByte(int fd) {
  char c = 0;
  const ssize_t n = ::read(fd, &c, 1);
  return n == 1 ? 0 : -1;
}

TEST_F(ModemLineWatcherTest, WakesTheLoopOnEveryChangeAndStopsWhileBlocked) {
  ModemLineWatcher watcher(readOneByte);
  ASSERT_TRUE(watcher.start(pipe_[0]));
  EXPECT_FALSE(readableWithin(watcher.notifyFd(), 20));
  change();
  ASSERT_TRUE(readableWithin(watcher.notifyFd(), 1000));
  watcher.acknowledge();
  EXPECT_FALSE(readableWithin(watcher.notifyFd(), 0));
  change();
  ASSERT_TRUE(readableWithin(watcher.notifyFd(), 1000));

  // The thread now blocks in its wait again; stopping must not hang.
  const auto start = std::chrono::steady_clock::now();
  watcher.stop();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
  EXPECT_EQ(watcher.notifyFd(), -1);
}

TEST_F(ModemLineWatcherTest, EndsQuietlyWhereTheDeviceHasNoLines) {
  ModemLineWatcher watcher([](int) {
    errno = ENOTTY;
    return -1;
  });
  ASSERT_TRUE(watcher.start(pipe_[0]));
  EXPECT_FALSE(readableWithin(watcher.notifyFd(), 50));
  watcher.stop();
}

TEST_F(ModemLineWatcherTest, TellsTheLoopWhenTheDeviceFails) {
  ModemLineWatcher watcher([](int) {
    errno = EIO;
    return -1;
  });
  ASSERT_TRUE(watcher.start(pipe_[0]));
  EXPECT_TRUE(readableWithin(watcher.notifyFd(), 1000));
  watcher.stop();
}

}  // namespace
}  // namespace zelkora::test
