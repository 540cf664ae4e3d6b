#pragma once
// Page "Установки" of the settings window: connection behaviour, process priority and the
// refresh rate of the buffer gauges.

#include "relay/OptionsPage.h"
#include "ui/frmConfigPage.h"

class QSlider;

namespace zelkora {

class frmConfigOptionsPage : public frmConfigPage {
  Q_OBJECT
 public:
  frmConfigOptionsPage(OptionsPage& logic, QWidget* parent, std::function<void()> repaint);
  void render() override;

 private:
  // A horizontal slider with a tick for every value.
  QSlider* slider(QWidget* parent, const QRect& place, const char* name, int min, int max,
                  void (OptionsPage::*changed)(int));
  // A scale label under the slider, at `share` (0 left end, 1 right end) of its length.
  void scaleLabel(QWidget* parent, const QSlider* under, double share, const QString& text);

  OptionsPage& page_;
  QCheckBox *chkResetCounters_ = nullptr, *chkFlushingBUF_ = nullptr, *chkAutoStart_ = nullptr;
  QComboBox* cboAutostart_ = nullptr;
  QSlider *sldPriority_ = nullptr, *sldUpdateRate_ = nullptr;
  QLabel* lblUpdateRate_ = nullptr;
  QCheckBox* chkSmoothBuf_ = nullptr;
};

}  // namespace zelkora
