#include "ui/frmConfigConnectionPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>

#include "ui/ControlBinding.h"
#include "ui/UiLook.h"

namespace zelkora {

namespace {
constexpr int kColumnX[2] = {150, 298};
constexpr int kColumnWidth = 140;
constexpr int kFirstRowY = 46;
constexpr int kRowStep = 30;
constexpr const char* kRowNames[6] = {"cboPort", "cboSpeed",     "cboBits",
                                      "cboStop", "cboHandShake", "cboTrapDTR"};
}  // namespace

frmConfigConnectionPage::frmConfigConnectionPage(ConnectionPage& logic, QWidget* parent,
                                                 std::function<void()> repaint)
    : frmConfigPage(parent, std::move(repaint)), page_(logic) {
  setObjectName("page0");
  for (size_t p = 0; p < 2; ++p) {
    lblPort_[p] = UiLook::textPanel(this, {kColumnX[p], 6, kColumnWidth, 32},
                                    p == 0 ? "lblPort1" : "lblPort2");
    lblPort_[p]->setFont(UiLook::arial(14, true));
  }
  using Handler = void (ConnectionPage::*)(int, int);
  constexpr Handler handlers[6] = {
      &ConnectionPage::cboPort_Click,      &ConnectionPage::cboSpeed_Click,
      &ConnectionPage::cboBits_Click,      &ConnectionPage::cboStop_Click,
      &ConnectionPage::cboHandShake_Click, &ConnectionPage::cboTrapDTR_Click};
  for (size_t r = 0; r < rows_.size(); ++r) {
    const int y = kFirstRowY + static_cast<int>(r) * kRowStep;
    QLabel* caption =
        label(this, {8, y, 138, 22}, "lblRow", QString::fromUtf8(ConnectionPage::RowLabels[r]));
    caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    for (int n = 1; n <= 2; ++n) {
      const QString name = QString("%1%2").arg(kRowNames[r]).arg(n);
      rows_[r][ConnectionPage::at(n)] =
          combo(this, {kColumnX[n - 1], y, kColumnWidth, 22}, name.toLatin1().constData(),
                [this, handler = handlers[r], n](int index) { (page_.*handler)(n, index); });
    }
  }
  chkLock_ =
      check(this, {8, 232, 430, 22}, "chkLock", [this](bool on) { page_.chkLock_Click(on); });
  label(this, {8, 266, 60, 22}, "lblBuffer", QString::fromUtf8(ConnectionPage::BufferLabel));
  cboBuffer_ = combo(this, {72, 266, 366, 22}, "cboBuffer",
                     [this](int index) { page_.cboBuffer_Click(index); });
}

void frmConfigConnectionPage::render() {
  const std::array<const ConnectionPage::PortPair*, 6> models{
      &page_.cboPort, &page_.cboSpeed,     &page_.cboBits,
      &page_.cboStop, &page_.cboHandShake, &page_.cboTrapDTR};
  for (size_t p = 0; p < 2; ++p) ControlBinding::render(lblPort_[p], page_.lblPort[p]);
  for (size_t r = 0; r < rows_.size(); ++r) {
    for (size_t p = 0; p < 2; ++p) ControlBinding::render(rows_[r][p], (*models[r])[p]);
  }
  ControlBinding::render(chkLock_, page_.chkLock);
  ControlBinding::render(cboBuffer_, page_.cboBuffer);
}

}  // namespace zelkora
