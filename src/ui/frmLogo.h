#pragma once
// The splash window: the logo with the version line, topmost, for three seconds; it does
// not react to clicks or keys.

#include <array>

#include "relay/SplashDialog.h"
#include "ui/DialogWindow.h"

class QLabel;

namespace zelkora {

class frmLogo : public DialogWindow {
  Q_OBJECT
 public:
  frmLogo(SplashDialog& logic, QWidget* owner);
  void renderLogic() override;

 protected:
  void keyPressEvent(QKeyEvent*) override {}
  void mousePressEvent(QMouseEvent*) override {}
  void mouseDoubleClickEvent(QMouseEvent*) override {}
  void reject() override {}

 private:
  SplashDialog& splash_;
  std::array<QLabel*, 2> lblVer_{};
};

}  // namespace zelkora
