// The relay's two figures in the simulated world: full line use at full speed both ways,
// and a slow port 2 behind a fast modem that loses nothing.

#include <gtest/gtest.h>

#include <iomanip>
#include <iostream>

#include "sim/support/World.h"

namespace zelkora::sim {
namespace {

constexpr size_t kMegabyte = 1 << 20;

// Share of the time between its first and its last character that a transmitter kept the
// wire busy.
double busyShare(const SimCableEnd& end) {
  const double span = end.lastEndUs() - end.firstStartUs();
  return span > 0 ? end.busyUs() / span : 0;
}

TEST(ThroughputSim, AMegabyteEachWayAt115200KeepsBothLinesBusy) {
  World w;
  w.settings().port(1).Speed = 13;
  w.settings().port(2).Speed = 13;
  // Every port event reaches the program 2 ms late, as on a busy desktop.
  w.com1.setEventLatencyUs(2000);
  w.com2.setEventLatencyUs(2000);
  ASSERT_TRUE(w.start());
  ASSERT_TRUE(w.on());
  const std::vector<uint8_t> down = World::pattern(kMegabyte, 1);
  const std::vector<uint8_t> up = World::pattern(kMegabyte, 2);
  w.modem.send(down);
  w.terminal.send(up);
  ASSERT_TRUE(w.runUntil(
      [&] {
        return w.terminal.receivedBytes.size() == kMegabyte &&
               w.modem.receivedBytes.size() == kMegabyte;
      },
      200000));
  EXPECT_TRUE(w.terminal.receivedBytes == down);
  EXPECT_TRUE(w.modem.receivedBytes == up);
  const SimCableEnd& port1Out = w.modemLine.end(0);
  const SimCableEnd& port2Out = w.korvaneLine.end(0);
  std::cout << std::fixed << std::setprecision(3) << "[ figure   ] line busy: port 1 -> modem "
            << 100 * busyShare(port1Out) << " %, port 2 -> terminal " << 100 * busyShare(port2Out)
            << " %, " << w.loop.nowMs() << " ms for 1 MiB each way\n";
  EXPECT_GE(busyShare(port1Out), 0.99);
  EXPECT_GE(busyShare(port2Out), 0.99);
  EXPECT_EQ(w.state(), RelayState::On);
  EXPECT_TRUE(w.op.messages.empty());
  EXPECT_DOUBLE_EQ(w.run().transferred(1), static_cast<double>(kMegabyte));
  EXPECT_DOUBLE_EQ(w.run().transferred(2), static_cast<double>(kMegabyte));
}

TEST(ThroughputSim, AFastModemIntoASlowPort2LosesNothingWithRtsCts) {
  World w;
  w.settings().port(1).Speed = 13;  // 115200
  w.settings().port(2).Speed = 6;   // 9600
  ASSERT_EQ(w.settings().port(1).HandShake, 1);
  ASSERT_EQ(w.settings().port(2).HandShake, 1);
  w.com1.setEventLatencyUs(2000);
  w.com2.setEventLatencyUs(2000);
  ASSERT_TRUE(w.start());
  ASSERT_TRUE(w.on());
  const std::vector<uint8_t> data = World::pattern(kMegabyte, 3);
  w.modem.send(data);
  ASSERT_TRUE(
      w.runUntil([&] { return w.terminal.receivedBytes.size() == kMegabyte; }, 1200 * 1000));
  EXPECT_TRUE(w.terminal.receivedBytes == data);
  EXPECT_EQ(w.com1.lostBytes(), 0);
  EXPECT_EQ(w.com2.droppedBytes(), 0);
  EXPECT_TRUE(w.op.messages.empty());
  EXPECT_EQ(w.state(), RelayState::On);
  const SimCableEnd& port2Out = w.korvaneLine.end(0);
  std::cout << std::fixed << std::setprecision(3)
            << "[ figure   ] 115200 -> 9600: port 2 line busy " << 100 * busyShare(port2Out)
            << " %, " << w.loop.nowMs() / 1000 << " s for 1 MiB\n";
  EXPECT_GE(busyShare(port2Out), 0.99);
}

}  // namespace
}  // namespace zelkora::sim
