#pragma once
// A terminal-like device on a null-modem cable, standing for the equipment on the
// Korvane side: it raises DTR and RTS, and sends only while its CTS (the port's RTS) is
// high when it obeys hardware flow.

#include "sim/support/SimSerialDevice.h"

namespace zelkora::sim {

class SimTerminal : public SimSerialDevice {
 public:
  explicit SimTerminal(SimCableEnd& end) : SimSerialDevice(end, Signal::CTS, Signal::RTS) {
    end.setOutput(Signal::DTR, true);
  }
  void setDTR(bool on) { end().setOutput(Signal::DTR, on); }
};

}  // namespace zelkora::sim
