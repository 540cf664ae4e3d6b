#pragma once
// Base of the windows of modal dialogs whose logic lives in the core: the window renders
// the logic when it changes and hands its own close request to it.

#include <QDialog>

#include "relay/ModalDialog.h"

namespace zelkora {

class DialogWindow : public QDialog {
  Q_OBJECT
 public:
  DialogWindow(ModalDialog& logic, QWidget* owner) : QDialog(owner), logic_(logic) {}
  // Paints the logic's current state.
  virtual void renderLogic() = 0;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void reject() override { logic_.Form_QueryUnload(); }
  // Centres the window (of its fixed size) on the owner when the owner is on screen,
  // else on the screen: the panel that owns most dialogs is usually hidden.
  void centreOn(QWidget* owner);
  ModalDialog& logic_;
};

}  // namespace zelkora
