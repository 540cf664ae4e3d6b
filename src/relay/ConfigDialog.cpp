#include "relay/ConfigDialog.h"

#include <algorithm>

#include "relay/Program.h"

namespace zelkora {

ConfigDialog::ConfigDialog(Program& program)
    : p_(program),
      ctx_{program.ui.op, program.settings, program.run.IsNT, false, [this] { changed(); }},
      connectionPage(ctx_),
      adapterPage(ctx_, connectionPage.lblPort, program.ui.adapterDescription),
      optionsPage(ctx_),
      interfacePage(ctx_) {}

void ConfigDialog::Form_Load() {
  LoadControls();
  changed();
}

void ConfigDialog::Form_Activate() {
  ctx_.visible = true;
  connectionPage.PortReaction();
  changed();
}

void ConfigDialog::Form_QueryUnload() {
  close();
}

void ConfigDialog::LoadControls() {
  const Settings& s = p_.settings;
  // Each page loads in the order its own cascades rely on. The pages do not depend on one
  // another's order: the only reach across is the adapter page naming page 0's columns.
  optionsPage.Load(s);
  interfacePage.Load(s);
  adapterPage.Load(s);
  connectionPage.Load(s);
  sst = std::clamp<int>(s.ConfigLastTab, 0, static_cast<int>(TabCaptions.size()) - 1);
}

void ConfigDialog::StoreControls() {
  Settings& s = p_.settings;
  optionsPage.Store(s);
  interfacePage.Store(s);
  connectionPage.Store(s);
  adapterPage.Store(s);
}

void ConfigDialog::sst_Click(int tab) {
  if (tab < 0 || tab >= static_cast<int>(TabCaptions.size())) return;
  sst = tab;
  changed();
}

void ConfigDialog::cmdOK_Click() {
  StoreControls();
  p_.params.ApplySettings();
  p_.status.RefreshStatus();
  close();
}

void ConfigDialog::cmdCancel_Click() {
  close();
}

void ConfigDialog::close() {
  p_.settings.ConfigLastTab = static_cast<uint8_t>(sst);
  Unload();
}

}  // namespace zelkora
