#pragma once
// The line-signal adapter on a parallel port: its base address, its carrier, ring and
// ring-lamp outputs, the reset, and the detection when the relay is switched on. Every
// change of the data register is a read-modify-write of the register itself; no copy of
// it is kept in memory.

#include <cstdint>
#include <initializer_list>
#include <string>

namespace zelkora {

class Program;

enum class AdapterLine { DCD = 1, RI = 2, RingLamp = 3 };
enum class AdapterResult { AdapterReady = 0, AdapterSkipped = 1, AdapterStopped = 2 };

class basHardWare {
 public:
  // A pause between a probe write and its read: at most this many passes of the event
  // loop, and no more passes once this much loop time has gone by.
  static constexpr int kPauseYields = 500;
  static constexpr int64_t kPauseLimitMs = 5;

  explicit basHardWare(Program& program) : p_(program) {}

  // AdapterBase from HWPortSel and HWPortOverride; touches no register.
  void SetAdapterBase();
  // Raises or lowers one group of outputs.
  void SetAdapterLine(AdapterLine line, bool state);
  void SetAdapterLine(int line, bool state);
  // All outputs low and AdapterBusy clear, when the adapter is in use; else no register
  // is touched. Either way the port is handed back until its next use.
  void ResetAdapter();
  // Finds and initialises the adapter, asking the operator when it does not answer.
  // Preconditions: HWUse set, AdapterBase set, both serial ports open.
  AdapterResult InitAdapter();

 private:
  enum class Probe { Passed, NotFound, NotConnected, Interrupted };

  // Both probe phases from a reset register; the first failing step ends the probe.
  Probe RunProbe(uint64_t epoch);
  // One probe step: inverts `bits` (and bit 1 on even steps) by read-modify-write and
  // pauses; `newState` is the state just written to the first of `bits`. False when the
  // relay went away during the pause.
  bool ProbeStep(int step, std::initializer_list<int> bits, uint64_t epoch, bool& newState);
  // False when the relay was switched off underneath, or a port fault got latched.
  bool Pause(uint64_t epoch);
  bool Interrupted(uint64_t epoch) const;
  // Ends a detection whose relay went away (or got a fault latched) without a message.
  AdapterResult Abandon(uint64_t epoch);
  std::string FailureText(Probe failure) const;
  Program& p_;
};

}  // namespace zelkora
