#include "relay/OptionsPage.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "relay/Settings.h"

namespace zelkora {

OptionsPage::OptionsPage(ConfigPageContext& context)
    : chkResetCounters{"Сбрасывать счетчики данных при соединении"},
      chkFlushingBUF{"Прокачивать (сливать) буферы при разъединении"},
      chkAutoStart{"Автоперезапуск после ошибок через:"},
      cboAutostart{{"05 сек.", "10 сек.", "15 сек.", "20 сек.", "25 сек.", "30 сек.", "35 сек.",
                    "40 сек.", "45 сек.", "50 сек.", "55 сек.", "60 сек."}},
      sldPriority{1, 4, 3},
      sldUpdateRate{1, 10, 2},
      chkSmoothBuf{"Плавные шкалы индикаторов"},
      ctx_(context) {
  showUpdateRate();
}

void OptionsPage::Load(const Settings& s) {
  sldPriority.value = s.Priority;
  chkSmoothBuf.checked = s.SmoothBuf;
  sldUpdateRate.value = s.UpdateRate;
  showUpdateRate();
  chkFlushingBUF.checked = s.FlushingBUF;
  chkResetCounters.checked = s.ResetCounters;
  chkAutoStart.checked = s.AutoStart;
  applyRestartRule();
  cboAutostart.index = s.AutoStartTime - 1;
}

void OptionsPage::Store(Settings& s) const {
  s.Priority = static_cast<uint8_t>(sldPriority.value);
  s.SmoothBuf = chkSmoothBuf.checked;
  s.UpdateRate = static_cast<int16_t>(sldUpdateRate.value);
  s.FlushingBUF = chkFlushingBUF.checked;
  s.ResetCounters = chkResetCounters.checked;
  s.AutoStart = chkAutoStart.checked;
  s.AutoStartTime = static_cast<uint8_t>(cboAutostart.selection() + 1);
}

void OptionsPage::chkResetCounters_Click(bool checked) {
  ctx_.tick(chkResetCounters, checked);
}
void OptionsPage::chkFlushingBUF_Click(bool checked) {
  ctx_.tick(chkFlushingBUF, checked);
}
void OptionsPage::chkSmoothBuf_Click(bool checked) {
  ctx_.tick(chkSmoothBuf, checked);
}

void OptionsPage::chkAutoStart_Click(bool checked) {
  chkAutoStart.checked = checked;
  applyRestartRule();
  ctx_.changed();
}

void OptionsPage::cboAutostart_Click(int index) {
  ctx_.pick(cboAutostart, index);
}

void OptionsPage::sldPriority_Change(int value) {
  sldPriority.value = std::clamp(value, sldPriority.min, sldPriority.max);
  ctx_.changed();
}

void OptionsPage::sldUpdateRate_Change(int value) {
  sldUpdateRate.value = std::clamp(value, sldUpdateRate.min, sldUpdateRate.max);
  showUpdateRate();
  ctx_.changed();
}

void OptionsPage::applyRestartRule() {
  cboAutostart.enabled = chkAutoStart.checked;
}

void OptionsPage::showUpdateRate() {
  lblUpdateRate.caption = std::to_string(sldUpdateRate.value) + " Гц";
}

}  // namespace zelkora
