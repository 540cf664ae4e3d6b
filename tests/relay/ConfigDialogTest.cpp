#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "relay/ConfigDialog.h"
#include "support/OfflineProgram.h"

namespace zelkora {
namespace {

using test::OfflineProgram;

class ConfigDialogTest : public ::testing::Test {
 protected:
  // Opens the dialog from the panel; `act` works on it while it is on screen.
  void open(std::function<void(ConfigDialog&)> act) {
    world.op.dialogScripts.push_back(
        [act = std::move(act)](ModalDialog& d) { act(static_cast<ConfigDialog&>(d)); });
    world->panel.cmdConfig_Click();
  }
  std::vector<std::string> messages() const {
    std::vector<std::string> texts;
    for (const Message& m : world.op.messages) texts.push_back(m.text);
    return texts;
  }
  // Port 2 differs from port 1 in every locked row.
  void unequalPorts() {
    settings.port(1) = {1, 6, 4, 0, 1, true};
    settings.port(2) = {2, 13, 3, 2, 0, false};
    settings.BufSize = 6;
  }

  OfflineProgram world;
  Settings& settings = world->settings;
};

struct LockRow {
  const char* name;
  ConnectionPage::PortPair ConnectionPage::*row;
};
const LockRow kLockedRows[] = {{"speed", &ConnectionPage::cboSpeed},
                               {"bits", &ConnectionPage::cboBits},
                               {"stop", &ConnectionPage::cboStop},
                               {"handshake", &ConnectionPage::cboHandShake},
                               {"dtr", &ConnectionPage::cboTrapDTR}};

TEST_F(ConfigDialogTest, LockCopiesPortOneOnlyOnceOnScreen) {
  unequalPorts();
  const Settings before = settings;
  ConfigDialog dialog(*world);
  dialog.Form_Load();
  ConnectionPage& page = dialog.connectionPage;
  for (const LockRow& r : kLockedRows) {
    EXPECT_FALSE((page.*r.row)[1].enabled) << r.name;
  }
  EXPECT_EQ(page.cboSpeed[1].index, 13) << "loading copies nothing";
  EXPECT_EQ(page.cboBuffer.index, 6) << "loading suggests no buffer";

  dialog.Form_Activate();
  for (const LockRow& r : kLockedRows) {
    EXPECT_EQ((page.*r.row)[1].index, (page.*r.row)[0].index) << r.name;
    EXPECT_FALSE((page.*r.row)[1].enabled) << r.name;
  }
  EXPECT_TRUE(page.cboPort[1].enabled) << "the port number is never locked";
  EXPECT_EQ(page.cboPort[1].index, 2);
  EXPECT_EQ(page.cboBuffer.index, 2) << "the copied speed (9600) suggests its buffer";
  EXPECT_TRUE(messages().empty());

  dialog.cmdCancel_Click();
  EXPECT_EQ(settings, before);
}

TEST_F(ConfigDialogTest, OkStoresTheCopiedPortValues) {
  unequalPorts();
  open([](ConfigDialog& d) { d.cmdOK_Click(); });
  EXPECT_EQ(settings.port(2), (PortSettings{2, 6, 4, 0, 1, true}));
  EXPECT_EQ(settings.BufSize, 2);
}

TEST_F(ConfigDialogTest, EqualPortNumbersWarnOnceOnScreenAndAreAccepted) {
  settings.port(1).Port = settings.port(2).Port = 3;
  open([this](ConfigDialog& d) {
    EXPECT_EQ(messages(), std::vector<std::string>{ConnectionPage::PortConflictWarning});
    EXPECT_EQ(world.op.messages[0].icon, MsgIcon::Exclamation);
    d.connectionPage.cboPort_Click(2, 5);
    d.connectionPage.cboPort_Click(1, 5);
    EXPECT_EQ(messages().size(), 2u) << "a conflict chosen by hand warns again";
    d.cmdOK_Click();
  });
  EXPECT_EQ(settings.port(1).Port, 5);
  EXPECT_EQ(settings.port(2).Port, 5);
}

TEST_F(ConfigDialogTest, UntickingTheLockWarnsAndFreesPortTwo) {
  open([this](ConfigDialog& d) {
    ConnectionPage& page = d.connectionPage;
    page.chkLock_Click(false);
    EXPECT_EQ(messages(), std::vector<std::string>{ConnectionPage::UnlockWarning});
    for (const LockRow& r : kLockedRows) EXPECT_TRUE((page.*r.row)[1].enabled) << r.name;

    page.cboBits_Click(2, 1);
    page.cboSpeed_Click(2, 0);
    EXPECT_EQ(page.cboBits[1].index, 1) << "unlocked values stay as chosen";

    page.chkLock_Click(true);
    EXPECT_EQ(messages().size(), 1u) << "ticking it again is not warned";
    EXPECT_EQ(page.cboBits[1].index, page.cboBits[0].index);
    EXPECT_EQ(page.cboSpeed[1].index, page.cboSpeed[0].index);
    d.cmdCancel_Click();
  });
  EXPECT_TRUE(settings.LockPorts);
}

TEST_F(ConfigDialogTest, SpeedSuggestsTheBufferForTheFasterPort) {
  const int forSpeed[14] = {0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6};
  settings.LockPorts = false;
  settings.port(2).Speed = 0;
  open([&](ConfigDialog& d) {
    ConnectionPage& page = d.connectionPage;
    for (int speed = 0; speed < 14; ++speed) {
      page.cboSpeed_Click(1, speed);
      EXPECT_EQ(page.cboBuffer.index, forSpeed[speed]) << "speed step " << speed;
    }
    page.cboSpeed_Click(1, 0);
    page.cboSpeed_Click(2, 13);
    EXPECT_EQ(page.cboBuffer.index, 6) << "115200 on port 2";
    page.cboSpeed_Click(2, 6);
    page.cboSpeed_Click(1, 0);
    EXPECT_EQ(page.cboBuffer.index, 2) << "110 on port 1 against 9600 on port 2";

    page.cboBuffer_Click(5);
    page.cboBits_Click(1, 2);
    EXPECT_EQ(page.cboBuffer.index, 5) << "the operator's buffer stands until a speed changes";
    page.cboSpeed_Click(1, 3);
    EXPECT_EQ(page.cboBuffer.index, 2);
    d.cmdCancel_Click();
  });
}

TEST_F(ConfigDialogTest, WithTheLockTheLastSuggestionFollowsPortOne) {
  settings.port(1).Speed = settings.port(2).Speed = 13;
  open([](ConfigDialog& d) {
    ConnectionPage& page = d.connectionPage;
    page.cboSpeed_Click(1, 0);
    EXPECT_EQ(page.cboSpeed[1].index, 0);
    EXPECT_EQ(page.cboBuffer.index, 0);
    d.cmdOK_Click();
  });
  EXPECT_EQ(settings.port(2).Speed, 0);
  EXPECT_EQ(settings.BufSize, 0);
}

TEST_F(ConfigDialogTest, EnablingRulesFollowTheirBoxes) {
  settings.CplON = settings.SaveCplON = true;
  settings.AutoRun = false;
  settings.AutoMeON = true;
  settings.AutoClose = false;
  settings.AutoStart = false;
  ConfigDialog dialog(*world);
  dialog.Form_Load();
  InterfacePage& ui = dialog.interfacePage;
  OptionsPage& options = dialog.optionsPage;
  EXPECT_TRUE(ui.chkCplON.checked && ui.chkSaveCplON.checked);
  EXPECT_FALSE(ui.chkCplON.enabled) << "CplON and SaveCplON both ticked lock each other";
  EXPECT_FALSE(ui.chkSaveCplON.enabled);
  EXPECT_FALSE(ui.fraAutorun.enabled || ui.chkAutoMeON.enabled || ui.chkAutoCplON.enabled);
  EXPECT_FALSE(ui.chkAutoCloseEnsure.enabled);
  EXPECT_FALSE(options.cboAutostart.enabled);

  ui.chkAutoRun_Click(true);
  ui.chkAutoClose_Click(true);
  options.chkAutoStart_Click(true);
  EXPECT_TRUE(ui.fraAutorun.enabled && ui.chkAutoMeON.enabled && ui.chkAutoCplON.enabled);
  EXPECT_TRUE(ui.chkAutoCloseEnsure.enabled);
  EXPECT_TRUE(options.cboAutostart.enabled);

  ui.chkAutoRun_Click(false);
  dialog.cmdOK_Click();
  EXPECT_TRUE(settings.AutoMeON) << "a disabled box keeps its tick and is stored";
}

TEST_F(ConfigDialogTest, SwitchingTheSplashOffWarnsEveryTime) {
  settings.LogoType = 2;
  open([this](ConfigDialog& d) {
    d.interfacePage.cboLogo_Click(0);
    d.interfacePage.cboLogo_Click(1);
    d.interfacePage.cboLogo_Click(0);
    EXPECT_EQ(messages(), std::vector<std::string>(2, InterfacePage::SplashOffWarning));
    d.cmdOK_Click();
  });
  EXPECT_EQ(settings.LogoType, 0);

  world.op.messages.clear();
  open([this](ConfigDialog& d) {
    d.interfacePage.cboLogo_Click(1);
    d.interfacePage.cboLogo_Click(0);
    EXPECT_TRUE(messages().empty()) << "the stored setting is off already";
    d.cmdCancel_Click();
  });
}

TEST_F(ConfigDialogTest, EveryWayOfClosingRemembersThePage) {
  const std::vector<std::pair<const char*, std::function<void(ConfigDialog&)>>> closes{
      {"Cancel", [](ConfigDialog& d) { d.cmdCancel_Click(); }},
      {"close box", [](ConfigDialog& d) { d.Form_QueryUnload(); }},
      {"OK", [](ConfigDialog& d) { d.cmdOK_Click(); }}};
  for (const auto& [name, close] : closes) {
    settings.ConfigLastTab = 1;
    settings.UpdateRate = 2;
    open([&, close = close](ConfigDialog& d) {
      EXPECT_EQ(d.sst, 1) << name;
      d.sst_Click(3);
      d.optionsPage.sldUpdateRate_Change(9);
      close(d);
    });
    EXPECT_EQ(settings.ConfigLastTab, 3) << name;
    EXPECT_EQ(settings.UpdateRate, std::string(name) == "OK" ? 9 : 2) << name;
    EXPECT_TRUE(world->TrayReady) << name;
  }
}

TEST_F(ConfigDialogTest, OkAppliesAtOnceAndCancelDoesNot) {
  world->status.RefreshStatus();  // the first paint at start-up
  open([](ConfigDialog& d) {
    d.optionsPage.sldPriority_Change(1);
    d.cmdCancel_Click();
  });
  EXPECT_TRUE(world.process.classes.empty());
  EXPECT_EQ(settings.Priority, 3);

  open([this](ConfigDialog& d) {
    EXPECT_FALSE(world->TrayReady) << "the tray is deaf while the dialog is open";
    d.optionsPage.sldPriority_Change(4);
    d.optionsPage.sldUpdateRate_Change(6);
    EXPECT_EQ(d.optionsPage.lblUpdateRate.caption, "6 Гц");
    d.cmdOK_Click();
  });
  EXPECT_EQ(world.process.classes, std::vector<PriorityClass>{PriorityClass::RealTime});
  EXPECT_EQ(world->tmrBuffers->interval(), 167);
  EXPECT_EQ(world.panel.last.caption, "Zelkora® - ВЫКЛ") << "the state is repainted";
  EXPECT_TRUE(world->TrayReady);
}

TEST_F(ConfigDialogTest, OkWithoutChangesKeepsEveryField) {
  Settings s;
  s.LogoType = 1;
  s.ConfigLastTab = 2;
  s.Priority = 1;
  s.AutoRun = s.MeON = s.AutoMeON = s.AutoCplON = true;
  s.SaveCplON = false;
  s.CplON = true;
  s.SmoothBuf = s.AutoClose = s.FlushingBUF = s.ResetCounters = false;
  s.AutoCloseEnsure = false;
  s.Duplex = 1;
  s.BufSize = 4;
  s.LockPorts = false;
  s.UpdateRate = 10;
  s.AutoStart = true;
  s.AutoStartTime = 12;
  s.port(1) = {15, 13, 0, 1, 0, false};
  s.port(2) = {0, 0, 3, 2, 1, true};
  s.HWUse = true;
  s.HWMode = 2;
  s.HWPortSel = 4;
  s.HWPortOverride = 0x2A8;
  settings = s;
  open([](ConfigDialog& d) { d.cmdOK_Click(); });
  EXPECT_EQ(settings, s);
  EXPECT_TRUE(world.op.messages.empty());
}

TEST_F(ConfigDialogTest, RateLabelFollowsTheSlider) {
  settings.UpdateRate = 2;
  ConfigDialog dialog(*world);
  dialog.Form_Load();
  EXPECT_EQ(dialog.optionsPage.lblUpdateRate.caption, "2 Гц");
  dialog.optionsPage.sldUpdateRate_Change(10);
  EXPECT_EQ(dialog.optionsPage.lblUpdateRate.caption, "10 Гц");
  dialog.optionsPage.sldUpdateRate_Change(11);
  EXPECT_EQ(dialog.optionsPage.sldUpdateRate.value, 10) << "the slider stays in its range";
}

}  // namespace
}  // namespace zelkora
