// The data pump in the simulated world: transfer directions, a destination without room,
// and what an excluded port does with its bytes.

#include <gtest/gtest.h>

#include "sim/support/World.h"

namespace zelkora::sim {
namespace {

// Duplex n lets only port n's data through; the other port's bytes are never read.
class OneWay : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    w.settings().Duplex = static_cast<uint8_t>(passing);
    ASSERT_TRUE(w.start());
    ASSERT_TRUE(w.on());
  }
  const int passing = GetParam();
  const int excluded = 3 - passing;
  World w;
};

TEST_P(OneWay, OnlyThatDirectionPassesAndTheExcludedSideIsHeldOff) {
  EXPECT_EQ(w.model().pipe1TO2, passing == 1);
  EXPECT_EQ(w.model().pipe2TO1, passing == 2);
  w.device(passing).send(World::pattern(5000, 1));
  w.device(excluded).send(World::pattern(5000, 2));
  w.advance(10000);
  EXPECT_EQ(w.device(excluded).receivedBytes, World::pattern(5000, 1));
  EXPECT_TRUE(w.device(passing).receivedBytes.empty());
  // With RTS/CTS the excluded port fills and holds its device off; nothing is lost.
  EXPECT_TRUE(w.port(excluded).holdingPeerOff());
  EXPECT_GT(w.port(excluded).InBufferCount(), 1700);
  EXPECT_GT(w.device(excluded).waiting(), 0u);
  EXPECT_EQ(w.port(excluded).lostBytes(), 0);
  EXPECT_DOUBLE_EQ(w.run().transferred(excluded), 0);
  EXPECT_EQ(w.state(), RelayState::On);
}

TEST_P(OneWay, AnExcludedDeviceThatIgnoresFlowControlOverflowsTheInputBuffer) {
  w.device(excluded).setFlowControl(SimSerialDevice::Flow::None);
  w.device(excluded).send(World::pattern(3000, 3));
  w.advance(4000);
  EXPECT_EQ(w.state(), RelayState::Off);
  ASSERT_EQ(w.op.messages.size(), 1u);
  EXPECT_EQ(w.op.messages[0].text, "Произошло переполнение буфера приема !");
  EXPECT_EQ(w.op.messages[0].title, std::string("Фатальная ошибка порта ") +
                                        (excluded == 1 ? "COM2" : "COM3") + " ! Связь прервана!");
  EXPECT_GT(w.port(excluded).lostBytes(), 0);
}

INSTANTIATE_TEST_SUITE_P(Directions, OneWay, ::testing::Values(1, 2));

TEST(DataPumpSim, AFullDestinationKeepsTheBlockPendingAndMovesItInOrderWithWhatCameLater) {
  World w;
  ASSERT_TRUE(w.start());
  ASSERT_TRUE(w.on());
  const std::vector<uint8_t> data = World::pattern(9000, 4);
  w.terminal.setReady(false);  // port 2's output cannot leave
  w.modem.send(data);
  ASSERT_TRUE(w.runUntil([&] { return w.run().pending(1); }, 10000));
  EXPECT_GT(w.com2.OutBufferCount(), 4096 - 2048);
  const int16_t waitingThen = w.com1.InBufferCount();
  const double movedThen = w.run().transferred(1);
  w.advance(300);
  EXPECT_TRUE(w.run().pending(1));
  EXPECT_GT(w.com1.InBufferCount(), waitingThen);  // more arrived meanwhile
  EXPECT_DOUBLE_EQ(w.run().transferred(1), movedThen);
  const int16_t waitingNow = w.com1.InBufferCount();

  // Port 2's output empties, its send event moves everything waiting as one block.
  w.terminal.setReady(true);
  ASSERT_TRUE(w.runUntil([&] { return !w.run().pending(1); }, 10000));
  EXPECT_GE(w.run().transferred(1) - movedThen, waitingNow);
  EXPECT_TRUE(w.runUntil([&] { return w.terminal.receivedBytes.size() == data.size(); }, 20000));
  EXPECT_EQ(w.terminal.receivedBytes, data);
  EXPECT_DOUBLE_EQ(w.run().transferred(1), 9000);
  EXPECT_EQ(w.com1.lostBytes(), 0);
  EXPECT_TRUE(w.op.messages.empty());
}

TEST(DataPumpSim, APendingBlockStillLeavesDuringADrainButNewBytesStay) {
  World w;
  ASSERT_TRUE(w.start());
  ASSERT_TRUE(w.on());
  w.terminal.setReady(false);
  w.modem.send(World::pattern(5000, 5));
  ASSERT_TRUE(w.runUntil([&] { return w.run().pending(1); }, 10000));
  ASSERT_TRUE(w.click(World::Button::OFF));
  const double moved = w.run().transferred(1);
  const int16_t pendingBytes = w.com1.InBufferCount();
  w.terminal.setReady(true);
  // The send event of port 2 moves the pending block; what arrives afterwards stays.
  ASSERT_TRUE(w.runUntil([&] { return !w.run().pending(1); }, 10000));
  EXPECT_GE(w.run().transferred(1), moved + pendingBytes);
  const double afterPending = w.run().transferred(1);
  w.advance(500);
  EXPECT_DOUBLE_EQ(w.run().transferred(1), afterPending);
  EXPECT_EQ(w.state(), RelayState::Draining);
  ASSERT_TRUE(w.runUntil([&] { return w.state() == RelayState::Off; }, 20000));
  w.advance(10);
  const std::vector<uint8_t> all = World::pattern(5000, 5);
  EXPECT_EQ(w.terminal.receivedBytes,
            std::vector<uint8_t>(all.begin(), all.begin() + static_cast<long>(afterPending)));
}

TEST(DataPumpSim, TheTerminalTalksToTheModemThroughTheRelay) {
  World w;
  ASSERT_TRUE(w.start());
  ASSERT_TRUE(w.on());
  std::string line;
  w.modem.responder = [&](const uint8_t* bytes, size_t count) {
    line.append(bytes, bytes + count);
    if (line.find('\r') == std::string::npos) return;
    const std::string reply = line == "ATDT123\r" ? "\r\nCONNECT 9600\r\n" : "\r\nERROR\r\n";
    line.clear();
    w.modem.send(std::vector<uint8_t>(reply.begin(), reply.end()));
    w.modem.setCarrier(true);
  };
  const std::string dial = "ATDT123\r";
  w.terminal.send(std::vector<uint8_t>(dial.begin(), dial.end()));
  w.advance(100);
  EXPECT_EQ(std::string(w.terminal.receivedBytes.begin(), w.terminal.receivedBytes.end()),
            "\r\nCONNECT 9600\r\n");
  EXPECT_TRUE(w.model().lamps[0][LampCD]);
}

TEST(DataPumpSim, AnEventOfAClosedRelayChangesNothing) {
  World w;
  ASSERT_TRUE(w.start());
  ASSERT_TRUE(w.on());
  w.modem.send(World::pattern(200, 6));
  w.advance(100);
  w.settings().FlushingBUF = false;
  ASSERT_TRUE(w.click(World::Button::OFF));
  w.advance(1000);
  EXPECT_EQ(w.com1.misuse() + w.com2.misuse(), 0);
  EXPECT_FALSE(w.run().pending(1));
  EXPECT_TRUE(w.op.messages.empty());
}

}  // namespace
}  // namespace zelkora::sim
