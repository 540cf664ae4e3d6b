#include "ui/WindowSet.h"

#include <QApplication>
#include <QFile>

#include "relay/AboutDialog.h"
#include "relay/AutoStartDialog.h"
#include "relay/ConfigDialog.h"
#include "relay/Program.h"
#include "relay/SplashDialog.h"
#include "ui/QtOperator.h"
#include "ui/UiLook.h"
#include "ui/frmAbout.h"
#include "ui/frmAutoStart.h"
#include "ui/frmConfig.h"
#include "ui/frmLogo.h"
#include "ui/frmMain.h"

// The pictures are compiled into the static UI library; nothing else refers to them, so
// the linker would leave them out unless they are registered by name.
static void registerPictures() {
  Q_INIT_RESOURCE(zelkora);
}

namespace zelkora {

void WindowSet::applyApplicationLook(QApplication& app) {
  registerPictures();
  app.setFont(UiLook::arial(8.25));
  app.setWindowIcon(UiLook::stateIcon(0));
}

void WindowSet::registerDialogs(QtOperator& op, Program&, frmMain&) {
  op.setWindow(ModalDialog::Kind::Splash, [](ModalDialog& logic, QWidget* owner) {
    return std::make_unique<frmLogo>(static_cast<SplashDialog&>(logic), owner);
  });
  op.setWindow(ModalDialog::Kind::About, [](ModalDialog& logic, QWidget* owner) {
    return std::make_unique<frmAbout>(static_cast<AboutDialog&>(logic), owner);
  });
  op.setWindow(ModalDialog::Kind::Config, [](ModalDialog& logic, QWidget* owner) {
    return std::make_unique<frmConfig>(static_cast<ConfigDialog&>(logic), owner);
  });
  op.setWindow(ModalDialog::Kind::AutoStart, [](ModalDialog& logic, QWidget* owner) {
    return std::make_unique<frmAutoStart>(static_cast<AutoStartDialog&>(logic), owner);
  });
}

std::string WindowSet::adapterDescription() {
  QFile resource(":/korvane.txt");
  if (!resource.open(QIODevice::ReadOnly)) return {};
  return resource.readAll().toStdString();
}

}  // namespace zelkora
