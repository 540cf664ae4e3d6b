#include "ui/WindowSet.h"

#include <QApplication>

#include "relay/AutoStartDialog.h"
#include "relay/Program.h"
#include "ui/QtOperator.h"
#include "ui/UiLook.h"
#include "ui/frmAutoStart.h"
#include "ui/frmLogo.h"
#include "ui/frmMain.h"

namespace zelkora {

void WindowSet::applyApplicationLook(QApplication& app) {
  app.setFont(UiLook::arial(8.25));
  app.setWindowIcon(UiLook::stateIcon(0));
}

void WindowSet::registerDialogs(QtOperator& op, Program&, frmMain&) {
  op.setWindow(ModalDialog::Kind::Splash, [](ModalDialog& logic, QWidget* owner) {
    return std::make_unique<frmLogo>(logic, owner);
  });
  op.setWindow(ModalDialog::Kind::AutoStart, [](ModalDialog& logic, QWidget* owner) {
    return std::make_unique<frmAutoStart>(static_cast<AutoStartDialog&>(logic), owner);
  });
}

}  // namespace zelkora
