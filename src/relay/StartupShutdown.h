#pragma once
// The program's entry and exit: start-up in its fixed order, the close request of the
// control panel, the shutdown sequence, and the orderly end on a termination signal.

#include <string>

namespace zelkora {

class Program;

class StartupShutdown {
 public:
  explicit StartupShutdown(Program& program) : p_(program) {}

  // Whether the argument string marks an automatic start: exactly one of the six switches.
  static bool IsAutoStartSwitch(const std::string& arguments);

  // Runs start-up. False when another instance runs: the caller ends at once, status 0.
  bool StartUp(const std::string& arguments);
  void DetectNT();
  // The close request of the control panel; `cancel` set refuses the close.
  void Form_QueryUnload(bool& cancel);
  void ShutDown();
  // A termination signal or the end of the desktop session: the relay off at once,
  // shutdown, settings saved, then the process ends with status 0.
  [[noreturn]] void Terminate();

  bool shutDownDone() const { return shutDownDone_; }

 private:
  Program& p_;
  bool settingsLoaded_ = false;
  bool shutDownDone_ = false;
};

}  // namespace zelkora
