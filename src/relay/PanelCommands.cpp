#include "relay/PanelCommands.h"

#include "relay/Program.h"

namespace zelkora {

void PanelCommands::Form_Load() { p_.TrayReady = true; }

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
  p_.TrayReady = true;
  p_.ui.panel.render(p_.frmMain);
}

void PanelCommands::cmdAbout_Click() {
  p_.TrayReady = false;
  p_.TrayReady = true;
  p_.ui.panel.render(p_.frmMain);
}

void PanelCommands::cmdHelp_Click() { RunNotepadDoc("Zelkora.txt"); }

void PanelCommands::RunNotepadDoc(const std::string& document) {
  p_.ui.panel.render(p_.frmMain);
  const int answer = p_.platform.shell.open(document);
  if (answer == Shell::FileNotFound) {
    p_.ui.op.MsgBox({"Файл невозможно открыть, так как он не существует!", MsgButtons::OK,
                     MsgIcon::Exclamation, document});
  } else if (answer == Shell::NoAssociation) {
    p_.ui.op.MsgBox({"Файл/URL невозможно открыть, так как его тип не ассоциирован ни с одной программой.",
                     MsgButtons::OK, MsgIcon::Exclamation, document});
  }
  p_.ui.panel.render(p_.frmMain);
}

}  // namespace zelkora
