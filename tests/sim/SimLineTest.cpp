// The simulated line and port on their own: timing, flow control, break, lines, buffer
// limits and the delivery rules of the port's events.

#include <gtest/gtest.h>

#include "sim/support/SimCable.h"
#include "sim/support/SimCommPort.h"
#include "sim/support/SimModem.h"
#include "sim/support/SimTerminal.h"
#include "sim/support/World.h"
#include "support/SimLoop.h"

namespace zelkora::sim {
namespace {

// A port on a null-modem cable to a terminal, nobody reading the port unless a test does.
struct PortBench {
  explicit PortBench(int handshaking = comm::comRTS, int16_t inSize = 512) {
    port.setSettings("9600,N,8,1");
    port.setHandshaking(handshaking);
    port.setDTREnable(true);
    port.setRTSEnable(true);
    port.setInBufferSize(inSize);
    port.setOutBufferSize(1024);
    port.setRThreshold(1);
    port.setSThreshold(1);
    terminal.setFormat({9600, 8, 1});
    terminal.setFlowControl(handshaking == comm::comXOnXoff ? SimSerialDevice::Flow::Software
                                                            : SimSerialDevice::Flow::Hardware);
    port.OnComm = [this] { events.push_back(port.CommEvent()); };
  }
  SimLoop loop;
  SimCable cable{loop, SimCable::Wiring::NullModem};
  SimCommPort port{loop, cable.end(0)};
  SimTerminal terminal{cable.end(1)};
  std::vector<int> events;
  int count(int code) const {
    return static_cast<int>(std::count(events.begin(), events.end(), code));
  }
};

TEST(SimLine, CharactersTakeTheirBitTimesOnTheWire) {
  PortBench b;
  ASSERT_TRUE(b.port.setPortOpen(true));
  b.port.Output(World::pattern(10, 1));
  const double charUs = 10 * 1e6 / 9600;  // start, 8 data, 1 stop
  b.loop.advanceUs(static_cast<int64_t>(9.5 * charUs));
  EXPECT_EQ(b.cable.end(0).charsSent(), 10);
  EXPECT_TRUE(b.cable.end(0).transmitting());
  b.loop.advance(20);
  EXPECT_EQ(b.terminal.receivedBytes, World::pattern(10, 1));
  EXPECT_DOUBLE_EQ(b.cable.end(0).busyUs(), 10 * charUs);
  EXPECT_NEAR(b.cable.end(0).lastEndUs() - b.cable.end(0).firstStartUs(), 10 * charUs, 1e-6);

  // 7 data bits and 2 stop bits: 10 bits again; 5 bits and 1.5 stop bits: 7.5 bits.
  EXPECT_DOUBLE_EQ((LineFormat{9600, 7, 2}.charUs()), charUs);
  EXPECT_DOUBLE_EQ((LineFormat{1200, 5, 1.5}.charUs()), 7.5 * 1e6 / 1200);
}

TEST(SimLine, ASpeedMismatchArrivesAsFramingErrors) {
  PortBench b;
  ASSERT_TRUE(b.port.setPortOpen(true));
  b.terminal.setFormat({2400, 8, 1});
  b.terminal.send({1, 2, 3});
  b.loop.advance(50);
  EXPECT_EQ(b.port.InBufferCount(), 0);
  EXPECT_EQ(b.count(comm::comEventFrame), 3);
}

TEST(SimLine, NullModemCrossesTheLinesAndStraightPassesThem) {
  PortBench b;
  ASSERT_TRUE(b.port.setPortOpen(true));
  EXPECT_TRUE(b.port.DSRHolding());
  EXPECT_TRUE(b.port.CDHolding());
  EXPECT_TRUE(b.port.CTSHolding());
  EXPECT_TRUE(b.terminal.end().input(Signal::CTS));  // the port's RTS
  b.terminal.setDTR(false);
  b.terminal.setReady(false);
  EXPECT_FALSE(b.port.DSRHolding());
  EXPECT_FALSE(b.port.CDHolding());
  EXPECT_FALSE(b.port.CTSHolding());
  b.loop.settle();
  EXPECT_EQ(b.events, (std::vector<int>{comm::comEvDSR, comm::comEvCD, comm::comEvCTS}));
  b.terminal.setDTR(true);
  b.cable.setDtrDrivesCd(false);
  EXPECT_TRUE(b.port.DSRHolding());
  EXPECT_FALSE(b.port.CDHolding());

  SimLoop loop;
  SimCable straight{loop, SimCable::Wiring::Straight};
  SimCommPort port{loop, straight.end(0)};
  SimModem modem{loop, straight.end(1)};
  std::vector<int> events;
  port.OnComm = [&] { events.push_back(port.CommEvent()); };
  port.setDTREnable(true);
  ASSERT_TRUE(port.setPortOpen(true));
  EXPECT_TRUE(modem.dtrFromPort());
  EXPECT_TRUE(port.DSRHolding());
  EXPECT_TRUE(port.CTSHolding());
  modem.setCarrier(true);
  EXPECT_TRUE(port.CDHolding());
  modem.ring(1000);
  loop.advance(1500);
  modem.ring(1000);
  loop.advance(1500);
  // A ring event on each rising edge of RI, none on its fall.
  EXPECT_EQ(events, (std::vector<int>{comm::comEvCD, comm::comEvRing, comm::comEvRing}));
}

TEST(SimLine, OpenFailsForAMissingDeviceAndForFramingsTheUartCannotTake) {
  struct Case {
    const char* settings;
    bool opens;
  } cases[] = {
      {"9600,N,8,1", true},  {"115200,N,7,1.5", false}, {"110,N,5,1.5", true},
      {"9600,N,4,1", false}, {"9600,N,5,2", false},     {"9600,N,6,2", true},
      {"9600,N,8,2", true},  {"9600,X,8,1", false},     {"fast,N,8,1", false},
      {"9600,N,8", false},
  };
  for (const Case& c : cases) {
    PortBench b;
    b.port.setSettings(c.settings);
    EXPECT_EQ(b.port.setPortOpen(true), c.opens) << c.settings;
  }
  PortBench b;
  b.port.unavailable = {3};
  b.port.setCommPort(3);
  EXPECT_FALSE(b.port.setPortOpen(true));
  b.port.setCommPort(2);
  EXPECT_TRUE(b.port.setPortOpen(true));
  EXPECT_TRUE(b.port.setPortOpen(false));
  EXPECT_TRUE(b.port.setPortOpen(false));  // closing a closed port is fine
}

TEST(SimLine, WithoutFlowControlAFullInputBufferLosesBytesAndRaisesOverflow) {
  PortBench b(comm::comNone);
  ASSERT_TRUE(b.port.setPortOpen(true));
  b.terminal.setFlowControl(SimSerialDevice::Flow::None);
  b.terminal.send(World::pattern(600, 2));
  b.loop.advance(1000);
  EXPECT_EQ(b.port.InBufferCount(), 512);
  EXPECT_EQ(b.port.lostBytes(), 88);
  EXPECT_GE(b.count(comm::comEventRxOver), 1);
  const std::vector<uint8_t> all = World::pattern(600, 2);
  EXPECT_EQ(b.port.Input(), std::vector<uint8_t>(all.begin(), all.begin() + 512));
}

// With flow control the sender is held off before the buffer is full, nothing is lost, and
// it goes on once the buffer is read.
class SimLineFlow : public ::testing::TestWithParam<int> {};

TEST_P(SimLineFlow, APortNearFullHoldsTheSenderOffAndLetsItGoOn) {
  PortBench b(GetParam());
  ASSERT_TRUE(b.port.setPortOpen(true));
  const std::vector<uint8_t> data = World::pattern(3000, 3, true);
  b.terminal.send(data);
  b.loop.advance(3000);
  EXPECT_TRUE(b.port.holdingPeerOff());
  EXPECT_LE(b.port.InBufferCount(), 512);
  EXPECT_GT(b.terminal.waiting(), 0u);
  // Read once a second: at 960 bytes a second the buffer fills and holds the sender off
  // again and again.
  std::vector<uint8_t> got;
  for (int second = 0; second < 20 && got.size() < data.size(); ++second) {
    const std::vector<uint8_t> block = b.port.Input();
    got.insert(got.end(), block.begin(), block.end());
    b.loop.advance(1000);
    EXPECT_LE(b.port.InBufferCount(), 512);
  }
  EXPECT_EQ(got, data);
  EXPECT_EQ(b.port.lostBytes(), 0);
  EXPECT_EQ(b.count(comm::comEventRxOver), 0);
}

INSTANTIATE_TEST_SUITE_P(Handshakes, SimLineFlow,
                         ::testing::Values(comm::comRTS, comm::comXOnXoff));

TEST(SimLine, TheDevicesFlowControlHoldsThePortsOutput) {
  for (int handshaking : {comm::comRTS, comm::comXOnXoff}) {
    PortBench b(handshaking);
    ASSERT_TRUE(b.port.setPortOpen(true));
    b.terminal.setReady(false);
    b.loop.advance(5);  // an XOFF takes a character time to arrive
    b.port.Output(World::pattern(100, 4, true));
    b.loop.advance(500);
    EXPECT_EQ(b.terminal.receivedBytes.size(), 0u) << handshaking;
    EXPECT_EQ(b.port.OutBufferCount(), 100);
    b.terminal.setReady(true);
    b.loop.advance(500);
    EXPECT_EQ(b.terminal.receivedBytes, World::pattern(100, 4, true)) << handshaking;
    EXPECT_EQ(b.count(comm::comEvSend), 1);
  }
}

TEST(SimLine, OutputBeyondTheFreeSpaceIsDroppedAndRaisesTransmitFull) {
  PortBench b;
  ASSERT_TRUE(b.port.setPortOpen(true));
  b.port.setBreak(true);
  b.port.Output(World::pattern(1000, 5));
  b.port.Output(World::pattern(100, 6));
  EXPECT_EQ(b.port.OutBufferCount(), 1024);
  EXPECT_EQ(b.port.droppedBytes(), 76);
  b.loop.settle();
  EXPECT_EQ(b.count(comm::comEventTxFull), 1);
}

TEST(SimLine, BreakHoldsTransmissionAfterTheCurrentCharacter) {
  PortBench b;
  ASSERT_TRUE(b.port.setPortOpen(true));
  b.port.Output(World::pattern(50, 7));
  b.loop.advanceUs(1500);  // the second character is on the wire
  b.port.setBreak(true);
  b.loop.advance(200);
  EXPECT_EQ(b.terminal.receivedBytes.size(), 2u);
  EXPECT_TRUE(b.terminal.breakOn);
  EXPECT_EQ(b.port.OutBufferCount(), 48);
  b.port.setBreak(false);
  b.loop.advance(200);
  EXPECT_FALSE(b.terminal.breakOn);
  EXPECT_EQ(b.terminal.receivedBytes, World::pattern(50, 7));

  // The port hears a break of the other side as event 1001.
  b.terminal.end().setBreak(true);
  b.loop.settle();
  EXPECT_EQ(b.count(comm::comEventBreak), 1);
}

TEST(SimLine, DataEventsAreCheckedAgainWhenDelivered) {
  PortBench b;
  ASSERT_TRUE(b.port.setPortOpen(true));
  // Received, but read before the event comes: no receive event.
  b.terminal.send({1, 2, 3});
  b.loop.runUntil([&] { return b.port.InBufferCount() == 3; }, 100);
  b.port.Input();
  b.loop.settle();
  EXPECT_EQ(b.count(comm::comEvReceive), 0);
  // Emptied, but refilled before the event comes: no send event.
  b.port.Output({9});
  b.loop.runUntil([&] { return b.port.OutBufferCount() == 0; }, 100);
  b.port.Output({10});
  b.loop.settle();
  EXPECT_EQ(b.count(comm::comEvSend), 0);
  b.loop.advance(100);
  EXPECT_EQ(b.count(comm::comEvSend), 1);
  // Unread data raises the receive event again with every burst, but never has two of
  // them waiting.
  b.terminal.send(World::pattern(100, 8));
  b.loop.advance(200);
  EXPECT_EQ(b.count(comm::comEvReceive), 8);  // 14 bytes a burst, the rest on the time-out
  b.port.injectEvent(comm::comEvReceive);
  b.port.injectEvent(comm::comEvReceive);
  b.loop.settle();
  EXPECT_EQ(b.count(comm::comEvReceive), 9);
}

TEST(SimLine, EventsOfAClosedPortAreNeverDelivered) {
  PortBench b;
  ASSERT_TRUE(b.port.setPortOpen(true));
  b.port.injectEvent(comm::comEventOverrun);
  b.port.setPortOpen(false);
  ASSERT_TRUE(b.port.setPortOpen(true));
  b.loop.settle();
  EXPECT_TRUE(b.events.empty());
  b.port.Output({1});
  EXPECT_EQ(b.port.misuse(), 0);
  b.port.setPortOpen(false);
  b.port.Output({1});
  b.port.Input();
  EXPECT_EQ(b.port.misuse(), 2);
}

TEST(SimLine, AVanishedDeviceRaisesDcbErrorAndCannotBeOpenedAgain) {
  PortBench b;
  ASSERT_TRUE(b.port.setPortOpen(true));
  b.port.vanish();
  b.terminal.send({1, 2, 3});
  b.loop.advance(100);
  EXPECT_EQ(b.events, std::vector<int>{comm::comEventDCB});
  EXPECT_EQ(b.port.InBufferCount(), 0);
  b.port.setPortOpen(false);
  EXPECT_FALSE(b.port.setPortOpen(true));
  b.port.comeBack();
  EXPECT_TRUE(b.port.setPortOpen(true));
}

}  // namespace
}  // namespace zelkora::sim
