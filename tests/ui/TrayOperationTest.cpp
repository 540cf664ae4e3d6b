// The relay operated as the operator does it: the tray icon, its menu and the panel's
// buttons, with the panel, the tray tip and the menu marks following every change.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

#include "UiWorld.h"

namespace zelkora::test {
namespace {

// The marks of the menu as it is up on screen.
struct Marks {
  bool on, pause, pauseEnabled, off, panel, config, help, about, close;
  bool operator==(const Marks&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Marks& m) {
  return out << "on " << m.on << " pause " << m.pause << "/" << m.pauseEnabled << " off " << m.off
             << " panel " << m.panel << " config " << m.config << " help " << m.help << " about "
             << m.about << " close " << m.close;
}

Marks marksOf(frmMainMenu& menu) {
  auto checked = [&](TrayMenuItem i) { return menu.action(i)->isChecked(); };
  auto enabled = [&](TrayMenuItem i) { return menu.action(i)->isEnabled(); };
  return {checked(TrayMenuItem::mnuTrayON),           checked(TrayMenuItem::mnuTrayPause),
          enabled(TrayMenuItem::mnuTrayPause),        checked(TrayMenuItem::mnuTrayOFF),
          checked(TrayMenuItem::mnuTrayControlPanel), enabled(TrayMenuItem::mnuTrayConfig),
          enabled(TrayMenuItem::mnuTrayHelp),         enabled(TrayMenuItem::mnuTrayAbout),
          enabled(TrayMenuItem::mnuTrayClose)};
}

class TrayOperation : public ::testing::Test {
 protected:
  void SetUp() override {
    world.settings().SaveCplON = false;
    world.settings().CplON = false;  // the program lives in the tray
    ASSERT_TRUE(world.start());
    ASSERT_FALSE(world.panelWindow().isVisible());
  }
  // Opens the menu, reads its marks, takes `choice`.
  Marks menu(TrayMenuItem choice = TrayMenuItem::None) {
    Marks seen{};
    EXPECT_TRUE(world.rightClickTray([&](QMenu&) { seen = marksOf(world.trayMenu()); }, choice));
    return seen;
  }
  std::string tip() { return world.trayIcon().toolTip().toStdString(); }
  std::string caption() { return world.painted().windowTitle().toStdString(); }

  UiWorld world;
};

TEST_F(TrayOperation, MenuMarksInEachState) {
  //                            on    pause  p.en   off    panel  config help   about  close
  EXPECT_EQ(menu(), (Marks{false, false, false, true, false, true, true, true, true}));
  world.doubleClickTray();
  ASSERT_EQ(world.state(), RelayState::On);
  EXPECT_EQ(menu(), (Marks{true, false, true, false, false, false, true, true, true}));
  menu(TrayMenuItem::mnuTrayPause);
  ASSERT_EQ(world.state(), RelayState::Paused);
  EXPECT_EQ(menu(), (Marks{false, true, true, false, false, false, true, true, true}));
  menu(TrayMenuItem::mnuTrayON);  // resumes
  ASSERT_EQ(world.state(), RelayState::On);
  menu(TrayMenuItem::mnuTrayOFF);  // a drain
  ASSERT_EQ(world.state(), RelayState::Draining);
  EXPECT_EQ(menu(), (Marks{true, false, false, false, false, false, false, false, true}));
  world.settings().AutoClose = false;
  EXPECT_FALSE(menu().close);
}

TEST_F(TrayOperation, OnPauseDrainAndStopFromTrayMenuAndPanel) {
  world.doubleClickTray();
  EXPECT_EQ(world.state(), RelayState::On);
  EXPECT_EQ(tip(), "Zelkora® - В К Л  ( COM2 vs COM3  at 9600 )");
  EXPECT_EQ(world.trayIcon().shownIcon(), 2);

  menu(TrayMenuItem::mnuTrayPause);
  EXPECT_EQ(world.state(), RelayState::Paused);
  EXPECT_EQ(tip(), "Zelkora® - В К Л  [Пауза]  ( COM2 vs COM3  at Пауза )");
  menu(TrayMenuItem::mnuTrayPause);  // "Пауза" does not resume
  EXPECT_EQ(world.state(), RelayState::Paused);
  world.doubleClickTray();  // resumes
  EXPECT_EQ(world.state(), RelayState::On);

  menu(TrayMenuItem::mnuTrayControlPanel);
  ASSERT_TRUE(world.panelWindow().isVisible());
  EXPECT_TRUE(menu().panel);
  EXPECT_EQ(caption(), "Zelkora® - В К Л");
  ASSERT_TRUE(world.press("cmdPause"));
  EXPECT_EQ(world.state(), RelayState::Paused);
  EXPECT_FALSE(menu().on);
  ASSERT_TRUE(world.press("cmdPause"));
  ASSERT_TRUE(world.press("cmdOFF"));
  EXPECT_EQ(world.state(), RelayState::Draining);
  EXPECT_EQ(world.trayIcon().shownIcon(), 4);
  EXPECT_EQ(caption(), "Zelkora® - В К Л  [Слив]");
  world.doubleClickTray();  // stops the drain at once
  EXPECT_EQ(world.state(), RelayState::Off);
  EXPECT_EQ(caption(), "Zelkora® - ВЫКЛ");
  EXPECT_EQ(tip(), "Zelkora® - ВЫКЛ  ( COM2 vs COM3 )");

  menu(TrayMenuItem::mnuTrayON);
  EXPECT_EQ(world.state(), RelayState::On);
  menu(TrayMenuItem::mnuTrayOFF);
  EXPECT_EQ(world.state(), RelayState::Draining);
  world.advance(100);  // nothing left in the buffers: the drain ends by itself
  EXPECT_EQ(world.state(), RelayState::Off);
  EXPECT_EQ(world.trayIcon().shownIcon(), 1);
  EXPECT_TRUE(menu().off);

  menu(TrayMenuItem::mnuTrayControlPanel);  // hides the panel again
  EXPECT_FALSE(world.panelWindow().isVisible());
}

TEST_F(TrayOperation, OnlyLeftDoubleClickAndRightPressAct) {
  cSysTray& tray = world.trayIcon();
  tray.activated(QSystemTrayIcon::Trigger);  // a left press alone
  tray.activated(QSystemTrayIcon::MiddleClick);
  EXPECT_EQ(world.state(), RelayState::Off);
  // An icon in an X tray: the press, then the double-click in place of the second press.
  tray.activated(QSystemTrayIcon::DoubleClick);
  EXPECT_EQ(world.state(), RelayState::On);
  tray.activated(QSystemTrayIcon::Trigger);  // a third click is a press again
  EXPECT_EQ(world.state(), RelayState::On);
}

TEST_F(TrayOperation, TwoQuickActivationsOfAnIconHostedOverDBusAreADoubleClick) {
  cSysTray& tray = world.trayIcon();
  tray.activated(QSystemTrayIcon::Trigger);
  tray.activated(QSystemTrayIcon::Trigger);
  EXPECT_EQ(world.state(), RelayState::On);
}

TEST_F(TrayOperation, SettingsAndAboutFromTheMenuChangeWhatTheRelayDoes) {
  // The settings: no drain when switching off.
  world.onDialog([](ModalDialog&, DialogWindow& window) {
    window.findChild<QCheckBox*>("chkFlushingBUF")->click();
    window.findChild<QPushButton*>("cmdOK")->click();
  });
  menu(TrayMenuItem::mnuTrayConfig);
  ASSERT_EQ(world.op.dialogs.back(), ModalDialog::Kind::Config);
  EXPECT_FALSE(world.settings().FlushingBUF);

  world.doubleClickTray();
  ASSERT_EQ(world.state(), RelayState::On);
  RelayState whileAbout = RelayState::Off;
  world.onDialog([&](ModalDialog&, DialogWindow& window) {
    whileAbout = world.state();
    EXPECT_EQ(world.trayIcon().shownIcon(), 3);
    window.findChild<QPushButton*>("cmdOK")->click();
  });
  menu(TrayMenuItem::mnuTrayAbout);
  EXPECT_EQ(whileAbout, RelayState::Paused);
  EXPECT_EQ(world.state(), RelayState::On);
  menu(TrayMenuItem::mnuTrayOFF);  // stops at once now
  EXPECT_EQ(world.state(), RelayState::Off);
  EXPECT_EQ(tip(), "Zelkora® - ВЫКЛ  ( COM2 vs COM3 )");
}

TEST_F(TrayOperation, CloseFromTheMenuEndsTheProgram) {
  menu(TrayMenuItem::mnuTrayClose);
  EXPECT_TRUE(world.program.life.shutDownDone());
  EXPECT_FALSE(world.trayIcon().inTray());
}

TEST(TrayMenuItems, CaptionsInOrderWithTheirSeparatorsAndTheDefaultInBold) {
  frmMainMenu menu;
  std::vector<std::string> captions;
  for (QAction* a : menu.menu().actions()) {
    captions.push_back(a->isSeparator() ? "-" : a->text().toStdString());
  }
  EXPECT_EQ(captions, (std::vector<std::string>{"В К Л", "Пауза", "ВЫКЛ", "-", "Панель Упр.", "-",
                                                "Настройки", "-", "Помощь...", "О Программе", "-",
                                                "Закрыть"}));
  QAction* close = menu.action(TrayMenuItem::mnuTrayClose);
  EXPECT_EQ(menu.menu().defaultAction(), close);
  EXPECT_TRUE(close->font().bold());
  for (TrayMenuItem unmarked : {TrayMenuItem::mnuTrayConfig, TrayMenuItem::mnuTrayHelp,
                                TrayMenuItem::mnuTrayAbout, TrayMenuItem::mnuTrayClose}) {
    EXPECT_FALSE(menu.action(unmarked)->isCheckable());
  }
}

}  // namespace
}  // namespace zelkora::test
