// Zelkora: one program context wired to the Linux platform and the Qt windows.

#include <QApplication>
#include <QStringList>
#include <string>

#include "platform/ComDevices.h"
#include "platform/linux/LinuxIoPorts.h"
#include "platform/linux/LinuxProcessControl.h"
#include "platform/linux/LinuxSystemInfo.h"
#include "platform/linux/LockFileInstanceGuard.h"
#include "platform/linux/RegistryFile.h"
#include "platform/linux/TerminationSignals.h"
#include "platform/linux/TermiosCommPort.h"
#include "platform/linux/XdgAutostart.h"
#include "platform/linux/XdgShell.h"
#include "relay/Program.h"
#include "ui/QtClipboard.h"
#include "ui/QtEventLoop.h"
#include "ui/QtOperator.h"
#include "ui/WindowSet.h"
#include "ui/cSysTray.h"
#include "ui/frmMain.h"
#include "ui/frmMainMenu.h"

int main(int argc, char** argv) {
  using namespace zelkora;
  TerminationSignals::BlockEarly();

  // What follows the program name, as one string: "/a" starts automatically.
  std::string arguments;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) arguments += ' ';
    arguments += argv[i];
  }

  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  QApplication::setApplicationName("zelkora");
  WindowSet::applyApplicationLook(app);

  RegistryFile registry(RegistryFile::DefaultPath());
  QtEventLoop loop;
  auto devices = [&registry](int comNumber) { return ComDevicePath(registry, comNumber); };
  TermiosCommPort com1(loop, devices);
  TermiosCommPort com2(loop, devices);
  LinuxIoPorts io;
  LinuxProcessControl process;
  LinuxSystemInfo system;
  LockFileInstanceGuard instance;
  const std::string exe = system.executablePath();
  XdgShell shell({exe.substr(0, exe.rfind('/')), ZELKORA_DATA_DIR});
  XdgAutostart autostart;
  QtClipboard clipboard;

  frmMain window;
  frmMainMenu menu;
  cSysTray tray(menu);
  QtOperator op(&window);

  // The adapter description, bytes as stored (Windows-1251); the settings dialog decodes it.
  Program program(
      {registry, loop, com1, com2, io, process, system, instance, shell, autostart, clipboard},
      {op, window, tray, &WindowSet::adapterDescription});
  window.bind(program);
  WindowSet::registerDialogs(op, program, window);
  tray.MouseDown = [&program](int button) { program.tray.Tray_MouseDown(button); };
  tray.DblClick = [&program](int button) { program.tray.Tray_DblClick(button); };
  TerminationSignals termination(loop, [&program] { program.life.Terminate(); });
  QObject::connect(&app, &QGuiApplication::commitDataRequest,
                   [&program](QSessionManager&) { program.life.Terminate(); });

  if (!program.life.StartUp(arguments)) return 0;
  return QApplication::exec();
}
