#include "ui/cSysTray.h"

#include <QApplication>

#include "ui/UiLook.h"
#include "ui/frmMainMenu.h"

namespace zelkora {

cSysTray::cSysTray(frmMainMenu& menu) : menu_(menu) {
  icon_.setIcon(UiLook::stateIcon(1));
  icon_.setToolTip(QString::fromUtf8("Zelkora®"));
  connect(&icon_, &QSystemTrayIcon::activated, this, &cSysTray::activated);
}

void cSysTray::activated(QSystemTrayIcon::ActivationReason reason) {
  switch (reason) {
    case QSystemTrayIcon::Context:
      if (MouseDown) MouseDown(2);
      break;
    case QSystemTrayIcon::Trigger: {
      // An icon embedded in an X tray reports a double-click as such (press, then the
      // double-click in place of the second press). A desktop that hosts the icon over
      // D-Bus reports every left click as a plain activation; two of them within the
      // double-click time are the double-click there.
      const bool second = lastLeftPress_.isValid() &&
                          lastLeftPress_.elapsed() <= QApplication::doubleClickInterval();
      if (second) {
        lastLeftPress_.invalidate();
        if (DblClick) DblClick(1);
        break;
      }
      lastLeftPress_.start();
      if (MouseDown) MouseDown(1);
      break;
    }
    case QSystemTrayIcon::DoubleClick:
      lastLeftPress_.invalidate();
      if (DblClick) DblClick(1);
      break;
    default:
      break;
  }
}

void cSysTray::setInTray(bool present) {
  icon_.setVisible(present);
}

void cSysTray::setTrayIcon(int image) {
  if (image == shownIcon_) return;
  shownIcon_ = image;
  icon_.setIcon(UiLook::stateIcon(image));
}

void cSysTray::setTrayTip(const std::string& tip) {
  const QString text = QString::fromStdString(tip);
  if (icon_.toolTip() != text) icon_.setToolTip(text);
}

TrayMenuItem cSysTray::popupMenu(const TrayMenuModel& menu) {
  return menu_.popup(menu);
}

}  // namespace zelkora
