#pragma once
// The relay's states and the only commands that change them: on, pause (a toggle) and
// off (a drain or a disconnect), with the drain tick that finishes a drain.

#include <cstdint>

namespace zelkora {

class Program;

class RelayControl {
 public:
  explicit RelayControl(Program& program) : p_(program) {}

  // Configures and opens both ports; true when both are open and ready.
  bool Connect();
  // Closes both ports and resets everything; advances the relay epoch.
  void Disconnect();
  void cmdON_Click();
  void cmdPause_Click();
  void cmdOFF_Click();
  void tmrFLUSH_Timer();

 private:
  // Opens port n in the break state, asking the operator on failure. False when the
  // operator cancelled or the relay was switched off while the question was open.
  bool OpenPort(int n, uint64_t epoch);
  Program& p_;
};

}  // namespace zelkora
