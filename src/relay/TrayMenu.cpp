#include "relay/TrayMenu.h"

#include "relay/Program.h"

namespace zelkora {

void TrayMenu::mnuTray_Click() {
  const RunState& r = p_.run;
  const PanelModel& m = p_.frmMain;
  menu_.onChecked = r.RelayOn && !r.Paused;
  menu_.pauseChecked = r.Paused;
  menu_.pauseEnabled = r.RelayOn && !r.Draining;
  menu_.offChecked = !r.RelayOn;
  menu_.controlPanelChecked = p_.ui.panel.isVisible();
  menu_.configEnabled = m.cmdConfig;
  menu_.aboutEnabled = m.cmdAbout;
  menu_.helpEnabled = m.cmdHelp;
  menu_.closeEnabled = !(r.RelayOn && !p_.settings.AutoClose);
}

bool TrayMenu::accepting() const { return p_.ui.panel.isEnabled() && p_.TrayReady; }

void TrayMenu::Tray_MouseDown(int button) {
  if (!accepting() || button != 2) return;
  mnuTray_Click();
  Choose(p_.ui.tray.popupMenu(menu_));
  if (p_.run.Closing) return;
  if (p_.ui.panel.isEnabled() && p_.ui.panel.isVisible()) p_.ui.panel.focus();
}

void TrayMenu::Tray_DblClick(int button) {
  if (!accepting() || button != 1) return;
  switch (p_.run.state()) {
    case RelayState::Off: p_.relay.cmdON_Click(); break;
    case RelayState::Paused: p_.relay.cmdPause_Click(); break;
    default: p_.relay.cmdOFF_Click(); break;
  }
}

void TrayMenu::Choose(TrayMenuItem item) {
  const RunState& r = p_.run;
  switch (item) {
    case TrayMenuItem::mnuTrayON:
      if (!r.RelayOn) {
        p_.relay.cmdON_Click();
      } else if (r.Paused) {
        p_.relay.cmdPause_Click();
      }
      break;
    case TrayMenuItem::mnuTrayPause:
      if (r.RelayOn && !r.Paused && !r.Draining) p_.relay.cmdPause_Click();
      break;
    case TrayMenuItem::mnuTrayOFF:
      if (r.RelayOn) p_.relay.cmdOFF_Click();
      break;
    case TrayMenuItem::mnuTrayControlPanel:
      if (p_.ui.panel.isVisible()) {
        p_.panel.cmdHide_Click();
      } else {
        p_.ui.panel.showNormal();
      }
      break;
    case TrayMenuItem::mnuTrayConfig:
      if (menu_.configEnabled) p_.panel.cmdConfig_Click();
      break;
    case TrayMenuItem::mnuTrayHelp:
      if (menu_.helpEnabled) p_.panel.cmdHelp_Click();
      break;
    case TrayMenuItem::mnuTrayAbout:
      if (menu_.aboutEnabled) p_.panel.cmdAbout_Click();
      break;
    case TrayMenuItem::mnuTrayClose:
      if (menu_.closeEnabled) p_.ui.panel.unload();
      break;
    case TrayMenuItem::None: break;
  }
}

}  // namespace zelkora
