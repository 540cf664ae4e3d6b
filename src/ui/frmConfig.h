#pragma once
// The settings window: four tab pages rendering the settings dialog's logic, OK and Cancel.
// Every input goes to the logic, which decides; the window repaints what it composed.

#include <array>

#include "relay/ConfigDialog.h"
#include "ui/DialogWindow.h"

class QPushButton;
class QTabWidget;

namespace zelkora {

class frmConfigPage;

class frmConfig : public DialogWindow {
  Q_OBJECT
 public:
  static constexpr int ClientWidth = 460;
  static constexpr int ClientHeight = 432;

  frmConfig(ConfigDialog& logic, QWidget* owner);
  void renderLogic() override;

  QTabWidget& tabs() { return *sst_; }

 private:
  ConfigDialog& config_;
  QTabWidget* sst_ = nullptr;
  std::array<frmConfigPage*, 4> pages_{};
  QPushButton *cmdOK_ = nullptr, *cmdCancel_ = nullptr;
};

}  // namespace zelkora
