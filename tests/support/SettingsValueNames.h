#pragma once
// The names of the settings values in the order the program reads and writes them.

#include <string>
#include <vector>

namespace zelkora::test {

inline const std::vector<std::string>& SettingsValueNames() {
  static const std::vector<std::string> names{
      "LogoType",        "NonFirstRun",   "PosMainX",       "PosMainY",       "ConfigLastTab",
      "Priority",        "AutoRun",       "MeON",           "CplON",          "AutoMeON",
      "AutoCplON",       "LastCplON",     "SaveCplON",      "SmoothBuf",      "AutoClose",
      "AutoCloseEnsure", "Duplex",        "BufSize",        "LockPorts",      "UpdateRate",
      "FlushingBUF",     "ResetCounters", "AutoStart",      "AutoStartTime",  "COM1-Port",
      "COM1-Speed",      "COM1-DataBits", "COM1-StopBits",  "COM1-HandShake", "COM1-TrapDTR",
      "COM2-Port",       "COM2-Speed",    "COM2-DataBits",  "COM2-StopBits",  "COM2-HandShake",
      "COM2-TrapDTR",    "HWUse",         "HWMode",         "HWPortSel",      "HWPortOverride"};
  return names;
}

}  // namespace zelkora::test
