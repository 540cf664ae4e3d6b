#pragma once
// Moves the whole settings record between memory and the registry: read once at start,
// written once at exit, together with the start-with-the-system entry.

#include <string>

#include "platform/Registry.h"

namespace zelkora {

class Program;

class basRegMIRVO {
 public:
  static constexpr const char* SettingsParent = "SOFTWARE\\Devodovazar";
  static constexpr const char* SettingsName = "Zelkora";
  static constexpr const char* SettingsPath = "SOFTWARE\\Devodovazar\\Zelkora";
  static constexpr const char* RunPath = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
  static constexpr const char* RunValue = "Zelkora";

  explicit basRegMIRVO(Program& program) : p_(program) {}

  // Fills every field of the settings; ends the process when the registry cannot be used.
  void LoadSettings();
  // Writes every field and the autorun entry; ends the process when a key cannot be opened.
  void SaveSettings();
  // The command that starts this program automatically: the executable's folder, "/",
  // its file name, and " /a".
  std::string AutoRunCommand() const;

 private:
  [[noreturn]] void fail();
  Program& p_;
  HKEY hKey_ = 0;
};

}  // namespace zelkora
