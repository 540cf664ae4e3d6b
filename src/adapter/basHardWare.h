#pragma once
// The line-signal adapter on a parallel port: its base address, its carrier, ring and
// ring-lamp outputs, the reset, and the detection when the relay is switched on. Every
// change of the data register is a read-modify-write of the register itself; no copy of
// it is kept in memory.

#include <cstdint>
#include <string>

namespace zelkora {

class Program;

enum class AdapterLine { DCD = 1, RI = 2, RingLamp = 3 };
enum class AdapterResult { AdapterReady = 0, AdapterSkipped = 1, AdapterStopped = 2 };

class basHardWare {
 public:
  explicit basHardWare(Program& program) : p_(program) {}

  // AdapterBase from HWPortSel and HWPortOverride; touches no register.
  void SetAdapterBase();
  // Raises or lowers one group of outputs.
  void SetAdapterLine(AdapterLine line, bool state);
  void SetAdapterLine(int line, bool state);
  // All outputs low and AdapterBusy clear, when the adapter is in use; else nothing.
  void ResetAdapter();
  // Finds and initialises the adapter, asking the operator when it does not answer.
  AdapterResult InitAdapter();

 private:
  Program& p_;
};

}  // namespace zelkora
