// The close request of the control panel in the simulated world: refused, confirmed,
// asked, or carried out through a drain, and the end of the program that follows.

#include <gtest/gtest.h>

#include "sim/support/World.h"

namespace zelkora::sim {
namespace {

using Button = World::Button;

struct Closing {
  Closing(bool autoClose, bool ensure, bool flushing) {
    w.settings().AutoClose = autoClose;
    w.settings().AutoCloseEnsure = ensure;
    w.settings().FlushingBUF = flushing;
    EXPECT_TRUE(w.start());
  }
  // Puts data into port 2's output buffer that the terminal does not take yet.
  void queueHeldData(size_t bytes = 1000) {
    w.terminal.setReady(false);
    w.modem.send(World::pattern(bytes, 1));
    w.advance(static_cast<int64_t>(bytes) * 2);
    ASSERT_EQ(w.com2.OutBufferCount(), static_cast<int16_t>(bytes));
  }
  bool ended() const { return w.windowClosed() && w.program.life.shutDownDone(); }
  World w;
};

TEST(CloseRequestSim, WithTheRelayOffTheProgramEnds) {
  Closing c(true, true, true);
  EXPECT_TRUE(c.w.requestClose());
  EXPECT_TRUE(c.ended());
  EXPECT_FALSE(c.w.tray.inTray());
  EXPECT_TRUE(c.w.op.messages.empty());
}

TEST(CloseRequestSim, WithoutAutoCloseARunningRelayRefusesSilently) {
  Closing c(false, true, true);
  ASSERT_TRUE(c.w.on());
  EXPECT_FALSE(c.w.requestClose());
  EXPECT_EQ(c.w.state(), RelayState::On);
  EXPECT_FALSE(c.w.run().Closing);
  EXPECT_FALSE(c.w.program.life.shutDownDone());
  EXPECT_TRUE(c.w.op.messages.empty());
  EXPECT_FALSE(c.w.program.tray.model().closeEnabled);
}

TEST(CloseRequestSim, ACloseDuringADrainEndsTheProgramWhenTheDrainEnds) {
  Closing c(true, true, true);
  ASSERT_TRUE(c.w.on());
  c.queueHeldData();
  ASSERT_TRUE(c.w.click(Button::OFF));
  EXPECT_FALSE(c.w.requestClose());
  EXPECT_TRUE(c.w.run().Closing);
  EXPECT_TRUE(c.w.op.messages.empty());  // no question while draining
  c.w.advance(1000);
  EXPECT_FALSE(c.w.windowClosed());
  c.w.terminal.setReady(true);
  EXPECT_TRUE(c.w.runUntil([&] { return c.ended(); }, 3000));
  EXPECT_EQ(c.w.state(), RelayState::Off);
  c.w.advance(10);
  EXPECT_EQ(c.w.terminal.receivedBytes, World::pattern(1000, 1));
}

TEST(CloseRequestSim, WithoutTheQuestionARunningRelayIsSwitchedOffAndTheProgramEnds) {
  Closing c(true, false, false);
  ASSERT_TRUE(c.w.on());
  c.queueHeldData();
  EXPECT_TRUE(c.w.requestClose());
  EXPECT_TRUE(c.ended());
  EXPECT_FALSE(c.w.com2.PortOpen());
  EXPECT_TRUE(c.w.op.messages.empty());
}

TEST(CloseRequestSim, WithFlushingTheWindowStaysUntilTheDrainEndsOrOffIsPressed) {
  for (bool pressOff : {false, true}) {
    Closing c(true, false, true);
    ASSERT_TRUE(c.w.on());
    c.queueHeldData();
    EXPECT_FALSE(c.w.requestClose());
    EXPECT_EQ(c.w.state(), RelayState::Draining);
    c.w.advance(2000);
    EXPECT_FALSE(c.w.windowClosed());
    if (pressOff) {
      ASSERT_TRUE(c.w.click(Button::OFF));
      EXPECT_TRUE(c.ended());
      EXPECT_TRUE(c.w.terminal.receivedBytes.empty());
    } else {
      c.w.terminal.setReady(true);
      EXPECT_TRUE(c.w.runUntil([&] { return c.ended(); }, 3000));
    }
    EXPECT_FALSE(c.w.tray.inTray());
  }
}

// The question "Zelkora® Включен !  Разъединить ?" with the relay running or already paused,
// answered OK or Cancel, with or without a drain.
struct AskRow {
  bool pausedBefore;
  MsgAnswer answer;
  bool flushing;
};

class CloseQuestion : public ::testing::TestWithParam<AskRow> {};

TEST_P(CloseQuestion, PausesWhileAskingAndActsOnTheAnswer) {
  const AskRow row = GetParam();
  Closing c(true, true, row.flushing);
  ASSERT_TRUE(c.w.on());
  c.queueHeldData();
  if (row.pausedBefore) {
    ASSERT_TRUE(c.w.click(Button::Pause));
  }
  size_t movedWhileAsking = 0;
  c.w.op.messageScripts.push_back([&](const Message& m) {
    EXPECT_EQ(m.text, "Zelkora® Включен !  Разъединить ?");
    EXPECT_EQ(m.title, "Zelkora® - Закрытие");
    EXPECT_EQ(m.icon, MsgIcon::Question);
    EXPECT_EQ(m.buttons, MsgButtons::OKCancel);
    EXPECT_EQ(c.w.state(), RelayState::Paused);
    EXPECT_TRUE(c.w.com1.breakHeld());
    EXPECT_TRUE(c.w.com2.breakHeld());
    // The relay keeps reading while the question is open.
    const double before = c.w.run().transferred(2);
    c.w.terminal.send(World::pattern(100, 2));
    c.w.advance(1000);
    movedWhileAsking = static_cast<size_t>(c.w.run().transferred(2) - before);
    return row.answer;
  });
  const bool closed = c.w.requestClose();
  ASSERT_EQ(c.w.op.messages.size(), 1u);
  EXPECT_EQ(movedWhileAsking, 100u);
  if (row.answer == MsgAnswer::Cancel) {
    EXPECT_FALSE(closed);
    EXPECT_FALSE(c.w.run().Closing);
    EXPECT_EQ(c.w.state(), row.pausedBefore ? RelayState::Paused : RelayState::On);
    EXPECT_EQ(c.w.com2.breakHeld(), row.pausedBefore);
    return;
  }
  if (!row.flushing) {
    EXPECT_TRUE(closed);
    EXPECT_TRUE(c.ended());
    return;
  }
  // OK with a drain: it starts from the paused state and takes both ports out of the break.
  EXPECT_FALSE(closed);
  EXPECT_EQ(c.w.state(), RelayState::Draining);
  EXPECT_FALSE(c.w.com1.breakHeld());
  EXPECT_FALSE(c.w.com2.breakHeld());
  c.w.terminal.setReady(true);
  EXPECT_TRUE(c.w.runUntil([&] { return c.ended(); }, 5000));
  c.w.advance(10);
  EXPECT_EQ(c.w.terminal.receivedBytes, World::pattern(1000, 1));
  EXPECT_EQ(c.w.modem.receivedBytes, World::pattern(100, 2));
}

INSTANTIATE_TEST_SUITE_P(
    Answers, CloseQuestion,
    ::testing::Values(AskRow{false, MsgAnswer::OK, false}, AskRow{false, MsgAnswer::OK, true},
                      AskRow{false, MsgAnswer::Cancel, true}, AskRow{true, MsgAnswer::OK, false},
                      AskRow{true, MsgAnswer::OK, true}, AskRow{true, MsgAnswer::Cancel, true}));

TEST(CloseRequestSim, AFaultDuringTheDrainForClosingEndsTheProgramSilently) {
  for (bool autoStart : {false, true}) {
    SCOPED_TRACE(autoStart ? "AutoStart" : "no AutoStart");
    Closing c(true, false, true);
    c.w.settings().AutoStart = autoStart;
    ASSERT_TRUE(c.w.on());
    c.queueHeldData();
    ASSERT_FALSE(c.w.requestClose());
    ASSERT_EQ(c.w.state(), RelayState::Draining);
    c.w.com1.injectEvent(comm::comEventOverrun);
    c.w.loop.settle();
    EXPECT_TRUE(c.ended());
    EXPECT_EQ(c.w.state(), RelayState::Off);
    EXPECT_TRUE(c.w.op.messages.empty());
    EXPECT_TRUE(c.w.op.dialogs.empty());
    EXPECT_FALSE(c.w.tray.inTray());
    EXPECT_EQ(c.w.com1.opens(), 1);
  }
}

TEST(CloseRequestSim, AFaultWhileTheQuestionIsOpenLeavesAStoppedRelayToClose) {
  for (MsgAnswer answer : {MsgAnswer::OK, MsgAnswer::Cancel}) {
    Closing c(true, true, true);
    ASSERT_TRUE(c.w.on());
    c.w.op.messageScripts.push_back([&](const Message&) {
      c.w.com2.injectEvent(comm::comEventFrame);
      c.w.advance(100);  // the fault message is answered inside
      return answer;
    });
    const bool closed = c.w.requestClose();
    EXPECT_EQ(c.w.op.messages.size(), 2u);
    EXPECT_EQ(c.w.state(), RelayState::Off);
    EXPECT_EQ(closed, answer == MsgAnswer::OK);
    EXPECT_EQ(c.w.com1.misuse() + c.w.com2.misuse(), 0);
    EXPECT_EQ(c.w.com1.opens(), 1);
  }
}

}  // namespace
}  // namespace zelkora::sim
