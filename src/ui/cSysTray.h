#pragma once
// The notification-area icon: intray, trayicon, traytip, and the mouse press and the
// double-click delivered to the program with their button codes (1 left, 2 right).

#include <QElapsedTimer>
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
  bool available() const override { return hasNotificationArea(); }
  TrayMenuItem popupMenu(const TrayMenuModel& menu) override;

  // What the desktop reported, turned into the component's two events.
  void activated(QSystemTrayIcon::ActivationReason reason);
  int shownIcon() const { return shownIcon_; }
  QString toolTip() const { return icon_.toolTip(); }
  QSystemTrayIcon& icon() { return icon_; }

  // The desktop's own answer; a platform without a notification area of its own (the
  // offscreen one of the widget tests) may be given another.
  std::function<bool()> hasNotificationArea = &QSystemTrayIcon::isSystemTrayAvailable;

  // Button 1 left, 2 right.
  std::function<void(int button)> MouseDown;
  std::function<void(int button)> DblClick;

 private:
  QSystemTrayIcon icon_;
  frmMainMenu& menu_;
  int shownIcon_ = 1;
  QElapsedTimer lastLeftPress_;
};

}  // namespace zelkora
