#include "ui/frmMainMenu.h"

#include <QCursor>

namespace zelkora {

frmMainMenu::frmMainMenu() {
  mnuTray_.setTitle("TrayMenu");
  add(TrayMenuItem::mnuTrayON, "В К Л");
  add(TrayMenuItem::mnuTrayPause, "Пауза");
  add(TrayMenuItem::mnuTrayOFF, "ВЫКЛ");
  mnuTray_.addSeparator();
  add(TrayMenuItem::mnuTrayControlPanel, "Панель Упр.");
  mnuTray_.addSeparator();
  add(TrayMenuItem::mnuTrayConfig, "Настройки");
  mnuTray_.addSeparator();
  add(TrayMenuItem::mnuTrayHelp, "Помощь...");
  add(TrayMenuItem::mnuTrayAbout, "О Программе");
  mnuTray_.addSeparator();
  QAction* close = add(TrayMenuItem::mnuTrayClose, "Закрыть");
  QFont bold = close->font();
  bold.setBold(true);
  close->setFont(bold);
  mnuTray_.setDefaultAction(close);
}

QAction* frmMainMenu::add(TrayMenuItem item, const char* caption) {
  QAction* action = mnuTray_.addAction(QString::fromUtf8(caption));
  action->setCheckable(true);
  action->setData(static_cast<int>(item));
  actions_[item] = action;
  return action;
}

QAction* frmMainMenu::action(TrayMenuItem item) const {
  auto it = actions_.find(item);
  return it == actions_.end() ? nullptr : it->second;
}

void frmMainMenu::apply(const TrayMenuModel& m) {
  action(TrayMenuItem::mnuTrayON)->setChecked(m.onChecked);
  action(TrayMenuItem::mnuTrayPause)->setChecked(m.pauseChecked);
  action(TrayMenuItem::mnuTrayPause)->setEnabled(m.pauseEnabled);
  action(TrayMenuItem::mnuTrayOFF)->setChecked(m.offChecked);
  action(TrayMenuItem::mnuTrayControlPanel)->setChecked(m.controlPanelChecked);
  action(TrayMenuItem::mnuTrayConfig)->setEnabled(m.configEnabled);
  action(TrayMenuItem::mnuTrayHelp)->setEnabled(m.helpEnabled);
  action(TrayMenuItem::mnuTrayAbout)->setEnabled(m.aboutEnabled);
  action(TrayMenuItem::mnuTrayClose)->setEnabled(m.closeEnabled);
  for (TrayMenuItem unmarked : {TrayMenuItem::mnuTrayConfig, TrayMenuItem::mnuTrayHelp,
                                TrayMenuItem::mnuTrayAbout, TrayMenuItem::mnuTrayClose}) {
    action(unmarked)->setCheckable(false);
  }
}

TrayMenuItem frmMainMenu::popup(const TrayMenuModel& marks) {
  apply(marks);
  QAction* chosen = mnuTray_.exec(QCursor::pos(), action(TrayMenuItem::mnuTrayClose));
  if (chosen == nullptr) return TrayMenuItem::None;
  return static_cast<TrayMenuItem>(chosen->data().toInt());
}

}  // namespace zelkora
