// Fatal and harmless port errors in the simulated world: the relay stops at once and says
// which port failed and why, or counts down and switches itself on again.

#include <gtest/gtest.h>

#include "relay/AutoStartDialog.h"
#include "sim/support/World.h"

namespace zelkora::sim {
namespace {

struct Fatal {
  int code;
  const char* message;
};
const Fatal kFatal[] = {
    {comm::comEventFrame, "Произошла ошибка синхронизации !"},
    {comm::comEventOverrun, "Произошла перегрузка порта !"},
    {comm::comEventRxOver, "Произошло переполнение буфера приема !"},
    {comm::comEventTxFull, "Произошло переполнение буфера передачи !"},
    {comm::comEventDCB, "Ошибка при обмене DCB-блоками !"},
};

// A running relay between COM3 (port 1) and COM4 (port 2), data on its way both ways.
struct Running {
  explicit Running(bool autoStart, int autoStartTime = 3) {
    w.settings().port(1).Port = 2;
    w.settings().port(2).Port = 3;
    w.settings().AutoStart = autoStart;
    w.settings().AutoStartTime = static_cast<uint8_t>(autoStartTime);
    EXPECT_TRUE(w.start());
    EXPECT_TRUE(w.on());
    w.modem.send(World::pattern(500, 1));
    w.terminal.send(World::pattern(500, 2));
    w.advance(200);
  }
  std::string titleOf(int n) const {
    return std::string("Фатальная ошибка порта ") + (n == 1 ? "COM3" : "COM4") +
           " ! Связь прервана!";
  }
  // Data still passes both ways.
  void expectRelaying() {
    w.advance(1000);  // what was on its way has arrived
    ASSERT_EQ(w.modem.waiting() + w.terminal.waiting(), 0u);
    const size_t down = w.terminal.receivedBytes.size();
    const size_t up = w.modem.receivedBytes.size();
    w.modem.send(World::pattern(100, 3));
    w.terminal.send(World::pattern(100, 4));
    w.advance(1000);
    EXPECT_EQ(w.terminal.receivedBytes.size(), down + 100);
    EXPECT_EQ(w.modem.receivedBytes.size(), up + 100);
  }
  World w;
};

TEST(PortFaultsSim, AFatalErrorWithoutAutoStartStopsTheRelayAndReportsThePort) {
  for (int n = 1; n <= 2; ++n) {
    for (const Fatal& fatal : kFatal) {
      SCOPED_TRACE("port " + std::to_string(n) + " code " + std::to_string(fatal.code));
      Running r(false);
      bool closedWhileShown = false;
      r.w.op.messageScripts.push_back([&](const Message&) {
        closedWhileShown = !r.w.com1.PortOpen() && !r.w.com2.PortOpen() && !r.w.run().FaultLatch;
        return MsgAnswer::OK;
      });
      r.w.port(n).injectEvent(fatal.code);
      r.w.loop.settle();
      ASSERT_EQ(r.w.op.messages.size(), 1u);
      const Message& m = r.w.op.messages[0];
      EXPECT_EQ(m.title, r.titleOf(n));
      EXPECT_EQ(m.text, fatal.message);
      EXPECT_EQ(m.icon, MsgIcon::Critical);
      EXPECT_EQ(m.buttons, MsgButtons::OK);
      EXPECT_TRUE(closedWhileShown);
      EXPECT_EQ(r.w.run().LastFault, r.titleOf(n) + "\r" + fatal.message);
      r.w.advance(120000);
      EXPECT_EQ(r.w.state(), RelayState::Off);
      EXPECT_TRUE(r.w.model().cmdON);
      EXPECT_EQ(r.w.com1.opens(), 1);
      EXPECT_TRUE(r.w.op.dialogs.empty());
    }
  }
}

TEST(PortFaultsSim, WithAutoStartTheDialogCountsDownFifteenSecondsAndRestarts) {
  int n = 1;
  for (const Fatal& fatal : kFatal) {
    SCOPED_TRACE("code " + std::to_string(fatal.code));
    Running r(true);
    const int64_t faultAt = r.w.loop.nowMs();
    r.w.op.dialogScripts.push_back([&](ModalDialog& dialog) {
      auto& d = dynamic_cast<AutoStartDialog&>(dialog);
      EXPECT_EQ(d.lblLastError, r.titleOf(n) + "\r" + fatal.message);
      EXPECT_EQ(d.lblTime, "15 секунд\rдо Автоперезапуска");
      EXPECT_FLOAT_EQ(d.proTime, 0);
      EXPECT_FALSE(r.w.com1.PortOpen());
      EXPECT_FALSE(r.w.program.tmrBuffers->enabled());
      for (int second = 1; second <= 14; ++second) {
        r.w.advance(1000);
        char digits[3];
        std::snprintf(digits, sizeof digits, "%02d", 15 - second);
        EXPECT_EQ(d.lblTime, std::string(digits) + " секунд\rдо Автоперезапуска");
        EXPECT_FLOAT_EQ(d.proTime, static_cast<float>(second) / 15.0f * 100.0f);
        EXPECT_FALSE(d.closed());
      }
      r.w.advance(1000);
      EXPECT_TRUE(d.closed());
      EXPECT_FLOAT_EQ(d.proTime, 100);
      EXPECT_EQ(d.lblTime, "Автоперезапуск !");
      EXPECT_EQ(r.w.state(), RelayState::Off);  // switched on once the dialog is gone
    });
    r.w.port(n).injectEvent(fatal.code);
    r.w.loop.settle();
    EXPECT_EQ(r.w.loop.nowMs() - faultAt, 15000);
    EXPECT_EQ(r.w.op.dialogs, std::vector<ModalDialog::Kind>{ModalDialog::Kind::AutoStart});
    EXPECT_TRUE(r.w.op.messages.empty());
    EXPECT_EQ(r.w.state(), RelayState::On);
    EXPECT_EQ(r.w.com1.opens(), 2);
    EXPECT_EQ(r.w.com2.opens(), 2);
    r.expectRelaying();
    n = 3 - n;
  }
}

TEST(PortFaultsSim, TheCountdownLastsFiveSecondsPerStep) {
  struct Row {
    int autoStartTime;
    const char* first;
    int64_t ms;
  } rows[] = {{1, "05", 5000}, {12, "60", 60000}};
  for (const Row& row : rows) {
    Running r(true, row.autoStartTime);
    std::string first;
    r.w.op.dialogScripts.push_back([&](ModalDialog& dialog) {
      first = dynamic_cast<AutoStartDialog&>(dialog).lblTime.substr(0, 2);
      r.w.op.defaultDialog(dialog);
    });
    const int64_t faultAt = r.w.loop.nowMs();
    r.w.com2.injectEvent(comm::comEventFrame);
    r.w.loop.settle();
    EXPECT_EQ(first, row.first);
    EXPECT_EQ(r.w.loop.nowMs() - faultAt, row.ms);
    EXPECT_EQ(r.w.state(), RelayState::On);
  }
}

TEST(PortFaultsSim, StopCancelsTheRestartAndStartRestartsAtOnce) {
  {
    Running r(true);
    r.w.op.dialogScripts.push_back([&](ModalDialog& dialog) {
      r.w.advance(5000);
      dynamic_cast<AutoStartDialog&>(dialog).cmdSTOP_Click();
    });
    r.w.com1.injectEvent(comm::comEventOverrun);
    r.w.loop.settle();
    EXPECT_EQ(r.w.state(), RelayState::Off);
    EXPECT_TRUE(r.w.model().cmdON);
    EXPECT_EQ(r.w.model().lblON.text, "Zelkora");
    r.w.advance(60000);
    EXPECT_EQ(r.w.state(), RelayState::Off);
    EXPECT_TRUE(r.w.op.messages.empty());
  }
  {
    Running r(true);
    const int64_t faultAt = r.w.loop.nowMs();
    r.w.op.dialogScripts.push_back([&](ModalDialog& dialog) {
      r.w.advance(2000);
      dynamic_cast<AutoStartDialog&>(dialog).cmdSTART_Click();
    });
    r.w.com1.injectEvent(comm::comEventOverrun);
    r.w.loop.settle();
    EXPECT_EQ(r.w.loop.nowMs() - faultAt, 2000);
    EXPECT_EQ(r.w.state(), RelayState::On);
    r.expectRelaying();
  }
  {
    // Closed in another way (the system's close keystroke): no restart.
    Running r(true);
    r.w.op.dialogScripts.push_back([&](ModalDialog& dialog) {
      r.w.advance(3000);
      dialog.Form_QueryUnload();
    });
    r.w.com1.injectEvent(comm::comEventOverrun);
    r.w.loop.settle();
    r.w.advance(60000);
    EXPECT_EQ(r.w.state(), RelayState::Off);
  }
}

TEST(PortFaultsSim, HarmlessErrorsLeaveTheRelayRunning) {
  for (int code : {comm::comEventBreak, comm::comEventCTSTO, comm::comEventDSRTO,
                   comm::comEventCDTO, comm::comEventRxParity, 1234}) {
    SCOPED_TRACE(code);
    for (int n = 1; n <= 2; ++n) {
      Running r(false);
      r.w.port(n).injectEvent(code);
      r.w.loop.settle();
      EXPECT_EQ(r.w.state(), RelayState::On);
      EXPECT_FALSE(r.w.run().InEvent);
      EXPECT_TRUE(r.w.op.messages.empty());
      r.expectRelaying();
    }
  }
}

TEST(PortFaultsSim, OnlyTheFirstOfTwoFaultsIsHandled) {
  for (bool autoStart : {false, true}) {
    Running r(autoStart);
    r.w.com1.injectEvent(comm::comEventFrame);
    r.w.com2.injectEvent(comm::comEventOverrun);
    r.w.loop.settle();
    if (autoStart) {
      EXPECT_EQ(r.w.op.dialogs.size(), 1u);
      EXPECT_EQ(r.w.state(), RelayState::On);
      EXPECT_EQ(r.w.com2.opens(), 2);
    } else {
      ASSERT_EQ(r.w.op.messages.size(), 1u);
      EXPECT_EQ(r.w.op.messages[0].title, r.titleOf(1));
      EXPECT_EQ(r.w.state(), RelayState::Off);
    }
  }
}

TEST(PortFaultsSim, EveryFaultAfterARestartCountsDownAgain) {
  Running r(true);
  for (int round = 1; round <= 3; ++round) {
    r.w.port(round % 2 + 1).injectEvent(comm::comEventDCB);
    r.w.loop.settle();
    EXPECT_EQ(r.w.op.dialogs.size(), static_cast<size_t>(round));
    EXPECT_EQ(r.w.state(), RelayState::On);
    r.w.advance(10000);
  }
  r.expectRelaying();
}

TEST(PortFaultsSim, RealLineFaultsAreReportedToo) {
  {
    // A modem at another speed: framing errors on port 1.
    Running r(false);
    r.w.modem.setFormat({2400, 8, 1});
    r.w.modem.send({1, 2, 3});
    r.w.advance(100);
    ASSERT_EQ(r.w.op.messages.size(), 1u);
    EXPECT_EQ(r.w.op.messages[0].title, r.titleOf(1));
    EXPECT_EQ(r.w.op.messages[0].text, "Произошла ошибка синхронизации !");
  }
  {
    // Port 2's device goes away: the restart cannot open it, the operator cancels, and no
    // further attempt is made.
    Running r(true);
    r.w.op.messageScripts.push_back([](const Message&) { return MsgAnswer::Cancel; });
    r.w.com2.vanish();
    r.w.loop.settle();
    ASSERT_EQ(r.w.op.messages.size(), 1u);
    EXPECT_EQ(r.w.op.messages[0].title, "Ошибка при открытии порта COM4");
    EXPECT_EQ(r.w.op.messages[0].text,
              "Не удается открыть порт  COM4 !!  Проверьте его параметры !");
    EXPECT_EQ(r.w.state(), RelayState::Off);
    EXPECT_FALSE(r.w.com1.PortOpen());
    r.w.advance(120000);
    EXPECT_EQ(r.w.op.dialogs.size(), 1u);
  }
}

TEST(PortFaultsSim, AFaultStopsAPausedOrDrainingRelayAtOnce) {
  for (bool draining : {false, true}) {
    for (bool autoStart : {false, true}) {
      SCOPED_TRACE(std::string(draining ? "draining" : "paused") +
                   (autoStart ? ", AutoStart" : ""));
      Running r(autoStart);
      r.w.terminal.setReady(false);
      r.w.advance(1000);
      if (draining) {
        ASSERT_TRUE(r.w.click(World::Button::OFF));
      } else {
        ASSERT_TRUE(r.w.click(World::Button::Pause));
      }
      ASSERT_GT(r.w.com2.OutBufferCount(), 0);
      r.w.com1.injectEvent(comm::comEventFrame);
      r.w.loop.settle();
      EXPECT_EQ(r.w.com2.opens(), autoStart ? 2 : 1);
      EXPECT_EQ(r.w.state(), autoStart ? RelayState::On : RelayState::Off);
      EXPECT_FALSE(r.w.program.tmrFLUSH->enabled());
      EXPECT_FALSE(r.w.com2.breakHeld());
    }
  }
}

TEST(PortFaultsSim, TrayCommandsDuringTheCountdown) {
  {
    // Switched on by hand: the restart at the end finds the relay on and leaves it alone.
    Running r(true);
    r.w.op.dialogScripts.push_back([&](ModalDialog& dialog) {
      r.w.advance(3000);
      r.w.program.tray.Tray_DblClick(1);
      EXPECT_EQ(r.w.state(), RelayState::On);
      r.w.op.defaultDialog(dialog);
    });
    r.w.com1.injectEvent(comm::comEventOverrun);
    r.w.loop.settle();
    EXPECT_EQ(r.w.state(), RelayState::On);
    EXPECT_EQ(r.w.com1.opens(), 2);
    r.expectRelaying();
  }
  {
    // Closed through the tray: the program ends and is not switched on again.
    Running r(true);
    r.w.op.dialogScripts.push_back([&](ModalDialog& dialog) {
      r.w.advance(3000);
      r.w.tray.chooseNext = TrayMenuItem::mnuTrayClose;
      r.w.program.tray.Tray_MouseDown(2);
      EXPECT_TRUE(r.w.windowClosed());
      dynamic_cast<AutoStartDialog&>(dialog).cmdSTART_Click();
    });
    r.w.com1.injectEvent(comm::comEventOverrun);
    r.w.loop.settle();
    EXPECT_TRUE(r.w.program.life.shutDownDone());
    EXPECT_EQ(r.w.state(), RelayState::Off);
    EXPECT_EQ(r.w.com1.opens(), 1);
    EXPECT_FALSE(r.w.com1.PortOpen());
  }
}

// Port 2 cannot be opened; while its Retry/Cancel box is up, port 1 (already open) fails.
class FaultInsideTheOpenErrorBox : public ::testing::TestWithParam<MsgAnswer> {};

TEST_P(FaultInsideTheOpenErrorBox, WithoutAutoStartTheOnCommandGivesUp) {
  World w;
  w.com2.unavailable = {3};
  ASSERT_TRUE(w.start());
  w.op.messageScripts.push_back([&](const Message& m) {
    EXPECT_EQ(m.title, "Ошибка при открытии порта COM3");
    w.com1.injectEvent(comm::comEventDCB);
    w.advance(1000);  // the fault is handled while the box is up
    EXPECT_FALSE(w.com1.PortOpen());
    return GetParam();
  });
  w.program.relay.cmdON_Click();
  ASSERT_EQ(w.op.messages.size(), 2u);
  EXPECT_EQ(w.op.messages[1].title, "Фатальная ошибка порта COM2 ! Связь прервана!");
  EXPECT_EQ(w.state(), RelayState::Off);
  EXPECT_FALSE(w.com1.PortOpen());
  EXPECT_EQ(w.com1.opens(), 1);
  EXPECT_EQ(w.com1.misuse() + w.com2.misuse(), 0);
  EXPECT_TRUE(w.panel.isEnabled());
  EXPECT_TRUE(w.model().cmdON);
}

TEST_P(FaultInsideTheOpenErrorBox, AnAutomaticRestartInsideTheBoxIsLeftAlone) {
  World w;
  w.settings().AutoStart = true;
  w.com2.unavailable = {3};
  ASSERT_TRUE(w.start());
  w.op.messageScripts.push_back([&](const Message&) {
    w.com1.injectEvent(comm::comEventDCB);
    w.com2.unavailable.clear();  // the device is free by the time of the restart
    w.advance(20000);
    EXPECT_EQ(w.state(), RelayState::On);
    return GetParam();
  });
  w.program.relay.cmdON_Click();
  EXPECT_EQ(w.op.messages.size(), 1u);
  EXPECT_EQ(w.op.dialogs.size(), 1u);
  EXPECT_EQ(w.state(), RelayState::On);
  EXPECT_EQ(w.com1.opens(), 2);
  EXPECT_EQ(w.com2.opens(), 1);
  EXPECT_FALSE(w.com1.breakHeld());
  EXPECT_FALSE(w.com2.breakHeld());
  EXPECT_EQ(w.com1.misuse() + w.com2.misuse(), 0);
  EXPECT_TRUE(w.panel.isEnabled());
  w.modem.send(World::pattern(100, 5));
  w.terminal.send(World::pattern(100, 6));
  w.advance(1000);
  EXPECT_EQ(w.terminal.receivedBytes, World::pattern(100, 5));
  EXPECT_EQ(w.modem.receivedBytes, World::pattern(100, 6));
}

INSTANTIATE_TEST_SUITE_P(Answers, FaultInsideTheOpenErrorBox,
                         ::testing::Values(MsgAnswer::Retry, MsgAnswer::Cancel));

}  // namespace
}  // namespace zelkora::sim
