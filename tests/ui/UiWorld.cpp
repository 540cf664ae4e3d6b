#include "UiWorld.h"

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QMenu>
#include <QTimer>

#include "ui/WindowSet.h"

namespace zelkora::test {

UiWorld::UiWorld() : World(nullptr, &window, &tray) {
  window.bind(program);
  WindowSet::registerDialogs(windows_, program, window);
  tray.MouseDown = [this](int button) { program.tray.Tray_MouseDown(button); };
  tray.DblClick = [this](int button) { program.tray.Tray_DblClick(button); };
  op.defaultDialog = [this](ModalDialog& dialog) { showInWindow(dialog); };
}

UiWorld::~UiWorld() {
  // The windows outlive the program built on them; nothing may call back into it.
  tray.MouseDown = nullptr;
  tray.DblClick = nullptr;
  window.hide();
}

frmMain& UiWorld::painted() {
  window.flush();
  return window;
}

bool UiWorld::press(const char* name) {
  QPushButton& b = button(name);
  if (!b.isEnabled() || !window.isEnabled()) return false;
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
  QMenu& popup = menu.menu();
  bool shown = false;
  // The menu runs its own loop; the operator acts once it is up.
  auto connection = QObject::connect(&popup, &QMenu::aboutToShow, [&] {
    shown = true;
    QTimer::singleShot(0, &popup, [&] {
      if (inMenu) inMenu(popup);
      QAction* chosen = menu.action(choice);
      if (chosen != nullptr && chosen->isEnabled()) {
        popup.setActiveAction(chosen);
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(&popup, &enter);
      }
      if (popup.isVisible()) popup.hide();
    });
  });
  tray.activated(QSystemTrayIcon::Context);
  QObject::disconnect(connection);
  return shown;
}

}  // namespace zelkora::test
