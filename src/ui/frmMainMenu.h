#pragma once
// Owner of the tray menu. It is never visible on screen; the running instance is marked
// by the instance lock, not by a window.

#include <QMenu>
#include <QObject>
#include <map>

#include "relay/Panel.h"

namespace zelkora {

class frmMainMenu : public QObject {
  Q_OBJECT
 public:
  static constexpr const char* Caption = "Menu for Zelkora";

  frmMainMenu();
  // Applies the marks, pops the menu up at the mouse and returns the chosen item.
  TrayMenuItem popup(const TrayMenuModel& marks);
  // Applies the marks without showing the menu.
  void apply(const TrayMenuModel& marks);
  QMenu& menu() { return mnuTray_; }
  QAction* action(TrayMenuItem item) const;

 private:
  QAction* add(TrayMenuItem item, const char* caption, bool marked);
  QMenu mnuTray_;
  std::map<TrayMenuItem, QAction*> actions_;
};

}  // namespace zelkora
