#include "ui/frmConfigOptionsPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QSlider>
#include <cmath>

#include "ui/ControlBinding.h"
#include "ui/UiLook.h"

namespace zelkora {

namespace {
// The handle's half width: the ends of the scale lie that far inside the slider.
constexpr int kHandleInset = 6;
constexpr int kScaleLabelWidth = 90;
}  // namespace

frmConfigOptionsPage::frmConfigOptionsPage(OptionsPage& logic, QWidget* parent,
                                           std::function<void()> repaint)
    : frmConfigPage(parent, std::move(repaint)), page_(logic) {
  setObjectName("page2");
  QGroupBox* link = frame(this, {8, 4, 430, 102}, "fraConnection",
                          QString::fromUtf8(OptionsPage::ConnectionFrame));
  chkResetCounters_ = check(link, {12, 22, 406, 20}, "chkResetCounters",
                            [this](bool on) { page_.chkResetCounters_Click(on); });
  chkFlushingBUF_ = check(link, {12, 46, 406, 20}, "chkFlushingBUF",
                          [this](bool on) { page_.chkFlushingBUF_Click(on); });
  chkAutoStart_ = check(link, {12, 72, 240, 20}, "chkAutoStart",
                        [this](bool on) { page_.chkAutoStart_Click(on); });
  cboAutostart_ = combo(link, {256, 71, 90, 22}, "cboAutostart",
                        [this](int i) { page_.cboAutostart_Click(i); });

  QGroupBox* priority =
      frame(this, {8, 112, 430, 86}, "fraPriority", QString::fromUtf8(OptionsPage::PriorityFrame));
  sldPriority_ =
      slider(priority, {24, 24, 382, 28}, "sldPriority", 1, 4, &OptionsPage::sldPriority_Change);
  for (size_t i = 0; i < OptionsPage::PriorityLabels.size(); ++i) {
    scaleLabel(priority, sldPriority_, static_cast<double>(i) / 3.0,
               QString::fromUtf8(OptionsPage::PriorityLabels[i]));
  }

  QGroupBox* rate =
      frame(this, {8, 204, 430, 110}, "fraRefresh", QString::fromUtf8(OptionsPage::RefreshFrame));
  sldUpdateRate_ =
      slider(rate, {24, 24, 290, 28}, "sldUpdateRate", 1, 10, &OptionsPage::sldUpdateRate_Change);
  for (size_t i = 0; i < OptionsPage::RateScale.size(); ++i) {
    scaleLabel(rate, sldUpdateRate_, static_cast<double>(i) / 2.0,
               QString::fromUtf8(OptionsPage::RateScale[i]));
  }
  lblUpdateRate_ = UiLook::textPanel(rate, {328, 22, 86, 32}, "lblUpdateRate");
  lblUpdateRate_->setFont(UiLook::arial(12, true));
  chkSmoothBuf_ = check(rate, {24, 80, 390, 20}, "chkSmoothBuf",
                        [this](bool on) { page_.chkSmoothBuf_Click(on); });
}

QSlider* frmConfigOptionsPage::slider(QWidget* parent, const QRect& place, const char* name,
                                      int min, int max, void (OptionsPage::*changed)(int)) {
  auto* s = new QSlider(Qt::Horizontal, parent);
  s->setObjectName(name);
  s->setGeometry(place);
  s->setRange(min, max);
  s->setPageStep(1);
  s->setTickPosition(QSlider::TicksBelow);
  s->setTickInterval(1);
  s->setTracking(true);  // the label follows the thumb while it is dragged
  connect(s, &QSlider::valueChanged, this,
          [this, changed](int value) { forward([&] { (page_.*changed)(value); }); });
  return s;
}

void frmConfigOptionsPage::scaleLabel(QWidget* parent, const QSlider* under, double share,
                                      const QString& text) {
  const QRect g = under->geometry();
  auto* l = new QLabel(text, parent);
  l->setObjectName("lblScale");
  const int y = g.bottom() + 2;
  // The ends of the scale start and end with the slider; the others are centred on their
  // position.
  if (share <= 0) {
    l->setGeometry(g.left(), y, kScaleLabelWidth, 18);
    l->setAlignment(Qt::AlignLeft);
  } else if (share >= 1) {
    l->setGeometry(g.right() + 1 - kScaleLabelWidth, y, kScaleLabelWidth, 18);
    l->setAlignment(Qt::AlignRight);
  } else {
    const int span = g.width() - 2 * kHandleInset;
    const int centre = g.left() + kHandleInset + static_cast<int>(std::lround(share * span));
    l->setGeometry(centre - kScaleLabelWidth / 2, y, kScaleLabelWidth, 18);
    l->setAlignment(Qt::AlignHCenter);
  }
}

void frmConfigOptionsPage::render() {
  ControlBinding::render(chkResetCounters_, page_.chkResetCounters);
  ControlBinding::render(chkFlushingBUF_, page_.chkFlushingBUF);
  ControlBinding::render(chkAutoStart_, page_.chkAutoStart);
  ControlBinding::render(cboAutostart_, page_.cboAutostart);
  ControlBinding::render(sldPriority_, page_.sldPriority);
  ControlBinding::render(sldUpdateRate_, page_.sldUpdateRate);
  ControlBinding::render(lblUpdateRate_, page_.lblUpdateRate);
  ControlBinding::render(chkSmoothBuf_, page_.chkSmoothBuf);
}

}  // namespace zelkora
