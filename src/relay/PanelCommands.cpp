#include "relay/PanelCommands.h"

#include "relay/AboutDialog.h"
#include "relay/ConfigDialog.h"
#include "relay/Program.h"

namespace zelkora {

void PanelCommands::Form_Load() {
  p_.TrayReady = true;
}

void PanelCommands::Form_Activate() {
  Panel& panel = p_.ui.panel;
  if (!panel.isNormalState()) return;
  Settings& s = p_.settings;
  const Twips screen = panel.screenSize();
  if (s.PosMainX > screen.x || s.PosMainX < -500) s.PosMainX = 0;
  if (s.PosMainY > screen.y || s.PosMainY < -50) s.PosMainY = 0;
  panel.move({s.PosMainX, s.PosMainY});
}

void PanelCommands::Form_Deactivate() {
  Panel& panel = p_.ui.panel;
  if (!panel.isNormalState()) return;
  const Twips where = panel.position();
  p_.settings.PosMainX = where.x;
  p_.settings.PosMainY = where.y;
}

void PanelCommands::cmdHide_Click() {
  Form_Deactivate();
  // Without a notification area a hidden panel could never be brought back.
  if (p_.ui.tray.available()) {
    p_.ui.panel.hide();
  } else {
    p_.ui.panel.minimize();
  }
}

void PanelCommands::cmdConfig_Click() {
  p_.TrayReady = false;
  {
    ConfigDialog frmConfig(p_);
    p_.ui.op.ShowModal(frmConfig);
  }
  p_.TrayReady = true;
  p_.ui.panel.render(p_.frmMain);
}

void PanelCommands::cmdAbout_Click() {
  RunState& r = p_.run;
  p_.TrayReady = false;
  bool pausedHere = false;
  if (r.RelayOn && !r.Paused) {
    p_.relay.cmdPause_Click();
    pausedHere = true;
  }
  const uint64_t epoch = r.RelayEpoch;
  {
    AboutDialog frmAbout(p_);
    p_.ui.op.ShowModal(frmAbout);
  }
  // Resume only the relay paused here: a fault while the box was open may have switched
  // it off (and a restart on again, unpaused); toggling then would pause a fresh relay or
  // act on closed ports.
  if (pausedHere && r.RelayEpoch == epoch && r.RelayOn && r.Paused) p_.relay.cmdPause_Click();
  p_.TrayReady = true;
  p_.ui.panel.render(p_.frmMain);
}

void PanelCommands::cmdHelp_Click() {
  RunNotepadDoc("Zelkora.txt");
}

void PanelCommands::RunNotepadDoc(const std::string& document) {
  p_.ui.panel.render(p_.frmMain);
  const int answer = p_.platform.shell.open(document);
  if (answer == Shell::FileNotFound) {
    p_.ui.op.MsgBox({"Файл невозможно открыть, так как он не существует!", MsgButtons::OK,
                     MsgIcon::Exclamation, document});
  } else if (answer == Shell::NoAssociation) {
    p_.ui.op.MsgBox(
        {"Файл/URL невозможно открыть, так как его тип не ассоциирован ни с одной программой.",
         MsgButtons::OK, MsgIcon::Exclamation, document});
  }
  p_.ui.panel.render(p_.frmMain);
}

}  // namespace zelkora
