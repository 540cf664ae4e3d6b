#pragma once
// Page "Интерфейс" of the settings window: what happens at an automatic and a plain start,
// the splash screen, and closing while the relay is on.

#include "relay/InterfacePage.h"
#include "ui/frmConfigPage.h"

namespace zelkora {

class frmConfigInterfacePage : public frmConfigPage {
  Q_OBJECT
 public:
  frmConfigInterfacePage(InterfacePage& logic, QWidget* parent, std::function<void()> repaint);
  void render() override;

 private:
  InterfacePage& page_;
  QCheckBox* chkAutoRun_ = nullptr;
  QGroupBox* fraAutorun_ = nullptr;
  QCheckBox *chkAutoMeON_ = nullptr, *chkAutoCplON_ = nullptr;
  QCheckBox *chkMeON_ = nullptr, *chkCplON_ = nullptr, *chkSaveCplON_ = nullptr;
  QComboBox* cboLogo_ = nullptr;
  QCheckBox *chkAutoClose_ = nullptr, *chkAutoCloseEnsure_ = nullptr;
};

}  // namespace zelkora
