// The relay's commands in the simulated world: what each panel button does in each state,
// and how a drain ends.

#include <gtest/gtest.h>

#include "sim/support/World.h"

namespace zelkora::sim {
namespace {

using Button = World::Button;

const char* nameOf(RelayState s) {
  switch (s) {
    case RelayState::Off:
      return "off";
    case RelayState::On:
      return "on";
    case RelayState::Paused:
      return "paused";
    case RelayState::Draining:
      return "draining";
  }
  return "?";
}

// Brings a started world into `state`. A drain is kept from ending by a terminal that
// holds port 2 off while data waits in port 2's output buffer.
void bringTo(World& w, RelayState state) {
  if (state == RelayState::Off) return;
  ASSERT_TRUE(w.on());
  if (state == RelayState::Paused) w.program.relay.cmdPause_Click();
  if (state == RelayState::Draining) {
    w.terminal.setReady(false);
    w.modem.send(World::pattern(200, 1));
    w.advance(500);
    ASSERT_GT(w.com2.OutBufferCount(), 0);
    w.program.relay.cmdOFF_Click();
  }
  ASSERT_EQ(w.state(), state);
}

TEST(RelayCommandsSim, PanelButtonsAreEnabledPerState) {
  struct Row {
    RelayState state;
    bool on, pause, off, config;
  } rows[] = {
      {RelayState::Off, true, false, false, true},
      {RelayState::On, false, true, true, false},
      {RelayState::Paused, false, true, true, false},
      {RelayState::Draining, false, false, true, false},
  };
  for (const Row& row : rows) {
    World w;
    ASSERT_TRUE(w.start());
    bringTo(w, row.state);
    const PanelModel& m = w.model();
    EXPECT_EQ(m.cmdON, row.on) << nameOf(row.state);
    EXPECT_EQ(m.cmdPause, row.pause) << nameOf(row.state);
    EXPECT_EQ(m.cmdOFF, row.off) << nameOf(row.state);
    EXPECT_EQ(m.cmdConfig, row.config) << nameOf(row.state);
    EXPECT_TRUE(w.panel.isEnabled()) << nameOf(row.state);
  }
}

TEST(RelayCommandsSim, EachButtonInEachStateLeadsToItsState) {
  struct Row {
    RelayState from;
    Button button;
    bool flushing;
    bool takes;  // the window takes the click
    RelayState to;
  } rows[] = {
      {RelayState::Off, Button::ON, true, true, RelayState::On},
      {RelayState::Off, Button::Pause, true, false, RelayState::Off},
      {RelayState::Off, Button::OFF, true, false, RelayState::Off},
      {RelayState::On, Button::ON, true, false, RelayState::On},
      {RelayState::On, Button::Pause, true, true, RelayState::Paused},
      {RelayState::On, Button::OFF, true, true, RelayState::Draining},
      {RelayState::On, Button::OFF, false, true, RelayState::Off},
      {RelayState::Paused, Button::ON, true, false, RelayState::Paused},
      {RelayState::Paused, Button::Pause, true, true, RelayState::On},
      {RelayState::Paused, Button::OFF, true, true, RelayState::Draining},
      {RelayState::Paused, Button::OFF, false, true, RelayState::Off},
      {RelayState::Draining, Button::ON, true, false, RelayState::Draining},
      {RelayState::Draining, Button::Pause, true, false, RelayState::Draining},
      {RelayState::Draining, Button::OFF, true, true, RelayState::Off},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(nameOf(row.from)) + " button " +
                 std::to_string(static_cast<int>(row.button)) +
                 (row.flushing ? " flushing" : " no flushing"));
    World w;
    w.settings().FlushingBUF = row.flushing;
    // Data waits in port 2's output whatever the state, so that a drain cannot end.
    w.terminal.setReady(false);
    ASSERT_TRUE(w.start());
    bringTo(w, row.from);
    if (row.from != RelayState::Draining && row.from != RelayState::Off) {
      w.modem.send(World::pattern(100, 2));
      w.advance(300);
    }
    EXPECT_EQ(w.click(row.button), row.takes);
    w.advance(100);
    EXPECT_EQ(w.state(), row.to);
    const bool open = row.to != RelayState::Off;
    EXPECT_EQ(w.com1.PortOpen(), open);
    EXPECT_EQ(w.com2.PortOpen(), open);
    // Both transmit lines are held in the break state exactly while paused.
    EXPECT_EQ(w.com1.breakHeld(), row.to == RelayState::Paused);
    EXPECT_EQ(w.com2.breakHeld(), row.to == RelayState::Paused);
    EXPECT_EQ(w.modem.breakOn, row.to == RelayState::Paused);
    EXPECT_EQ(w.program.tmrFLUSH->enabled(), row.to == RelayState::Draining);
    EXPECT_EQ(w.program.tmrBuffers->enabled(), open);
    EXPECT_TRUE(w.op.messages.empty());
    EXPECT_EQ(w.com1.misuse() + w.com2.misuse(), 0);
  }
}

TEST(RelayCommandsSim, OnConfiguresBothPortsFromTheirSettings) {
  World w;
  w.settings().port(1) = {4, 13, 3, 0, 1, true};  // COM5, 115200, 7 bits, RTS/CTS, DTR
  w.settings().port(2) = {7, 6, 4, 2, 0, false};  // COM8, 9600, 8 bits, 2 stop, XON/XOFF
  w.settings().BufSize = 6;
  ASSERT_TRUE(w.start());
  ASSERT_TRUE(w.on());
  EXPECT_EQ(w.com1.commPort(), 5);
  EXPECT_EQ(w.com1.settings(), "115200,N,7,1");
  EXPECT_EQ(w.com1.handshaking(), comm::comRTS);
  EXPECT_TRUE(w.modem.dtrFromPort());
  EXPECT_TRUE(w.modem.rtsFromPort());
  EXPECT_EQ(w.com2.commPort(), 8);
  EXPECT_EQ(w.com2.settings(), "9600,N,8,2");
  EXPECT_EQ(w.com2.handshaking(), comm::comXOnXoff);
  EXPECT_FALSE(w.terminal.end().input(Signal::DSR));  // port 2's DTR low
  EXPECT_EQ(w.com2.inBufferSize(), 16384);
  EXPECT_EQ(w.com2.OutBufferSize(), 32767);
  EXPECT_EQ(w.model().lblON.text, "9600");

  // The relay passes data both ways, each side at its own speed and flow control; port 1's
  // line carries seven bits.
  auto sevenBits = [](std::vector<uint8_t> bytes) {
    for (uint8_t& b : bytes) {
      b &= 0x7F;
      if (b == XON || b == XOFF) ++b;
    }
    return bytes;
  };
  const std::vector<uint8_t> down = sevenBits(World::pattern(3000, 3, true));
  const std::vector<uint8_t> up = sevenBits(World::pattern(3000, 4, true));
  w.modem.send(down);
  w.terminal.send(up);
  w.advance(5000);
  EXPECT_EQ(w.terminal.receivedBytes, down);
  EXPECT_EQ(w.modem.receivedBytes, up);
  EXPECT_DOUBLE_EQ(w.run().transferred(1), 3000);
  EXPECT_DOUBLE_EQ(w.run().transferred(2), 3000);
  EXPECT_EQ(w.model().lblThrough[0], "0.003 Мб");
}

TEST(RelayCommandsSim, APortThatCannotBeOpenedIsRetriedOrGivenUp) {
  {
    // Cancel closes port 1 again and leaves the relay off.
    World w;
    w.settings().MeON = true;
    w.com2.unavailable = {3};
    w.op.messageScripts.push_back([](const Message&) { return MsgAnswer::Cancel; });
    ASSERT_TRUE(w.start());
    ASSERT_EQ(w.op.messages.size(), 1u);
    EXPECT_EQ(w.op.messages[0].text, "Не удается открыть порт  COM3 !!  Проверьте его параметры !");
    EXPECT_EQ(w.op.messages[0].icon, MsgIcon::Critical);
    EXPECT_EQ(w.op.messages[0].buttons, MsgButtons::RetryCancel);
    EXPECT_EQ(w.state(), RelayState::Off);
    EXPECT_FALSE(w.com1.PortOpen());
    EXPECT_TRUE(w.panel.isEnabled());
    EXPECT_TRUE(w.model().cmdON);
  }
  {
    // Retry after the device was freed: the relay comes on normally, port 1 open all along.
    World w;
    w.com2.unavailable = {3};
    ASSERT_TRUE(w.start());
    w.op.messageScripts.push_back([&](const Message&) {
      w.advance(2000);
      EXPECT_TRUE(w.com1.PortOpen());
      return MsgAnswer::Retry;
    });
    w.op.messageScripts.push_back([&](const Message&) {
      w.com2.unavailable.clear();
      return MsgAnswer::Retry;
    });
    EXPECT_TRUE(w.on());
    EXPECT_EQ(w.op.messages.size(), 2u);
    EXPECT_EQ(w.com1.opens(), 1);
    EXPECT_FALSE(w.com2.breakHeld());
    w.modem.send(World::pattern(100, 12));
    w.advance(500);
    EXPECT_EQ(w.terminal.receivedBytes, World::pattern(100, 12));
  }
}

TEST(RelayCommandsSim, PauseKeepsReadingIntoTheHeldOutputAndLosesNothing) {
  World w;
  ASSERT_TRUE(w.start());
  ASSERT_TRUE(w.on());
  ASSERT_TRUE(w.click(Button::Pause));
  const std::vector<uint8_t> data = World::pattern(20000, 5);
  w.modem.send(data);
  w.advance(30000);
  // 4096 bytes fill port 2's output, about 1800 wait in port 1's input, the rest is held in
  // the modem by RTS.
  EXPECT_TRUE(w.terminal.receivedBytes.empty());
  EXPECT_GT(w.com2.OutBufferCount(), 4096 - 2048);
  EXPECT_TRUE(w.run().pending(1));
  EXPECT_TRUE(w.com1.holdingPeerOff());
  EXPECT_GT(w.modem.waiting(), 0u);
  ASSERT_TRUE(w.click(Button::Pause));
  EXPECT_TRUE(w.runUntil([&] { return w.terminal.receivedBytes.size() == data.size(); }, 60000));
  EXPECT_EQ(w.terminal.receivedBytes, data);
  EXPECT_EQ(w.com1.lostBytes(), 0);
  EXPECT_TRUE(w.op.messages.empty());
}

TEST(RelayCommandsSim, ADrainEndsWhenBothOutputBuffersAreEmpty) {
  World w;
  ASSERT_TRUE(w.start());
  ASSERT_TRUE(w.on());
  // Data queued on both ports, both far ends holding the ports off.
  w.terminal.setReady(false);
  w.modem.setCTS(false);
  w.modem.send(World::pattern(1000, 6));
  w.terminal.send(World::pattern(500, 7));
  w.advance(2000);
  ASSERT_EQ(w.com2.OutBufferCount(), 1000);
  ASSERT_EQ(w.com1.OutBufferCount(), 500);
  ASSERT_TRUE(w.click(Button::OFF));
  EXPECT_EQ(w.state(), RelayState::Draining);
  EXPECT_EQ(w.model().lblON.text, "Слив...");
  // Bytes arriving now are not taken.
  w.modem.send(World::pattern(50, 8));
  w.advance(1000);
  EXPECT_EQ(w.state(), RelayState::Draining);
  EXPECT_EQ(w.com1.InBufferCount(), 50);

  w.terminal.setReady(true);
  EXPECT_TRUE(w.runUntil([&] { return w.com2.OutBufferCount() == 0; }, 3000));
  w.advance(200);
  EXPECT_EQ(w.state(), RelayState::Draining);  // port 1 still has its 500 bytes
  w.modem.setCTS(true);
  ASSERT_TRUE(w.runUntil([&] { return w.com1.OutBufferCount() == 0; }, 3000));
  const int64_t emptied = w.loop.nowMs();
  ASSERT_TRUE(w.runUntil([&] { return w.state() == RelayState::Off; }, 1000));
  EXPECT_LE(w.loop.nowMs() - emptied, 25);
  w.advance(100);  // the last characters were on the wire
  EXPECT_EQ(w.terminal.receivedBytes, World::pattern(1000, 6));
  EXPECT_EQ(w.modem.receivedBytes, World::pattern(500, 7));
  EXPECT_FALSE(w.com1.PortOpen());
  EXPECT_FALSE(w.windowClosed());
  EXPECT_FALSE(w.program.life.shutDownDone());
}

TEST(RelayCommandsSim, ASecondPressDuringADrainDisconnectsAtOnce) {
  World w;
  ASSERT_TRUE(w.start());
  ASSERT_TRUE(w.on());
  w.terminal.setReady(false);
  w.modem.send(World::pattern(1000, 9));
  w.advance(2000);
  ASSERT_TRUE(w.click(Button::OFF));
  w.advance(500);
  ASSERT_EQ(w.state(), RelayState::Draining);
  ASSERT_TRUE(w.click(Button::OFF));
  EXPECT_EQ(w.state(), RelayState::Off);
  EXPECT_FALSE(w.com2.PortOpen());
  w.terminal.setReady(true);
  w.advance(2000);
  EXPECT_TRUE(w.terminal.receivedBytes.empty());  // the queued data was discarded
  EXPECT_FALSE(w.program.tmrFLUSH->enabled());
}

TEST(RelayCommandsSim, ADrainStartedWhilePausedSendsAgain) {
  World w;
  ASSERT_TRUE(w.start());
  ASSERT_TRUE(w.on());
  ASSERT_TRUE(w.click(Button::Pause));
  w.modem.send(World::pattern(300, 10));
  w.advance(1000);
  ASSERT_EQ(w.com2.OutBufferCount(), 300);
  ASSERT_TRUE(w.click(Button::OFF));
  EXPECT_FALSE(w.com1.breakHeld());
  EXPECT_FALSE(w.com2.breakHeld());
  EXPECT_TRUE(w.runUntil([&] { return w.state() == RelayState::Off; }, 2000));
  w.advance(10);
  EXPECT_EQ(w.terminal.receivedBytes, World::pattern(300, 10));
}

TEST(RelayCommandsSim, CountersContinueAcrossRunsWithoutResetCounters) {
  for (bool reset : {true, false}) {
    World w;
    w.settings().ResetCounters = reset;
    w.settings().FlushingBUF = false;
    ASSERT_TRUE(w.start());
    for (int run = 0; run < 2; ++run) {
      ASSERT_TRUE(w.on());
      w.modem.send(World::pattern(100, 11));
      w.advance(500);
      ASSERT_TRUE(w.click(Button::OFF));
    }
    EXPECT_DOUBLE_EQ(w.run().transferred(1), reset ? 100 : 200);
    EXPECT_EQ(w.model().lblThrough[0], "0.000 Мб");
  }
}

}  // namespace
}  // namespace zelkora::sim
