#pragma once
// The tray icon's mouse handlers and the tray menu: its marks and its commands, each the
// same operation as the matching panel button.

#include "relay/Panel.h"

namespace zelkora {

class Program;

class TrayMenu {
 public:
  explicit TrayMenu(Program& program) : p_(program) {}

  // Refreshes the marks of the menu.
  void mnuTray_Click();
  const TrayMenuModel& model() const { return menu_; }

  // Mouse events of the tray icon; button 1 left, 2 right.
  void Tray_MouseDown(int button);
  void Tray_DblClick(int button);
  // Carries out a chosen menu item.
  void Choose(TrayMenuItem item);

 private:
  bool accepting() const;
  Program& p_;
  TrayMenuModel menu_;
};

}  // namespace zelkora
