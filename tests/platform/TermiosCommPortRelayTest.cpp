// Two ports joined the way the relay joins them (one Input and one Output per event,
// bytes waiting in the input buffer while the other side's output buffer is full),
// over two pseudo-terminal pairs, with blocks pushed both ways from the far ends.
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "platform/linux/TermiosCommPort.h"
#include "support/BytePattern.h"
#include "support/PollLoop.h"
#include "support/PtyPair.h"

namespace zelkora::test {
namespace {

// One far end: pushes its bytes in whenever the master takes them and collects what
// comes out, both driven by the loop.
class FarEnd {
 public:
  FarEnd(PollLoop& loop, std::vector<uint8_t> toSend) : loop_(loop), toSend_(std::move(toSend)) {
    writeWatch_ = loop.watchFd(pty_.master(), EventLoop::Watch::Write, [this] { push(); });
    readWatch_ = loop.watchFd(pty_.master(), EventLoop::Watch::Read, [this] { pull(); });
  }
  ~FarEnd() {
    loop_.unwatchFd(writeWatch_);
    loop_.unwatchFd(readWatch_);
  }
  const std::string& path() const { return pty_.slavePath(); }
  const std::vector<uint8_t>& received() const { return received_; }
  void expect(size_t n) { received_.reserve(n); }

 private:
  void push() {
    sent_ += pty_.write(toSend_.data() + sent_, toSend_.size() - sent_);
    if (sent_ == toSend_.size()) loop_.setWatchEnabled(writeWatch_, false);
  }
  void pull() {
    const std::vector<uint8_t> more = pty_.readAvailable();
    received_.insert(received_.end(), more.begin(), more.end());
  }

  PollLoop& loop_;
  PtyPair pty_;
  std::vector<uint8_t> toSend_;
  size_t sent_ = 0;
  std::vector<uint8_t> received_;
  EventLoop::WatchId writeWatch_ = -1;
  EventLoop::WatchId readWatch_ = -1;
};

class JoinedPorts {
 public:
  JoinedPorts(PollLoop& loop, const std::string& path1, const std::string& path2)
      : ports_{std::make_unique<TermiosCommPort>(loop, [path1](int) { return path1; }),
               std::make_unique<TermiosCommPort>(loop, [path2](int) { return path2; })} {
    for (int n = 0; n < 2; ++n) {
      TermiosCommPort& p = *ports_[n];
      p.setSettings("115200,N,8,1");
      p.setInBufferSize(2048);
      p.setOutBufferSize(4096);
      p.setRThreshold(1);
      p.setSThreshold(1);
      p.OnComm = [this, n] { onComm(n); };
    }
  }
  bool open() { return ports_[0]->setPortOpen(true) && ports_[1]->setPortOpen(true); }
  std::vector<int> faults;

 private:
  void onComm(int n) {
    TermiosCommPort& self = *ports_[n];
    TermiosCommPort& other = *ports_[1 - n];
    switch (self.CommEvent()) {
      case comm::comEvReceive:
        pending_[n] = true;
        if (static_cast<int16_t>(other.OutBufferSize() - other.OutBufferCount()) <
            self.InBufferCount()) {
          return;
        }
        move(self, other);
        pending_[n] = false;
        break;
      case comm::comEvSend:
        if (!pending_[1 - n]) return;
        move(other, self);
        pending_[1 - n] = false;
        break;
      default:
        faults.push_back(self.CommEvent());
    }
  }
  static void move(TermiosCommPort& from, TermiosCommPort& to) {
    const std::vector<uint8_t> block = from.Input();
    from.setInBufferCount(0);
    to.Output(block);
  }

  std::array<std::unique_ptr<TermiosCommPort>, 2> ports_;
  std::array<bool, 2> pending_{false, false};
};

TEST(TermiosCommPortRelay, MovesBlocksBothWaysInOrderAndFast) {
  const char* mb = std::getenv("ZELKORA_LOOPBACK_MB");
  const size_t size = static_cast<size_t>(mb != nullptr ? std::atoi(mb) : 4) << 20;
  PollLoop loop;
  FarEnd modem(loop, bytePattern(size, 1));
  FarEnd device(loop, bytePattern(size, 2));
  modem.expect(size);
  device.expect(size);
  JoinedPorts relay(loop, modem.path(), device.path());
  ASSERT_TRUE(relay.open());

  const auto start = std::chrono::steady_clock::now();
  const bool done = loop.runUntil(
      [&] { return modem.received().size() >= size && device.received().size() >= size; }, 30000);
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  ASSERT_TRUE(done) << modem.received().size() << " " << device.received().size();
  EXPECT_TRUE(device.received() == bytePattern(size, 1));
  EXPECT_TRUE(modem.received() == bytePattern(size, 2));
  EXPECT_TRUE(relay.faults.empty());
  const double rate = 2.0 * static_cast<double>(size) / (1 << 20) / seconds;
  std::printf("%zu MB each way in %.2f s: %.1f MB/s in total\n", size >> 20, seconds, rate);
  // Far below what two pseudo-terminal pairs carry; a stall or per-byte work fails it.
  EXPECT_GT(rate, 5.0);
}

}  // namespace
}  // namespace zelkora::test
