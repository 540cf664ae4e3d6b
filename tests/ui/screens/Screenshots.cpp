// Pictures of every window for the documentation and for a look by eye: the real windows
// on a real X display (Xvfb with a tray host), the program behind them in the simulated
// world, so that every state holds still while it is taken. Also checks that the tray
// icon embedded in the X tray reacts to real mouse clicks: a right press pops the menu up
// and a left double-click switches the relay on.
//
// Usage: zelkora_screens OUTPUT-FOLDER   (DISPLAY names the X server)

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>
#include <ctime>

#include "UiWorld.h"
#include "relay/AutoStartDialog.h"
#include "support/BytePattern.h"
#include "ui/UiLook.h"
#include "ui/WindowSet.h"
#include "ui/frmConfig.h"

namespace zelkora::test {
namespace {

class ScreenshotSession {
 public:
  explicit ScreenshotSession(const QString& folder) : folder_(folder) {}
  int run();

 private:
  // Lets the X server and the window manager draw, in real time.
  static void settle(int ms = 150);
  // The window with its frame as it is on the screen.
  void saveWindow(QWidget& window, const QString& name);
  void saveScreenRegion(const QRect& region, const QString& name);
  void savePanelStates();
  void saveDialogs();
  void saveTray();
  bool clickTrayForReal();
  void note(const QString& text) { std::printf("%s\n", text.toLocal8Bit().constData()); }

  QString folder_;
  int failures_ = 0;
};

void ScreenshotSession::settle(int ms) {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < ms) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }
}

void ScreenshotSession::saveWindow(QWidget& window, const QString& name) {
  window.raise();
  window.activateWindow();
  settle();
  QRect frame = window.frameGeometry();
  if (frame.width() <= window.width()) frame = window.geometry();
  saveScreenRegion(frame, name);
}

void ScreenshotSession::saveScreenRegion(const QRect& region, const QString& name) {
  QScreen* screen = QGuiApplication::primaryScreen();
  const QPixmap picture =
      screen->grabWindow(0, region.x(), region.y(), region.width(), region.height());
  const QString path = QDir(folder_).filePath(name + ".png");
  if (!picture.save(path)) {
    note("cannot write " + path);
    ++failures_;
    return;
  }
  note("saved " + path);
}

void ScreenshotSession::savePanelStates() {
  UiWorld world;
  world.settings().SaveCplON = false;
  world.settings().CplON = true;
  world.settings().PosMainX = 40 * 15;
  world.settings().PosMainY = 80 * 15;
  world.start();
  frmMain& panel = world.panelWindow();
  saveWindow(world.painted(), "panel-off-first");

  world.on();
  // Data both ways; the device on port 2 holds its side off for a while, so that the
  // buffers towards it fill.
  world.modem.send(bytePattern(60000, 1));
  world.terminal.send(bytePattern(9000, 2));
  world.modem.setCarrier(true);
  world.advance(20000);
  world.terminal.setReady(false);
  world.advance(3000);
  world.painted();
  saveWindow(panel, "panel-running");

  world.press("cmdPause");
  saveWindow(world.painted(), "panel-paused");
  world.press("cmdPause");
  world.press("cmdOFF");
  saveWindow(world.painted(), "panel-draining");
  world.terminal.setReady(true);
  world.runUntil([&] { return world.state() == RelayState::Off; }, 120000);
  saveWindow(world.painted(), "panel-off-later");

  // The countdown after a fatal fault: a framing error on port 1 with AutoStart on.
  world.settings().AutoStart = true;
  world.on();
  world.onDialog([&](ModalDialog& dialog, DialogWindow& window) {
    world.advance(4000);
    saveWindow(window, "countdown");
    static_cast<AutoStartDialog&>(dialog).cmdSTOP_Click();
  });
  world.com1.injectEvent(comm::comEventFrame);
  world.advance(100);
}

void ScreenshotSession::saveDialogs() {
  UiWorld world;
  // The About box shows the time of the program's file; here, the time of the picture.
  const std::time_t now = std::time(nullptr);
  world.system.mtime = *std::localtime(&now);
  world.settings().LogoType = 2;
  world.settings().SaveCplON = false;
  world.settings().CplON = true;
  world.onDialog([&](ModalDialog&, DialogWindow& window) { saveWindow(window, "splash"); });
  world.start();

  const char* const pages[] = {"settings-connection", "settings-transfer", "settings-options",
                               "settings-interface"};
  world.onDialog([&](ModalDialog&, DialogWindow& window) {
    auto& settings = static_cast<frmConfig&>(window);
    for (int page = 0; page < 4; ++page) {
      settings.tabs().setCurrentIndex(page);
      saveWindow(window, pages[page]);
    }
    settings.findChild<QPushButton*>("cmdCancel")->click();
  });
  world.press("cmdConfig");

  world.onDialog([&](ModalDialog&, DialogWindow& window) {
    saveWindow(window, "about");
    window.findChild<QPushButton*>("cmdOK")->click();
  });
  world.press("cmdAbout");
}

void ScreenshotSession::saveTray() {
  UiWorld world;
  world.settings().SaveCplON = false;
  world.settings().CplON = false;
  cSysTray& tray = world.trayIcon();
  tray.hasNotificationArea = &QSystemTrayIcon::isSystemTrayAvailable;
  world.start();
  settle(500);
  const QRect icon = tray.icon().geometry();
  if (!QSystemTrayIcon::isSystemTrayAvailable() || icon.isEmpty()) {
    note("no notification area on this display");
    ++failures_;
    return;
  }
  note(QString("tray icon at %1,%2 %3x%4")
           .arg(icon.x())
           .arg(icon.y())
           .arg(icon.width())
           .arg(icon.height()));
  // The icon with a little of the tray host around it.
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  const QRect around = icon.adjusted(-6, -1, 6, 1).intersected(screen);
  saveScreenRegion(around, "tray-icon-off");

  // The real X path: a right press pops the menu up, a left double-click switches on.
  bool popped = false;
  auto connection = QObject::connect(&world.trayMenu().menu(), &QMenu::aboutToShow, [&] {
    popped = true;
    QTimer::singleShot(400, [&] {
      QMenu& menu = world.trayMenu().menu();
      const QRect shown = menu.geometry().united(icon).adjusted(-8, -4, 8, 8).intersected(screen);
      saveScreenRegion(shown, "tray-menu");
      menu.hide();
    });
  });
  QProcess::execute("xdotool", {"mousemove", QString::number(icon.center().x()),
                                QString::number(icon.center().y())});
  settle(200);
  QProcess::startDetached("xdotool", {"click", "3"});
  QElapsedTimer waited;
  waited.start();
  while (!popped && waited.elapsed() < 5000)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  settle(600);
  QObject::disconnect(connection);
  note(popped ? "right press on the tray icon: the menu came up" : "right press: NO MENU");
  if (!popped) ++failures_;

  settle(600);
  QProcess::startDetached("xdotool", {"click", "--repeat", "2", "--delay", "80", "1"});
  waited.restart();
  while (world.state() != RelayState::On && waited.elapsed() < 5000) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  const bool switched = world.state() == RelayState::On;
  note(switched ? "left double-click on the tray icon: the relay is on"
                : "left double-click: the relay stayed off");
  if (!switched) ++failures_;
  settle(300);
  saveScreenRegion(around, "tray-icon-running");
}

int ScreenshotSession::run() {
  QDir().mkpath(folder_);
  note(QString("logical dpi %1, font %2")
           .arg(QGuiApplication::primaryScreen()->logicalDotsPerInch())
           .arg(UiLook::family()));
  savePanelStates();
  saveDialogs();
  saveTray();
  return failures_ == 0 ? 0 : 1;
}

}  // namespace
}  // namespace zelkora::test

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  zelkora::WindowSet::applyApplicationLook(app);
  const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString("out/screenshots");
  return zelkora::test::ScreenshotSession(folder).run();
}
