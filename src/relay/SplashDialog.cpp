#include "relay/SplashDialog.h"

#include "relay/AboutDialog.h"
#include "relay/Program.h"

namespace zelkora {

SplashDialog::SplashDialog(Program& program)
    : p_(program), tmrTimeOut_(program.platform.loop.createTimer()) {
  tmrTimeOut_->setInterval(ShowMs);
  tmrTimeOut_->onTick = [this] { tmrTimeOut_Timer(); };
}

void SplashDialog::Form_Load() {
  AboutDialog about(p_);
  about.Form_Load();
  lblVer = about.lblVer.caption;
  changed();
}

void SplashDialog::Form_Activate() {
  p_.TrayReady = false;
  changed();
  tmrTimeOut_->setEnabled(true);
}

void SplashDialog::tmrTimeOut_Timer() {
  tmrTimeOut_->setEnabled(false);
  p_.TrayReady = true;
  Unload();
}

}  // namespace zelkora
