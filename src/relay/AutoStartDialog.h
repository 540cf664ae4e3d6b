#pragma once
// The countdown dialog after a fatal port fault: it shows the fault, counts down
// 5 x AutoStartTime seconds and asks for a restart when the time is up or its start
// button is pressed; its stop button cancels.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/EventLoop.h"
#include "relay/ModalDialog.h"

namespace zelkora {

class Program;

class AutoStartDialog : public ModalDialog {
 public:
  static constexpr const char* Caption = "Zelkora® - Произошла ошибка порта : Автоперезапуск";

  explicit AutoStartDialog(Program& program);
  Kind kind() const override { return Kind::AutoStart; }
  void Form_Load() override;
  void Form_Activate() override;

  void tmrTime_Timer();
  void cmdSTART_Click();
  void cmdSTOP_Click();

  // What the window shows.
  std::string lblLastError;
  std::string lblTime;
  float proTime = 0;  // 0..100
  int16_t counter() const { return counter_; }
  bool timerEnabled() const { return tmrTime_->enabled(); }

 private:
  int seconds() const;
  Program& p_;
  std::unique_ptr<Timer> tmrTime_;
  int16_t counter_ = -1;
};

}  // namespace zelkora
