#pragma once
// Page "Соединение" of the settings window: both ports' parameters in two columns, the
// port lock and the buffer size.

#include <array>

#include "relay/ConnectionPage.h"
#include "ui/frmConfigPage.h"

namespace zelkora {

class frmConfigConnectionPage : public frmConfigPage {
  Q_OBJECT
 public:
  frmConfigConnectionPage(ConnectionPage& logic, QWidget* parent, std::function<void()> repaint);
  void render() override;

 private:
  ConnectionPage& page_;
  std::array<QLabel*, 2> lblPort_{};
  // Rows in the order of ConnectionPage::RowLabels, element 0 for port 1.
  std::array<std::array<QComboBox*, 2>, 6> rows_{};
  QCheckBox* chkLock_ = nullptr;
  QComboBox* cboBuffer_ = nullptr;
};

}  // namespace zelkora
