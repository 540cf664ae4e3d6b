// The serial port on real pseudo-terminals: the test holds the master end of each pair as
// the far end of the cable. These tests wait on real kernel I/O, each wait bounded.
#include "platform/linux/TermiosCommPort.h"

#include <asm/termbits.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <map>
#include <memory>
#include <numeric>

#include "platform/linux/TermiosSettings.h"
#include "support/BytePattern.h"
#include "support/PollLoop.h"
#include "support/PtyPair.h"

namespace zelkora::test {
namespace {

constexpr int kWaitMs = 2000;

std::vector<uint8_t> everyByteValue() {
  std::vector<uint8_t> v(256);
  std::iota(v.begin(), v.end(), 0);
  return v;
}

class TermiosCommPortTest : public ::testing::Test {
 protected:
  TermiosCommPortTest() {
    port.setCommPort(1);
    port.setSettings("9600,N,8,1");
    port.setRThreshold(1);
    port.setSThreshold(1);
    port.setInBufferSize(2048);
    port.setOutBufferSize(4096);
    port.OnComm = [this] { onComm(); };
  }

  virtual void onComm() {
    events.push_back(port.CommEvent());
    if (port.CommEvent() == comm::comEvSend) outCountAtSend.push_back(port.OutBufferCount());
  }

  int count(int code) const {
    return static_cast<int>(std::count(events.begin(), events.end(), code));
  }

  // Reads from the far end until `n` bytes have come or the wait ends.
  std::vector<uint8_t> receiveAtFarEnd(size_t n) {
    std::vector<uint8_t> got;
    loop.runUntil(
        [&] {
          const std::vector<uint8_t> more = far.readAvailable();
          got.insert(got.end(), more.begin(), more.end());
          return got.size() >= n;
        },
        kWaitMs);
    return got;
  }

  PollLoop loop;
  PtyPair far;
  std::map<int, std::string> devices{{1, far.slavePath()}};
  TermiosCommPort port{loop, [this](int n) { return devices.count(n) ? devices[n] : ""; }};
  std::vector<int> events;
  std::vector<int> outCountAtSend;
};

TEST_F(TermiosCommPortTest, OpenRefusesWhatTheDeviceCannotTake) {
  for (const char* text :
       {"9600,N,4,1", "9600,N,8,1.5", "9600,N,5,2", "9600,E,8,1", "abc", "0,N,8,1"}) {
    port.setSettings(text);
    EXPECT_FALSE(port.setPortOpen(true)) << text;
    EXPECT_FALSE(port.PortOpen()) << text;
  }
  port.setSettings("9600,N,8,1");
  devices[1] = "/nonexistent/ttyS99";
  EXPECT_FALSE(port.setPortOpen(true));
  devices[1] = "/dev/null";  // not a terminal
  EXPECT_FALSE(port.setPortOpen(true));
  devices[1] = far.slavePath();
  EXPECT_TRUE(port.setPortOpen(true));
  EXPECT_TRUE(port.setPortOpen(false));
  EXPECT_TRUE(port.setPortOpen(false));  // closing a closed port is fine
}

TEST_F(TermiosCommPortTest, OpenSetsEveryRateOfThePortTableExactly) {
  // A second descriptor opened first sees the terminal the port configures.
  const int spy = ::open(far.slavePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  ASSERT_GE(spy, 0);
  struct Case {
    const char* text;
    int handshaking;
  };
  for (const Case& c : {Case{"110,N,8,1", comm::comNone}, Case{"300,N,7,2", comm::comXOnXoff},
                        Case{"600,N,6,1", comm::comRTS}, Case{"1200,N,5,1.5", comm::comNone},
                        Case{"2400,N,8,2", comm::comRTSXOnXOff}, Case{"4800,N,8,1", 0},
                        Case{"9600,N,8,1", 0}, Case{"14400,N,8,1", 0}, Case{"19200,N,7,1", 0},
                        Case{"28800,N,8,1", 0}, Case{"38400,N,6,2", 0}, Case{"56000,N,8,1", 0},
                        Case{"57600,N,8,1", 0}, Case{"115200,N,5,1.5", 0}}) {
    SCOPED_TRACE(c.text);
    port.setSettings(c.text);
    port.setHandshaking(c.handshaking);
    ASSERT_TRUE(port.setPortOpen(true));
    TermiosImage actual;
    ASSERT_TRUE(TermiosSettings::read(spy, actual));
    const LineSettings line = *LineSettings::parse(c.text);
    const TermiosImage wanted = TermiosSettings::configure(actual, line, c.handshaking);
    // A pseudo-terminal keeps all of it except the character size, always 8 there.
    EXPECT_EQ(actual.ospeed, line.baud);
    EXPECT_EQ(actual.ispeed, line.baud);
    EXPECT_EQ(actual.cflag | CSIZE, wanted.cflag | CSIZE);
    EXPECT_EQ(actual.iflag, wanted.iflag);
    EXPECT_EQ(actual.lflag, wanted.lflag);
    EXPECT_EQ(actual.oflag, wanted.oflag);
    port.setPortOpen(false);
  }
  ::close(spy);
}

TEST_F(TermiosCommPortTest, OpensForOneUserOnly) {
  TermiosCommPort second(loop, [this](int) { return far.slavePath(); });
  ASSERT_TRUE(port.setPortOpen(true));
  EXPECT_FALSE(second.setPortOpen(true));
  port.setPortOpen(false);
  EXPECT_TRUE(second.setPortOpen(true));
}

TEST_F(TermiosCommPortTest, CarriesEveryByteValueBothWaysWithItsEvents) {
  ASSERT_TRUE(port.setPortOpen(true));
  const std::vector<uint8_t> bytes = everyByteValue();
  ASSERT_EQ(far.write(bytes), bytes.size());
  ASSERT_TRUE(loop.runUntil([&] { return port.InBufferCount() == 256; }, kWaitMs));
  loop.runUntil([&] { return count(comm::comEvReceive) > 0; }, kWaitMs);
  EXPECT_GE(count(comm::comEvReceive), 1);
  EXPECT_EQ(port.Input(), bytes);  // nothing translated, nothing interpreted
  EXPECT_EQ(port.InBufferCount(), 0);

  port.Output(bytes);
  EXPECT_EQ(receiveAtFarEnd(256), bytes);  // and nothing echoed
  ASSERT_TRUE(loop.runUntil([&] { return count(comm::comEvSend) > 0; }, kWaitMs));
  EXPECT_EQ(outCountAtSend, std::vector<int>(outCountAtSend.size(), 0));

  // Idle line: no descriptor wakes the loop, no event is raised.
  const uint64_t wakeups = loop.wakeups();
  const size_t eventsBefore = events.size();
  loop.runFor(100);
  EXPECT_EQ(loop.wakeups(), wakeups);
  EXPECT_EQ(events.size(), eventsBefore);
}

TEST_F(TermiosCommPortTest, InputLenTakesThatManyBytes) {
  ASSERT_TRUE(port.setPortOpen(true));
  const std::vector<uint8_t> bytes = bytePattern(100);
  far.write(bytes);
  ASSERT_TRUE(loop.runUntil([&] { return port.InBufferCount() == 100; }, kWaitMs));
  port.setInputLen(30);
  EXPECT_EQ(port.Input(), std::vector<uint8_t>(bytes.begin(), bytes.begin() + 30));
  EXPECT_EQ(port.InBufferCount(), 70);
  port.setInputLen(0);
  EXPECT_EQ(port.Input(), std::vector<uint8_t>(bytes.begin() + 30, bytes.end()));
}

TEST_F(TermiosCommPortTest, FullInputBufferHoldsTheSenderBackWithoutLoss) {
  ASSERT_TRUE(port.setPortOpen(true));
  const std::vector<uint8_t> sent = bytePattern(1 << 20, 7);
  size_t written = 0;
  bool senderHeld = false;
  std::vector<uint8_t> got;
  got.reserve(sent.size());
  bool stayedWithinBuffer = true;
  const bool done = loop.runUntil(
      [&] {
        const size_t chunk = std::min<size_t>(65536, sent.size() - written);
        const size_t w = far.write(sent.data() + written, chunk);
        if (chunk > 0 && w == 0) senderHeld = true;
        written += w;
        if (port.InBufferCount() > 2048) stayedWithinBuffer = false;
        // A slow reader: it takes the bytes only once the buffer is full (or all is sent).
        if (port.InBufferCount() == 2048 || (written == sent.size() && port.InBufferCount() > 0)) {
          const std::vector<uint8_t> block = port.Input();
          port.setInBufferCount(0);
          got.insert(got.end(), block.begin(), block.end());
        }
        return got.size() >= sent.size();
      },
      5000);
  ASSERT_TRUE(done) << got.size();
  EXPECT_TRUE(senderHeld);
  EXPECT_TRUE(stayedWithinBuffer);
  EXPECT_TRUE(got == sent);
}

TEST_F(TermiosCommPortTest, FullInputBufferDoesNotSpinTheLoop) {
  ASSERT_TRUE(port.setPortOpen(true));
  far.write(bytePattern(4000));
  ASSERT_TRUE(loop.runUntil([&] { return port.InBufferCount() == 2048; }, kWaitMs));
  const uint64_t wakeups = loop.wakeups();
  loop.runFor(100);
  EXPECT_LE(loop.wakeups() - wakeups, 1u);
  EXPECT_EQ(port.InBufferCount(), 2048);
  port.Input();
  ASSERT_TRUE(loop.runUntil([&] { return port.InBufferCount() == 4000 - 2048; }, kWaitMs));
}

TEST_F(TermiosCommPortTest, OutputBeyondTheFreeSpaceRaisesTxFullAndKeepsWhatFits) {
  port.setOutBufferSize(1024);
  ASSERT_TRUE(port.setBreak(true));
  ASSERT_TRUE(port.setPortOpen(true));
  const std::vector<uint8_t> first = bytePattern(1000, 1);
  const std::vector<uint8_t> second = bytePattern(100, 2);
  port.Output(first);
  port.Output(second);
  EXPECT_EQ(port.OutBufferCount(), 1024);
  ASSERT_TRUE(loop.runUntil([&] { return count(comm::comEventTxFull) > 0; }, kWaitMs));
  EXPECT_EQ(count(comm::comEventTxFull), 1);

  port.setBreak(false);
  std::vector<uint8_t> expected = first;
  expected.insert(expected.end(), second.begin(), second.begin() + 24);
  EXPECT_EQ(receiveAtFarEnd(1024), expected);
}

TEST_F(TermiosCommPortTest, BreakHoldsOutputUntilReleased) {
  ASSERT_TRUE(port.setBreak(true));  // wished while closed, as the relay opens its ports
  ASSERT_TRUE(port.setPortOpen(true));
  EXPECT_TRUE(port.Break());
  const std::vector<uint8_t> bytes = bytePattern(3000);
  port.Output(bytes);
  loop.runFor(100);
  EXPECT_TRUE(far.readAvailable().empty());
  EXPECT_EQ(port.OutBufferCount(), 3000);
  EXPECT_EQ(count(comm::comEvSend), 0);

  ASSERT_TRUE(port.setBreak(false));
  EXPECT_EQ(receiveAtFarEnd(3000), bytes);
  ASSERT_TRUE(loop.runUntil([&] { return count(comm::comEvSend) > 0; }, kWaitMs));
  EXPECT_EQ(port.OutBufferCount(), 0);
}

TEST_F(TermiosCommPortTest, EmptyingTheOutputBufferDropsWhatWaits) {
  ASSERT_TRUE(port.setBreak(true));
  ASSERT_TRUE(port.setPortOpen(true));
  port.Output(bytePattern(500));
  port.setOutBufferCount(0);
  EXPECT_EQ(port.OutBufferCount(), 0);
  port.setBreak(false);
  const std::vector<uint8_t> next = bytePattern(10, 9);
  port.Output(next);
  EXPECT_EQ(receiveAtFarEnd(10), next);
}

TEST_F(TermiosCommPortTest, HangUpOfTheFarEndRaisesDcbOnce) {
  ASSERT_TRUE(port.setPortOpen(true));
  far.closeMaster();
  ASSERT_TRUE(loop.runUntil([&] { return count(comm::comEventDCB) > 0; }, kWaitMs));
  port.Output(bytePattern(10));  // a write to the gone device changes nothing
  const uint64_t wakeups = loop.wakeups();
  loop.runFor(100);
  EXPECT_EQ(count(comm::comEventDCB), 1);
  EXPECT_LE(loop.wakeups() - wakeups, 1u);  // a hung-up terminal is always ready: unwatched
  EXPECT_TRUE(port.setPortOpen(false));
}

TEST_F(TermiosCommPortTest, EventsOfAClosedPortAreNeverDelivered) {
  ASSERT_TRUE(port.setPortOpen(true));
  far.write(bytePattern(10));
  // Stop as soon as the bytes are in: their receive event is posted, not yet delivered.
  ASSERT_TRUE(loop.runUntil([&] { return port.InBufferCount() > 0; }, kWaitMs));
  port.setPortOpen(false);
  loop.runFor(50);
  EXPECT_TRUE(events.empty());

  ASSERT_TRUE(port.setPortOpen(true));
  far.write(bytePattern(10));
  ASSERT_TRUE(loop.runUntil([&] { return port.InBufferCount() > 0; }, kWaitMs));
  port.setPortOpen(false);
  ASSERT_TRUE(port.setPortOpen(true));  // reopened before the old event came through
  loop.runFor(50);
  EXPECT_TRUE(events.empty());
  EXPECT_EQ(port.InBufferCount(), 0);
}

TEST_F(TermiosCommPortTest, PseudoTerminalHasNoModemLinesAndThatIsNoError) {
  port.setDTREnable(true);
  port.setRTSEnable(true);
  ASSERT_TRUE(port.setPortOpen(true));
  port.setDTREnable(false);
  EXPECT_FALSE(port.DTREnable());
  EXPECT_FALSE(port.CDHolding());
  EXPECT_FALSE(port.CTSHolding());
  EXPECT_FALSE(port.DSRHolding());
  EXPECT_TRUE(port.setBreak(true));
  EXPECT_TRUE(port.setBreak(false));
}

TEST_F(TermiosCommPortTest, BytesHandedToTheFarEndSurviveTheClose) {
  ASSERT_TRUE(port.setPortOpen(true));
  const std::vector<uint8_t> bytes = bytePattern(2000);
  port.Output(bytes);
  ASSERT_EQ(port.OutBufferCount(), 0);  // all taken by the kernel at once
  port.setOutBufferCount(0);            // what the relay does before it closes
  port.setPortOpen(false);
  EXPECT_EQ(receiveAtFarEnd(2000), bytes);
}

}  // namespace
}  // namespace zelkora::test
