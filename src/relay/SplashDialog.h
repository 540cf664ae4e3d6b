#pragma once
// The splash window's logic: up for three seconds, deaf to clicks and keys, the tray
// held off meanwhile. It shows the version line of the About box, borrowed from a hidden
// About box on loading, so that both always show the same text.

#include <memory>
#include <string>

#include "platform/EventLoop.h"
#include "relay/ModalDialog.h"

namespace zelkora {

class Program;

class SplashDialog : public ModalDialog {
 public:
  static constexpr int ShowMs = 3000;

  explicit SplashDialog(Program& program);
  Kind kind() const override { return Kind::Splash; }
  void Form_Load() override;
  void Form_Activate() override;
  // The splash closes only by its timer.
  void Form_QueryUnload() override {}
  void tmrTimeOut_Timer();

  // The version line of both labels lblVer(0) and lblVer(1).
  std::string lblVer;

 private:
  Program& p_;
  std::unique_ptr<Timer> tmrTimeOut_;
};

}  // namespace zelkora
