#include "ui/frmMainMenu.h"

#include <QCursor>

namespace zelkora {

frmMainMenu::frmMainMenu() {
  mnuTray_.setObjectName("mnuTray");
  mnuTray_.setTitle("TrayMenu");
  add(TrayMenuItem::mnuTrayON, "В К Л", true);
  add(TrayMenuItem::mnuTrayPause, "Пауза", true);
  add(TrayMenuItem::mnuTrayOFF, "ВЫКЛ", true)->setChecked(true);
  mnuTray_.addSeparator();  // s3
  add(TrayMenuItem::mnuTrayControlPanel, "Панель Упр.", true)->setChecked(true);
  mnuTray_.addSeparator();  // s1
  add(TrayMenuItem::mnuTrayConfig, "Настройки", false);
  mnuTray_.addSeparator();  // s2
  add(TrayMenuItem::mnuTrayHelp, "Помощь...", false);
  add(TrayMenuItem::mnuTrayAbout, "О Программе", false);
  mnuTray_.addSeparator();
  QAction* close = add(TrayMenuItem::mnuTrayClose, "Закрыть", false);
  QFont bold = close->font();
  bold.setBold(true);
  close->setFont(bold);
  mnuTray_.setDefaultAction(close);
}

QAction* frmMainMenu::add(TrayMenuItem item, const char* caption, bool marked) {
  QAction* action = mnuTray_.addAction(QString::fromUtf8(caption));
  action->setCheckable(marked);
  action->setData(static_cast<int>(item));
  actions_[item] = action;
  return action;
}

QAction* frmMainMenu::action(TrayMenuItem item) const {
  auto it = actions_.find(item);
  return it == actions_.end() ? nullptr : it->second;
}

void frmMainMenu::apply(const TrayMenuModel& m) {
  // A menu mark is a tick or nothing: an unticked item shows no empty box.
  auto mark = [this](TrayMenuItem item, bool ticked) {
    QAction* a = action(item);
    a->setCheckable(ticked);
    a->setChecked(ticked);
  };
  mark(TrayMenuItem::mnuTrayON, m.onChecked);
  mark(TrayMenuItem::mnuTrayPause, m.pauseChecked);
  action(TrayMenuItem::mnuTrayPause)->setEnabled(m.pauseEnabled);
  mark(TrayMenuItem::mnuTrayOFF, m.offChecked);
  mark(TrayMenuItem::mnuTrayControlPanel, m.controlPanelChecked);
  action(TrayMenuItem::mnuTrayConfig)->setEnabled(m.configEnabled);
  action(TrayMenuItem::mnuTrayHelp)->setEnabled(m.helpEnabled);
  action(TrayMenuItem::mnuTrayAbout)->setEnabled(m.aboutEnabled);
  action(TrayMenuItem::mnuTrayClose)->setEnabled(m.closeEnabled);
}

TrayMenuItem frmMainMenu::popup(const TrayMenuModel& marks) {
  apply(marks);
  QAction* chosen = mnuTray_.exec(QCursor::pos());
  if (chosen == nullptr) return TrayMenuItem::None;
  return static_cast<TrayMenuItem>(chosen->data().toInt());
}

}  // namespace zelkora
