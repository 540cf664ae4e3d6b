#pragma once
// Page "Трансляция" of the settings window: the transfer direction and the Korvane™
// adapter with its description.

#include <array>

#include "adapter/AdapterPage.h"
#include "ui/frmConfigPage.h"

class QListWidget;
class QPushButton;
class QRadioButton;
class QTextEdit;

namespace zelkora {

class frmConfigAdapterPage : public frmConfigPage {
  Q_OBJECT
 public:
  frmConfigAdapterPage(AdapterPage& logic, QWidget* parent, std::function<void()> repaint);
  void render() override;

 private:
  AdapterPage& page_;
  QListWidget* lstDuplex_ = nullptr;
  QRadioButton *optNoUseHW_ = nullptr, *optUseHW_ = nullptr;
  std::array<QLabel*, 5> lblHW_{};
  QWidget* hwPanel_ = nullptr;
  QLabel* lblHWRev_ = nullptr;
  QTextEdit* txtInfo_ = nullptr;
  QComboBox* cboLPT_ = nullptr;
  QPushButton* cmdChangeLPT_ = nullptr;
  QComboBox* cboHWMode_ = nullptr;
};

}  // namespace zelkora
