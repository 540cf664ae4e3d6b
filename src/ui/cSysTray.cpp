#include "ui/cSysTray.h"

#include "ui/UiLook.h"
#include "ui/frmMainMenu.h"

namespace zelkora {

cSysTray::cSysTray(frmMainMenu& menu) : menu_(menu) {
  icon_.setIcon(UiLook::stateIcon(1));
  icon_.setToolTip(QString::fromUtf8("Zelkora®"));
  connect(&icon_, &QSystemTrayIcon::activated, this,
          [this](QSystemTrayIcon::ActivationReason reason) {
            switch (reason) {
              case QSystemTrayIcon::Context:
                if (MouseDown) MouseDown(2);
                break;
              case QSystemTrayIcon::Trigger:
                if (MouseDown) MouseDown(1);
                break;
              case QSystemTrayIcon::DoubleClick:
                if (DblClick) DblClick(1);
                break;
              default: break;
            }
          });
}

void cSysTray::setInTray(bool present) { icon_.setVisible(present); }

void cSysTray::setTrayIcon(int image) { icon_.setIcon(UiLook::stateIcon(image)); }

void cSysTray::setTrayTip(const std::string& tip) {
  icon_.setToolTip(QString::fromStdString(tip));
}

TrayMenuItem cSysTray::popupMenu(const TrayMenuModel& menu) { return menu_.popup(menu); }

}  // namespace zelkora
