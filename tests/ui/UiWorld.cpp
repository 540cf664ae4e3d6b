#include "UiWorld.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QTimer>

#include "ui/WindowSet.h"

namespace zelkora::test {

UiWorld::UiWorld(IoPorts* parallelPort) : World(parallelPort, &front) {
  // The program lives in the tray, as on a desktop with a notification area.
  sysTray.hasNotificationArea = [] { return true; };
  mainWindow.bind(program);
  WindowSet::registerDialogs(windows_, program, mainWindow);
  sysTray.MouseDown = [this](int button) { program.tray.Tray_MouseDown(button); };
  sysTray.DblClick = [this](int button) { program.tray.Tray_DblClick(button); };
  op.defaultDialog = [this](ModalDialog& dialog) { showInWindow(dialog); };
}

UiWorld::~UiWorld() {
  // The windows outlive the program built on them; nothing may call back into it.
  sysTray.MouseDown = nullptr;
  sysTray.DblClick = nullptr;
  mainWindow.hide();
}

frmMain& UiWorld::painted() {
  mainWindow.flush();
  return mainWindow;
}

bool UiWorld::press(const char* name) {
  QPushButton& b = button(name);
  if (!b.isEnabled() || !mainWindow.isEnabled()) return false;
  b.click();
  return true;
}

void UiWorld::showInWindow(ModalDialog& dialog) {
  std::unique_ptr<DialogWindow> shown = windows_.windowFor(dialog);
  if (!shown) {
    ADD_FAILURE() << "no window for a dialog of kind " << static_cast<int>(dialog.kind());
    return;
  }
  dialog.onChanged = [&shown] { shown->renderLogic(); };
  shown->show();
  shown->renderLogic();
  if (!dialogScripts_.empty()) {
    DialogScript script = std::move(dialogScripts_.front());
    dialogScripts_.erase(dialogScripts_.begin());
    script(dialog, *shown);
  }
  if (!dialog.closed() && !loop.runUntil([&dialog] { return dialog.closed(); }, 3600 * 1000)) {
    ADD_FAILURE() << "a modal dialog stayed open for an hour";
  }
  dialog.onChanged = nullptr;
  shown->hide();
}

bool UiWorld::rightClickTray(const std::function<void(QMenu&)>& inMenu, TrayMenuItem choice) {
  QMenu& popup = mainMenu.menu();
  bool shown = false;
  // The menu runs its own loop; the operator acts once it is up.
  auto connection = QObject::connect(&popup, &QMenu::aboutToShow, [&] {
    shown = true;
    QTimer::singleShot(0, &popup, [&] {
      if (inMenu) inMenu(popup);
      QAction* chosen = mainMenu.action(choice);
      if (chosen != nullptr && chosen->isEnabled()) {
        popup.setActiveAction(chosen);
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(&popup, &enter);
      }
      if (popup.isVisible()) popup.hide();
    });
  });
  sysTray.activated(QSystemTrayIcon::Context);
  QObject::disconnect(connection);
  return shown;
}

}  // namespace zelkora::test
