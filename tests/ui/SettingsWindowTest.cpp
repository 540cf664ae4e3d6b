// The settings window as the operator uses it: the edge cases of the dialog as rendered,
// every input reaching the dialog's logic, OK applying to the running program.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextEdit>

#include "UiWorld.h"
#include "relay/ConnectionPage.h"
#include "relay/InterfacePage.h"
#include "ui/frmConfig.h"

namespace zelkora::test {
namespace {

class SettingsWindow : public ::testing::Test {
 protected:
  void start() {
    world.settings().SaveCplON = false;
    world.settings().CplON = true;
    ASSERT_TRUE(world.start());
  }
  // Opens the settings from the panel; `act` runs with the window on screen.
  void open(std::function<void(frmConfig&)> act) {
    world.onDialog([act = std::move(act)](ModalDialog&, DialogWindow& window) {
      act(static_cast<frmConfig&>(window));
    });
    ASSERT_TRUE(world.press("cmdConfig"));
  }
  template <class W>
  static W& find(frmConfig& w, const char* name) {
    auto* widget = w.findChild<W*>(name);
    if (widget == nullptr) throw std::runtime_error(std::string("no control ") + name);
    return *widget;
  }
  static void choose(QComboBox& box, int index) { emit box.activated(index); }
  static void click(QPushButton& b) { b.click(); }
  std::vector<std::string> messageTexts() const {
    std::vector<std::string> texts;
    for (const Message& m : world.op.messages) texts.push_back(m.text);
    return texts;
  }

  UiWorld world;
};

TEST_F(SettingsWindow, FourPagesInOrderOnTheLastPageShown) {
  world.settings().ConfigLastTab = 2;
  start();
  open([&](frmConfig& w) {
    EXPECT_EQ(w.windowTitle().toStdString(), "Zelkora® - Настройки");
    QTabWidget& tabs = w.tabs();
    ASSERT_EQ(tabs.count(), 4);
    const char* captions[] = {"Соединение", "Трансляция", "Установки", "Интерфейс"};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(tabs.tabText(i).toStdString(), captions[i]);
    EXPECT_EQ(tabs.currentIndex(), 2);
    EXPECT_EQ(find<QPushButton>(w, "cmdOK").text().toStdString(), "OK");
    EXPECT_EQ(find<QPushButton>(w, "cmdCancel").text().toStdString(), "Отмена");
    EXPECT_FALSE(w.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(w.windowFlags() & Qt::WindowMaximizeButtonHint);
    tabs.setCurrentIndex(1);  // the operator picks another page, then cancels
    click(find<QPushButton>(w, "cmdCancel"));
  });
  EXPECT_EQ(world.settings().ConfigLastTab, 1);
}

TEST_F(SettingsWindow, LockedPortsTakePort1sValuesOnScreenAndOkStoresThem) {
  world.settings().LockPorts = true;
  world.settings().port(2).Speed = 2;  // 600, port 1 at 9600
  world.settings().BufSize = 0;
  start();
  const Settings before = world.settings();
  open([&](frmConfig& w) {
    QComboBox& speed2 = find<QComboBox>(w, "cboSpeed2");
    EXPECT_EQ(speed2.currentText().toStdString(), "9600 (стд.)");
    for (const char* locked :
         {"cboSpeed2", "cboBits2", "cboStop2", "cboHandShake2", "cboTrapDTR2"}) {
      EXPECT_FALSE(find<QComboBox>(w, locked).isEnabled()) << locked;
    }
    EXPECT_TRUE(find<QComboBox>(w, "cboPort2").isEnabled());
    EXPECT_EQ(find<QComboBox>(w, "cboBuffer").currentIndex(), 2);
    click(find<QPushButton>(w, "cmdCancel"));
  });
  EXPECT_EQ(world.settings(), before);
  open([&](frmConfig& w) { click(find<QPushButton>(w, "cmdOK")); });
  EXPECT_EQ(world.settings().port(2).Speed, 6);
  EXPECT_EQ(world.settings().BufSize, 2);
}

TEST_F(SettingsWindow, UnlockWarnsEnablesPort2AndSpeedsSuggestBuffers) {
  start();
  open([&](frmConfig& w) {
    QCheckBox& lock = find<QCheckBox>(w, "chkLock");
    ASSERT_TRUE(lock.isChecked());
    lock.click();
    EXPECT_EQ(messageTexts().back(), ConnectionPage::UnlockWarning);
    EXPECT_TRUE(find<QComboBox>(w, "cboSpeed2").isEnabled());
    choose(find<QComboBox>(w, "cboSpeed1"), 0);  // 110, port 2 at 9600
    EXPECT_EQ(find<QComboBox>(w, "cboBuffer").currentIndex(), 2);
    choose(find<QComboBox>(w, "cboSpeed2"), 13);  // 115200
    EXPECT_EQ(find<QComboBox>(w, "cboBuffer").currentIndex(), 6);
    choose(find<QComboBox>(w, "cboPort2"), find<QComboBox>(w, "cboPort1").currentIndex());
    EXPECT_EQ(messageTexts().back(), ConnectionPage::PortConflictWarning);
    click(find<QPushButton>(w, "cmdOK"));
  });
  const Settings& s = world.settings();
  EXPECT_FALSE(s.LockPorts);
  EXPECT_EQ(s.port(1).Speed, 0);
  EXPECT_EQ(s.port(2).Speed, 13);
  EXPECT_EQ(s.BufSize, 6);
  EXPECT_EQ(s.port(1).Port, s.port(2).Port);
  // Applied at once: the panel shows the new parameters.
  EXPECT_EQ(world.painted().findChild<QLabel*>("lblParams2")->text().toStdString(),
            "115200,8N1,H/W");
  EXPECT_EQ(world.painted().windowTitle().toStdString(), "Zelkora® - ВЫКЛ");
}

TEST_F(SettingsWindow, EqualPortsWarnAsSoonAsTheWindowIsUp) {
  world.settings().port(2).Port = world.settings().port(1).Port;
  start();
  size_t warnedBefore = 0;
  open([&](frmConfig& w) {
    warnedBefore = world.op.messages.size();
    click(find<QPushButton>(w, "cmdOK"));
  });
  ASSERT_EQ(warnedBefore, 1u);
  EXPECT_EQ(world.op.messages[0].text, ConnectionPage::PortConflictWarning);
}

TEST_F(SettingsWindow, PanelChecksBothTickedAndDisabledAndTheSplashWarningTwice) {
  world.settings().SaveCplON = true;
  world.settings().CplON = true;
  world.settings().LogoType = 2;
  ASSERT_TRUE(world.start());
  world.panelWindow().showNormal();
  open([&](frmConfig& w) {
    for (const char* box : {"chkCplON", "chkSaveCplON"}) {
      EXPECT_TRUE(find<QCheckBox>(w, box).isChecked()) << box;
      EXPECT_FALSE(find<QCheckBox>(w, box).isEnabled()) << box;
    }
    EXPECT_EQ(find<QCheckBox>(w, "chkSaveCplON").toolTip().toStdString(),
              "Не позицию, а Вкл/Выкл !");
    QComboBox& logo = find<QComboBox>(w, "cboLogo");
    choose(logo, 0);
    choose(logo, 1);
    choose(logo, 0);
    QCheckBox& autoRun = find<QCheckBox>(w, "chkAutoRun");
    EXPECT_FALSE(find<QCheckBox>(w, "chkAutoMeON").isEnabled());
    autoRun.click();  // stays usable over its disabled frame
    EXPECT_TRUE(find<QCheckBox>(w, "chkAutoMeON").isEnabled());
    click(find<QPushButton>(w, "cmdCancel"));
  });
  const auto texts = messageTexts();
  EXPECT_EQ(std::count(texts.begin(), texts.end(), std::string(InterfacePage::SplashOffWarning)),
            2);
  EXPECT_FALSE(world.settings().AutoRun);
}

TEST_F(SettingsWindow, RateSliderShowsItsValueAndOkAppliesTheOptions) {
  start();
  open([&](frmConfig& w) {
    QSlider& rate = find<QSlider>(w, "sldUpdateRate");
    EXPECT_EQ(rate.minimum(), 1);
    EXPECT_EQ(rate.maximum(), 10);
    EXPECT_EQ(find<QLabel>(w, "lblUpdateRate").text().toStdString(), "2 Гц");
    rate.setValue(7);  // as dragging the thumb does
    EXPECT_EQ(find<QLabel>(w, "lblUpdateRate").text().toStdString(), "7 Гц");
    QSlider& priority = find<QSlider>(w, "sldPriority");
    EXPECT_EQ(priority.minimum(), 1);
    EXPECT_EQ(priority.maximum(), 4);
    priority.setValue(1);
    find<QCheckBox>(w, "chkSmoothBuf").click();
    find<QCheckBox>(w, "chkAutoStart").click();
    EXPECT_TRUE(find<QComboBox>(w, "cboAutostart").isEnabled());
    choose(find<QComboBox>(w, "cboAutostart"), 11);
    click(find<QPushButton>(w, "cmdOK"));
  });
  const Settings& s = world.settings();
  EXPECT_EQ(s.UpdateRate, 7);
  EXPECT_EQ(s.Priority, 1);
  EXPECT_FALSE(s.SmoothBuf);
  EXPECT_TRUE(s.AutoStart);
  EXPECT_EQ(s.AutoStartTime, 12);
  EXPECT_EQ(world.program.tmrBuffers->interval(), 143);
}

TEST_F(SettingsWindow, AdapterPageWithItsDescriptionAndTheManualAddress) {
  world.settings().HWUse = true;
  world.settings().HWPortSel = 4;
  start();
  open([&](frmConfig& w) {
    w.tabs().setCurrentIndex(1);
    QTextEdit& info = find<QTextEdit>(w, "txtInfo");
    EXPECT_TRUE(info.isReadOnly());
    EXPECT_TRUE(info.toPlainText().startsWith(QString::fromUtf8("Korvane™ - что это ?\n")));
    EXPECT_FALSE(info.toPlainText().contains('\r'));
    EXPECT_EQ(info.document()->firstBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask,
              Qt::AlignHCenter);
    EXPECT_EQ(info.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(info.palette().color(QPalette::Text), QColor(255, 255, 0));
    EXPECT_EQ(info.palette().color(QPalette::Base), QColor(0, 0, 0));
    EXPECT_TRUE(find<QRadioButton>(w, "optUseHW").isChecked());
    EXPECT_EQ(find<QLabel>(w, "lblPort2").text().toStdString(), "Korvane™");
    EXPECT_EQ(find<QLabel>(w, "lblPort2").font().pointSize(), 13);
    QComboBox& lpt = find<QComboBox>(w, "cboLPT");
    EXPECT_EQ(lpt.itemText(3).toStdString(), "Другой    ( База - 178h )");
    QPushButton& change = find<QPushButton>(w, "cmdChangeLPT");
    EXPECT_TRUE(change.isEnabled());
    world.op.inputAnswers = {"400", "1a0"};
    change.click();
    EXPECT_EQ(lpt.itemText(3).toStdString(), "Другой    ( База - 1A0h )");
    EXPECT_EQ(lpt.currentIndex(), 3);
    // One way from port 2: the adapter has no use, with the warning, and the option goes.
    find<QListWidget>(w, "lstDuplex").setCurrentRow(2);
    EXPECT_TRUE(find<QRadioButton>(w, "optNoUseHW").isChecked());
    EXPECT_FALSE(find<QRadioButton>(w, "optUseHW").isChecked());
    EXPECT_FALSE(find<QRadioButton>(w, "optUseHW").isEnabled());
    EXPECT_FALSE(change.isEnabled());
    EXPECT_EQ(find<QLabel>(w, "lblPort2").text().toStdString(), "Второй");
    find<QListWidget>(w, "lstDuplex").setCurrentRow(0);
    find<QRadioButton>(w, "optUseHW").click();
    EXPECT_TRUE(find<QRadioButton>(w, "optUseHW").isChecked());
    EXPECT_FALSE(find<QRadioButton>(w, "optNoUseHW").isChecked());
    click(find<QPushButton>(w, "cmdOK"));
  });
  EXPECT_EQ(world.settings().HWPortOverride, 0x1A0);
  EXPECT_TRUE(world.settings().HWUse);
  EXPECT_EQ(world.settings().Duplex, 0);
  const auto texts = messageTexts();
  EXPECT_NE(std::find(texts.begin(), texts.end(), std::string(AdapterPage::InvalidAddress)),
            texts.end());
  EXPECT_NE(std::find(texts.begin(), texts.end(), std::string(AdapterPage::UselessAdapterWarning)),
            texts.end());
}

TEST_F(SettingsWindow, TheCloseBoxCancelsAndTheTrayIsDeafMeanwhile) {
  start();
  bool menuUp = true;
  open([&](frmConfig& w) {
    world.doubleClickTray();
    menuUp = world.rightClickTray();
    find<QCheckBox>(w, "chkFlushingBUF").click();
    w.close();
  });
  EXPECT_FALSE(menuUp);
  EXPECT_EQ(world.state(), RelayState::Off);
  EXPECT_TRUE(world.settings().FlushingBUF);
  world.doubleClickTray();
  EXPECT_EQ(world.state(), RelayState::On);
}

}  // namespace
}  // namespace zelkora::test
