#pragma once
// The countdown window after a fatal port fault; it renders the countdown logic.

#include "relay/AutoStartDialog.h"
#include "ui/DialogWindow.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace zelkora {

class frmAutoStart : public DialogWindow {
  Q_OBJECT
 public:
  frmAutoStart(AutoStartDialog& logic, QWidget* owner);
  void renderLogic() override;

 private:
  AutoStartDialog& countdown_;
  QLabel* lblLastError_;
  QLabel* lblTime_;
  QProgressBar* proTime_;
};

}  // namespace zelkora
