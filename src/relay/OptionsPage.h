#pragma once
// Page 2 of the settings dialog, "Установки": behaviour of a connection (counters, drain,
// restart after a fault), the process priority and the refresh of the buffer gauges.

#include <array>

#include "relay/ConfigPageContext.h"
#include "relay/DialogControls.h"

namespace zelkora {

struct Settings;

class OptionsPage {
 public:
  static constexpr const char* ConnectionFrame = "Параметры связи";
  static constexpr const char* PriorityFrame = "Приоритет процесса";
  static constexpr const char* RefreshFrame = "Частота обновления информации о Буферах";
  // Under the priority slider's four positions, left to right.
  static constexpr std::array<const char*, 4> PriorityLabels{"Низкий", "Нормальный", "Высокий",
                                                             "Реальный (!)"};
  // Under the left end, the middle and the right end of the rate slider.
  static constexpr std::array<const char*, 3> RateScale{"1 Гц", "5 Гц", "10 Гц"};

  explicit OptionsPage(ConfigPageContext& context);

  CheckBox chkResetCounters;
  CheckBox chkFlushingBUF;
  CheckBox chkAutoStart;
  ComboBox cboAutostart;  // index + 1 = AutoStartTime, in steps of 5 s
  Slider sldPriority;
  Slider sldUpdateRate;
  Label lblUpdateRate;
  CheckBox chkSmoothBuf;

  void Load(const Settings& settings);
  void Store(Settings& settings) const;

  void chkResetCounters_Click(bool checked);
  void chkFlushingBUF_Click(bool checked);
  void chkAutoStart_Click(bool checked);
  void cboAutostart_Click(int index);
  void sldPriority_Change(int value);
  // On a change, a click and while the thumb is dragged.
  void sldUpdateRate_Change(int value);
  void chkSmoothBuf_Click(bool checked);

 private:
  void applyRestartRule();
  void showUpdateRate();

  ConfigPageContext& ctx_;
};

}  // namespace zelkora
