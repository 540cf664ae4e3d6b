// The splash, the About box and the countdown dialog in their real windows, opened by the
// program as the operator meets them.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include "UiWorld.h"
#include "WidgetProbe.h"
#include "relay/SplashDialog.h"
#include "relay/Version.h"
#include "ui/LinkPanel.h"
#include "ui/QtOperator.h"
#include "ui/WindowSet.h"
#include "ui/frmAbout.h"
#include "ui/frmAutoStart.h"

namespace zelkora::test {
namespace {

std::string text(QWidget& window, const char* name) {
  auto* label = window.findChild<QLabel*>(name);
  return label == nullptr ? "<none>" : label->text().toStdString();
}

void press(QWidget& target, Qt::MouseButton button) {
  const QPointF at(target.width() / 2.0, target.height() / 2.0);
  QMouseEvent down(QEvent::MouseButtonPress, at, target.mapToGlobal(at), button, button,
                   Qt::NoModifier);
  QMouseEvent up(QEvent::MouseButtonRelease, at, target.mapToGlobal(at), button, Qt::NoButton,
                 Qt::NoModifier);
  QCoreApplication::sendEvent(&target, &down);
  QCoreApplication::sendEvent(&target, &up);
}

void key(QWidget& target, Qt::Key k) {
  QKeyEvent down(QEvent::KeyPress, k, Qt::NoModifier);
  QCoreApplication::sendEvent(&target, &down);
}

struct Place {
  const char* name;
  QRect rect;
};

void expectPlaces(QWidget& window, std::initializer_list<Place> places) {
  for (const Place& p : places) {
    auto* control = window.findChild<QWidget*>(p.name);
    ASSERT_NE(control, nullptr) << p.name;
    EXPECT_EQ(control->geometry(), p.rect) << p.name;
  }
}

TEST(Splash, ClosesOnlyByItsTimerAndShowsTheVersionLine) {
  UiWorld world;
  world.settings().LogoType = 2;
  int64_t shownAt = -1;
  bool trayReadyMeanwhile = true;
  world.onDialog([&](ModalDialog& dialog, DialogWindow& window) {
    shownAt = world.loop.nowMs();
    EXPECT_EQ(text(window, "lblVer0"), version::VersionLine());
    EXPECT_EQ(text(window, "lblVer1"), version::VersionLine());
    EXPECT_EQ(window.size(), QSize(440, 264));
    EXPECT_TRUE(window.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(window.windowFlags() & Qt::WindowStaysOnTopHint);
    press(window, Qt::LeftButton);
    press(*window.findChild<QLabel*>("imgLogo"), Qt::LeftButton);
    for (Qt::Key k : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Space}) key(window, k);
    EXPECT_FALSE(window.close());
    world.advance(SplashDialog::ShowMs - 1);
    EXPECT_FALSE(dialog.closed());
    EXPECT_TRUE(window.isVisible());
    trayReadyMeanwhile = world.program.TrayReady;
  });
  ASSERT_TRUE(world.start());
  EXPECT_EQ(world.op.dialogs, std::vector<ModalDialog::Kind>{ModalDialog::Kind::Splash});
  EXPECT_EQ(world.loop.nowMs() - shownAt, SplashDialog::ShowMs);
  EXPECT_FALSE(trayReadyMeanwhile);
  // The tray works again.
  world.doubleClickTray();
  EXPECT_EQ(world.state(), RelayState::On);
}

class AboutBox : public ::testing::Test {
 protected:
  void SetUp() override {
    std::tm time{};
    time.tm_year = 2004 - 1900;
    time.tm_mon = 2;
    time.tm_mday = 7;
    time.tm_hour = 9;
    time.tm_min = 5;
    time.tm_sec = 3;
    world.system.mtime = time;
    world.settings().SaveCplON = false;
    world.settings().CplON = true;
    ASSERT_TRUE(world.start());
  }
  UiWorld world;
};

TEST_F(AboutBox, LooksAsItsTableSaysAndEveryTextFits) {
  world.onDialog([&](ModalDialog&, DialogWindow& window) {
    EXPECT_EQ(window.size(), QSize(451, 384));
    EXPECT_EQ(window.windowTitle().toStdString(), AboutDialog::Caption);
    expectPlaces(window, {{"imgLogo", {4, 4, 444, 268}},
                          {"imgICO", {16, 8, 32, 32}},
                          {"lblDate1", {71, 215, 175, 21}},
                          {"lblDate0", {73, 218, 175, 21}},
                          {"fra3", {0, 272, 451, 77}},
                          {"lblVer", {4, 4, 441, 23}},
                          {"SSPanel1", {0, 348, 381, 33}},
                          {"lblURL", {16, 8, 123, 17}},
                          {"lblICQ", {160, 8, 79, 17}},
                          {"lblMail", {264, 8, 97, 17}},
                          {"cmdOK", {384, 352, 61, 25}}});
    EXPECT_EQ(text(window, "lblVer"), version::VersionLine());
    EXPECT_EQ(text(window, "lblDate0"), "07.03.2004 , 09:05:03");
    EXPECT_EQ(text(window, "lblDate1"), "07.03.2004 , 09:05:03");
    EXPECT_TRUE(showsColour(*window.findChild<QLabel*>("lblDate1"), QColor(0, 255, 0)));
    EXPECT_FALSE(window.findChild<QLabel*>("imgICO")->pixmap().isNull());
    for (const char* name : {"lblURL", "lblICQ", "lblMail", "lblVer", "lblCredit0", "lblCredit1"}) {
      auto* label = window.findChild<QLabel*>(name);
      ASSERT_NE(label, nullptr) << name;
      EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()),
                label->contentsRect().width())
          << name << " is clipped";
    }
    for (const char* link : {"lblURL", "lblICQ", "lblMail"}) {
      const QCursor cursor = window.findChild<QLabel*>(link)->cursor();
      EXPECT_EQ(cursor.shape(), Qt::BitmapCursor) << link;
      EXPECT_EQ(cursor.hotSpot(), QPoint(7, 1)) << link;
    }
    EXPECT_EQ(window.findChild<QPushButton*>("cmdOK")->toolTip().toStdString(), "О Программе");
    window.findChild<QPushButton*>("cmdOK")->click();
  });
  ASSERT_TRUE(world.press("cmdAbout"));
  EXPECT_EQ(world.op.dialogs.back(), ModalDialog::Kind::About);
}

TEST_F(AboutBox, LinksOpenThroughTheDesktopAndTheRelayPausesWhileItIsOpen) {
  ASSERT_TRUE(world.press("cmdON"));
  RelayState meanwhile = RelayState::Off;
  world.onDialog([&](ModalDialog&, DialogWindow& window) {
    meanwhile = world.state();
    window.findChild<LinkPanel*>("lblURL")->clicked();
    window.findChild<LinkPanel*>("lblMail")->clicked();
    world.op.messageScripts.push_back([](const Message&) { return MsgAnswer::Cancel; });
    window.findChild<LinkPanel*>("lblICQ")->clicked();
    window.findChild<QPushButton*>("cmdOK")->click();
  });
  ASSERT_TRUE(world.press("cmdAbout"));
  EXPECT_EQ(meanwhile, RelayState::Paused);
  EXPECT_EQ(world.state(), RelayState::On);
  EXPECT_EQ(world.shell.opened,
            (std::vector<std::string>{AboutDialog::WebPage, AboutDialog::MailLink()}));
  EXPECT_EQ(world.op.messages.back().text, AboutDialog::CopyQuestion);
  EXPECT_TRUE(world.clipboard.text.empty());
}

TEST_F(AboutBox, ALinkPanelReactsToTheLeftButtonOnly) {
  int opened = 0;
  world.onDialog([&](ModalDialog&, DialogWindow& window) {
    auto* url = window.findChild<LinkPanel*>("lblURL");
    press(*url, Qt::RightButton);
    opened = static_cast<int>(world.shell.opened.size());
    press(*url, Qt::LeftButton);
    window.close();
  });
  ASSERT_TRUE(world.press("cmdAbout"));
  EXPECT_EQ(opened, 0);
  EXPECT_EQ(world.shell.opened, std::vector<std::string>{AboutDialog::WebPage});
}

TEST_F(AboutBox, TheProgramsOperatorRunsTheDialogInItsWindowUntilItCloses) {
  QtOperator op(&world.panelWindow());
  WindowSet::registerDialogs(op, world.program, world.panelWindow());
  AboutDialog about(world.program);
  bool shownWhileOpen = false;
  // The operator's click, once the box is up and its own loop runs.
  QTimer::singleShot(0, [&] {
    auto* box = QApplication::activeModalWidget();
    if (box == nullptr) box = world.panelWindow().findChild<frmAbout*>();
    ASSERT_NE(box, nullptr);
    shownWhileOpen = box->isVisible() && about.lblURL.caption == AboutDialog::WebPage;
    box->findChild<QPushButton*>("cmdOK")->click();
  });
  op.ShowModal(about);
  EXPECT_TRUE(shownWhileOpen);
  EXPECT_TRUE(about.closed());
}

class Countdown : public ::testing::Test {
 protected:
  void SetUp() override {
    world.settings().AutoStart = true;
    world.settings().AutoStartTime = 3;
    ASSERT_TRUE(world.start());
    ASSERT_TRUE(world.on());
  }
  UiWorld world;
};

TEST_F(Countdown, ShowsTheFaultAndTheSecondsLeftAndStopsOnItsStopButton) {
  world.onDialog([&](ModalDialog& dialog, DialogWindow& window) {
    EXPECT_EQ(window.size(), QSize(349, 136));
    EXPECT_FALSE(window.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMinimizeButtonHint);
    expectPlaces(window, {{"lblLastError", {1, 0, 347, 65}},
                          {"lblTime", {1, 64, 201, 53}},
                          {"fraX", {204, 64, 141, 49}},
                          {"cmdSTART", {4, 9, 65, 37}},
                          {"cmdSTOP", {72, 9, 65, 37}},
                          {"proTime", {4, 120, 341, 13}}});
    EXPECT_EQ(text(window, "lblLastError"),
              "Фатальная ошибка порта COM2 ! Связь прервана!\nПроизошла ошибка синхронизации !");
    EXPECT_EQ(text(window, "lblTime"), "15 секунд\nдо Автоперезапуска");
    auto* bar = window.findChild<QProgressBar*>("proTime");
    EXPECT_EQ(bar->value(), 0);
    world.advance(3000);
    EXPECT_EQ(text(window, "lblTime"), "12 секунд\nдо Автоперезапуска");
    EXPECT_EQ(bar->value(), 20);
    EXPECT_EQ(window.findChild<QPushButton*>("cmdSTOP")->toolTip().toStdString(),
              "Отмена Автоперезапуска");
    window.findChild<QPushButton*>("cmdSTOP")->click();
    EXPECT_TRUE(dialog.closed());
  });
  world.com1.injectEvent(comm::comEventFrame);
  world.advance(100);
  EXPECT_EQ(world.op.dialogs.back(), ModalDialog::Kind::AutoStart);
  EXPECT_EQ(world.state(), RelayState::Off);
  EXPECT_EQ(world.painted().windowTitle().toStdString(), "Zelkora® - ВЫКЛ");
}

TEST_F(Countdown, StartButtonRestartsAtOnceAndTheEndOfTheTimeToo) {
  world.onDialog([&](ModalDialog&, DialogWindow& window) {
    world.advance(1000);
    window.findChild<QPushButton*>("cmdSTART")->click();
  });
  world.com2.injectEvent(comm::comEventRxOver);
  world.advance(100);
  EXPECT_EQ(world.state(), RelayState::On);

  std::string lastShown;
  world.onDialog([&](ModalDialog&, DialogWindow& window) {
    world.advance(14999);
    lastShown = text(window, "lblTime");
  });
  world.com1.injectEvent(comm::comEventOverrun);
  world.advance(100);
  EXPECT_EQ(lastShown, "01 секунд\nдо Автоперезапуска");
  EXPECT_EQ(world.state(), RelayState::On);
}

TEST_F(Countdown, ClosingItAnyOtherWayLeavesTheRelayOff) {
  world.onDialog([&](ModalDialog&, DialogWindow& window) { window.close(); });
  world.com1.injectEvent(comm::comEventFrame);
  world.advance(60000);
  EXPECT_EQ(world.state(), RelayState::Off);
}

}  // namespace
}  // namespace zelkora::test
