#pragma once
// The notification-area icon: intray, trayicon, traytip, and the right-button press and
// left double-click delivered to the program with their button codes.

#include <QObject>
#include <QSystemTrayIcon>
#include <functional>

#include "relay/Panel.h"

namespace zelkora {

class frmMainMenu;

class cSysTray : public QObject, public TrayIcon {
  Q_OBJECT
 public:
  explicit cSysTray(frmMainMenu& menu);

  void setInTray(bool present) override;
  bool inTray() const override { return icon_.isVisible(); }
  void setTrayIcon(int image) override;
  void setTrayTip(const std::string& tip) override;
  bool available() const override { return QSystemTrayIcon::isSystemTrayAvailable(); }
  TrayMenuItem popupMenu(const TrayMenuModel& menu) override;

  // Button 1 left, 2 right.
  std::function<void(int button)> MouseDown;
  std::function<void(int button)> DblClick;

 private:
  QSystemTrayIcon icon_;
  frmMainMenu& menu_;
};

}  // namespace zelkora
