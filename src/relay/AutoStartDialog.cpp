#include "relay/AutoStartDialog.h"

#include <cstdio>

#include "relay/Program.h"

namespace zelkora {

AutoStartDialog::AutoStartDialog(Program& program)
    : p_(program), tmrTime_(program.platform.loop.createTimer()) {
  tmrTime_->setInterval(1000);
  tmrTime_->onTick = [this] { tmrTime_Timer(); };
}

int AutoStartDialog::seconds() const { return 5 * p_.settings.AutoStartTime; }

void AutoStartDialog::Form_Load() {
  lblLastError = p_.run.LastFault;
  counter_ = -1;
  changed();
}

void AutoStartDialog::Form_Activate() {
  tmrTime_Timer();
  if (!closed()) tmrTime_->setEnabled(true);
}

void AutoStartDialog::tmrTime_Timer() {
  ++counter_;
  const int remaining = seconds() - counter_;
  char digits[16];
  std::snprintf(digits, sizeof digits, "%02d", remaining);
  lblTime = std::string(digits) + " секунд" + "\r" + "до Автоперезапуска";
  if (counter_ > 0) {
    proTime = static_cast<float>(counter_) / static_cast<float>(seconds()) * 100.0f;
  }
  changed();
  if (counter_ >= seconds()) {
    tmrTime_->setEnabled(false);
    cmdSTART_Click();
  }
}

void AutoStartDialog::cmdSTART_Click() {
  tmrTime_->setEnabled(false);
  lblTime = "Автоперезапуск !";
  p_.run.RestartRequested = true;
  Unload();
}

void AutoStartDialog::cmdSTOP_Click() {
  tmrTime_->setEnabled(false);
  p_.run.RestartRequested = false;
  Unload();
}

}  // namespace zelkora
