#pragma once
// Composes what the control panel and the tray icon show of the relay state, the
// transfer counters and the buffer gauges.

#include <string>

namespace zelkora {

class Program;

class StatusDisplay {
 public:
  explicit StatusDisplay(Program& program) : p_(program) {}

  // Caption, state panel, buttons, icons, tray tip and tray menu marks.
  void RefreshStatus();
  // The four gauges, and the two counters too unless `GaugesOnly`.
  void RefreshCounters(bool GaugesOnly);
  // Bytes as megabytes with three decimals and " Мб".
  static std::string MegabytesText(double bytes);

 private:
  Program& p_;
};

}  // namespace zelkora
