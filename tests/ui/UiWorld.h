#pragma once
// One whole program in the simulated world, shown in its real windows: the control panel,
// the tray icon with its menu, and every modal dialog in the window registered for its
// kind. Time is the world's virtual time; message boxes are answered by the world's
// scripted operator, so nothing ever waits on a box.
//
// A modal dialog opened by the program comes up in its window and runs the virtual
// clock until it closes, unless a test scripts it with `onDialog`: the script gets the
// dialog and its window, on screen, and may click its controls.

#include <QPushButton>
#include <functional>
#include <memory>

#include "sim/support/World.h"
#include "ui/QtOperator.h"
#include "ui/WindowSet.h"
#include "ui/cSysTray.h"
#include "ui/frmMain.h"
#include "ui/frmMainMenu.h"

namespace zelkora::test {

// The real windows, built before the world that renders into them.
struct UiWindows {
  frmMain mainWindow;
  frmMainMenu mainMenu;
  cSysTray sysTray{mainMenu};
  sim::World::Windows front{mainWindow, sysTray, &WindowSet::adapterDescription};
};

class UiWorld : private UiWindows, public sim::World {
 public:
  using DialogScript = std::function<void(ModalDialog& dialog, DialogWindow& window)>;

  // `io`: the parallel port to use instead of the plain latch.
  explicit UiWorld(IoPorts* parallelPort = nullptr);
  ~UiWorld();

  frmMain& panelWindow() { return mainWindow; }
  frmMainMenu& trayMenu() { return mainMenu; }
  cSysTray& trayIcon() { return sysTray; }

  // Paints what the panel has pending and returns it.
  frmMain& painted();
  QPushButton& button(const char* name) { return *mainWindow.button(name); }
  // A click on a panel button as the operator makes it: only an enabled button on an
  // enabled window takes it. False when it did not.
  bool press(const char* name);

  // The next modal dialogs, in order; then each one runs until it closes by itself.
  void onDialog(DialogScript script) { dialogScripts_.push_back(std::move(script)); }

  // Right-button press on the tray icon; while the menu is up `inMenu` runs with it and
  // then `choice` is taken (nothing: the menu is dismissed). False when no menu came up.
  bool rightClickTray(const std::function<void(QMenu&)>& inMenu = nullptr,
                      TrayMenuItem choice = TrayMenuItem::None);
  void doubleClickTray() { sysTray.activated(QSystemTrayIcon::DoubleClick); }

 private:
  void showInWindow(ModalDialog& dialog);
  QtOperator windows_{&mainWindow};
  std::vector<DialogScript> dialogScripts_;
};

}  // namespace zelkora::test
