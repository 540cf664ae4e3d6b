#include <gtest/gtest.h>

#include "support/OfflineProgram.h"

namespace zelkora::test {
namespace {

const char* const kKey = "SOFTWARE\\Devodovazar\\Zelkora";

class StartUpTest : public ::testing::Test {
 protected:
  StartUpTest() {
    // Modal dialogs (the splash) run the virtual clock until they close.
    p.op.defaultDialog = [this](ModalDialog& dialog) {
      p.loop.runUntil([&] { return dialog.closed(); }, 600000);
    };
    p.panel.onUnload = [this] {
      bool cancel = false;
      p->life.Form_QueryUnload(cancel);
      closed = !cancel;
    };
  }
  bool start(const std::string& arguments = "") { return p->life.StartUp(arguments); }
  void store(const char* name, int32_t value) { p.registry.setDword(kKey, name, value); }
  std::vector<std::string> messageTexts() const {
    std::vector<std::string> texts;
    for (const Message& m : p.op.messages) texts.push_back(m.text);
    return texts;
  }

  OfflineProgram p;
  bool closed = false;
};

TEST_F(StartUpTest, SecondInstanceEndsWithoutTouchingAnything) {
  p.instance.otherRunning = true;
  EXPECT_FALSE(start("/a"));
  EXPECT_EQ(p.instance.asked, "Menu for Zelkora");
  EXPECT_TRUE(p.registry.writes().empty());
  EXPECT_FALSE(p.registry.hasKey(kKey));
  EXPECT_TRUE(p.op.messages.empty());
  EXPECT_TRUE(p.op.dialogs.empty());
  EXPECT_FALSE(p.tray.inTray());
  EXPECT_FALSE(p.panel.visible);
}

TEST_F(StartUpTest, FirstStartGreetsAndPaintsTheOffState) {
  ASSERT_TRUE(start());
  EXPECT_EQ(p.op.dialogs, std::vector<ModalDialog::Kind>{ModalDialog::Kind::Splash});
  ASSERT_EQ(p.op.messages.size(), 1u);
  EXPECT_EQ(p.op.messages[0].title, "Первый запуск Zelkora®");
  EXPECT_EQ(p.op.messages[0].icon, MsgIcon::Exclamation);
  EXPECT_EQ(p.op.messages[0].text.rfind("Вы в первый раз запускаете Zelkora® !  Мы рады", 0), 0u);
  EXPECT_TRUE(p.tray.inTray());
  EXPECT_TRUE(p.panel.visible) << "a fresh installation shows the panel";
  EXPECT_EQ(p->frmMain.caption, "Zelkora®  v1.000 Stable");
  EXPECT_EQ(p.tray.tip, "Zelkora®  v1.000 Stable  ( COM2 vs COM3 )");
  EXPECT_EQ(p.tray.icon, 1);
  EXPECT_EQ(p->frmMain.lblParams[0].text, "9600,8N1,H/W");
  EXPECT_EQ(p->run.ConnectionSpeed, 9600);
  EXPECT_EQ(p.process.classes, std::vector<PriorityClass>{PriorityClass::High});
  EXPECT_FALSE(p->run.RelayOn);
  EXPECT_TRUE(p->TrayReady);
}

TEST_F(StartUpTest, SplashByLogoTypeAndKindOfStart) {
  struct Case {
    int logoType;
    const char* arguments;
    bool splash;
  };
  for (const Case& c : {Case{0, "", false}, Case{0, "/a", false}, Case{1, "", true},
                        Case{1, "-A", false}, Case{2, "", true}, Case{2, "a", true},
                        Case{1, "/a /x", true}}) {
    SCOPED_TRACE(testing::Message() << c.logoType << " '" << c.arguments << "'");
    OfflineProgram q;
    q.op.defaultDialog = [&q](ModalDialog& d) { q.loop.runUntil([&] { return d.closed(); }, 10000); };
    q.registry.setDword(kKey, "LogoType", c.logoType);
    q.registry.setDword(kKey, "NonFirstRun", 1);
    const int64_t before = q.loop.nowMs();
    ASSERT_TRUE(q->life.StartUp(c.arguments));
    EXPECT_EQ(q.op.dialogs.size(), c.splash ? 1u : 0u);
    // The splash stays exactly its three seconds.
    EXPECT_EQ(q.loop.nowMs() - before, c.splash ? 3000 : 0);
    EXPECT_TRUE(q->TrayReady);
  }
}

TEST_F(StartUpTest, PanelAndRelayByKindOfStart) {
  struct Case {
    const char* arguments;
    int saveCplON, lastCplON, cplON, autoCplON, meON, autoMeON;
    bool panelShown, relayOn;
  };
  const Case cases[] = {
      {"", 1, 1, 0, 0, 0, 0, true, false},  {"", 1, 0, 1, 1, 0, 0, false, false},
      {"", 0, 1, 0, 1, 0, 1, false, false}, {"", 0, 0, 1, 0, 1, 0, true, true},
      {"/a", 1, 1, 1, 0, 1, 1, false, true}, {"A", 0, 0, 0, 1, 1, 0, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "'" << c.arguments << "' " << c.saveCplON << c.lastCplON
                                    << c.cplON << c.autoCplON << c.meON << c.autoMeON);
    OfflineProgram q;
    for (auto [name, value] :
         {std::pair{"SaveCplON", c.saveCplON}, {"LastCplON", c.lastCplON}, {"CplON", c.cplON},
          {"AutoCplON", c.autoCplON}, {"MeON", c.meON}, {"AutoMeON", c.autoMeON},
          {"LogoType", 0}, {"NonFirstRun", 1}}) {
      q.registry.setDword(kKey, name, value);
    }
    ASSERT_TRUE(q->life.StartUp(c.arguments));
    EXPECT_EQ(q.panel.visible, c.panelShown);
    EXPECT_EQ(q->run.RelayOn, c.relayOn);
    EXPECT_EQ(q->run.AutoStartSwitch, std::string(c.arguments) != "");
  }
}

TEST_F(StartUpTest, WithoutANotificationAreaThePanelStaysReachable) {
  p.tray.hasArea = false;
  store("SaveCplON", 0);
  store("CplON", 0);
  store("NonFirstRun", 1);
  ASSERT_TRUE(start());
  EXPECT_TRUE(p.panel.visible);
  p->panel.cmdHide_Click();
  EXPECT_TRUE(p.panel.visible) << "hiding would leave no way back";
  EXPECT_FALSE(p.panel.normal) << "minimised instead";
}

TEST_F(StartUpTest, NoDirectPortAccessMeansNoAdapter) {
  p.system.portAccess = false;
  store("HWUse", 1);
  store("NonFirstRun", 1);
  ASSERT_TRUE(start());
  EXPECT_TRUE(p->run.IsNT);
  EXPECT_FALSE(p->settings.HWUse);
}

TEST_F(StartUpTest, StoredPositionIsCorrectedWhenOffTheScreen) {
  store("PosMainX", 1920 * 15 + 1);
  store("PosMainY", -51);
  store("NonFirstRun", 1);
  ASSERT_TRUE(start());
  EXPECT_EQ(p.panel.where.x, 0);
  EXPECT_EQ(p.panel.where.y, 0);
  OfflineProgram q;
  q.registry.setDword(kKey, "PosMainX", -400);
  q.registry.setDword(kKey, "PosMainY", -50);
  q.registry.setDword(kKey, "NonFirstRun", 1);
  ASSERT_TRUE(q->life.StartUp(""));
  EXPECT_EQ(q.panel.where.x, -400);
  EXPECT_EQ(q.panel.where.y, -50);
}

TEST_F(StartUpTest, CloseWithTheRelayOffSavesAndCloses) {
  store("NonFirstRun", 0);
  ASSERT_TRUE(start());
  p.panel.where = {3000, 4500};
  p.panel.unload();
  EXPECT_TRUE(closed);
  EXPECT_TRUE(p->run.Closing);
  EXPECT_FALSE(p.tray.inTray());
  EXPECT_EQ(p.registry.dword(kKey, "NonFirstRun"), 1);
  EXPECT_EQ(p.registry.dword(kKey, "PosMainX"), 3000);
  EXPECT_EQ(p.registry.dword(kKey, "PosMainY"), 4500);
  EXPECT_EQ(p.registry.dword(kKey, "LastCplON"), 1);
}

TEST_F(StartUpTest, TerminationSwitchesTheRelayOffAndSaves) {
  store("NonFirstRun", 1);
  store("MeON", 1);
  store("AutoCloseEnsure", 1);
  store("FlushingBUF", 1);
  ASSERT_TRUE(start());
  ASSERT_TRUE(p->run.RelayOn);
  try {
    p->life.Terminate();
    FAIL() << "the program went on";
  } catch (const ProcessExit& exit) {
    EXPECT_EQ(exit.status, 0);
  }
  EXPECT_FALSE(p->run.RelayOn) << "off at once, no drain";
  EXPECT_FALSE(p.com1.isOpen);
  EXPECT_FALSE(p.com2.isOpen);
  EXPECT_TRUE(p.op.messages.empty()) << "no question";
  EXPECT_EQ(p.registry.dword(kKey, "NonFirstRun"), 1);
  EXPECT_FALSE(p.tray.inTray());
}

TEST_F(StartUpTest, TerminationAfterARegistryFailureEndsAsAFailure) {
  p.registry.failAlways(MemoryRegistry::Call::Create);
  // While the operator reads "Нет доступа к Реестру!", a termination arrives.
  p.op.messageScripts.push_back([this](const Message&) -> MsgAnswer {
    p->life.Terminate();
    return MsgAnswer::OK;
  });
  try {
    start();
    FAIL() << "the program went on";
  } catch (const ProcessExit& exit) {
    EXPECT_EQ(exit.status, 1);
  }
  EXPECT_TRUE(p.registry.writes().empty());
}

}  // namespace
}  // namespace zelkora::test
