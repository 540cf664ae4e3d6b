#include "sim/support/SimModem.h"

#include "support/SimLoop.h"

namespace zelkora::sim {

SimModem::SimModem(SimLoop& loop, SimCableEnd& end)
    : SimSerialDevice(end, Signal::RTS, Signal::CTS), loop_(loop) {
  setDSR(true);
}

void SimModem::ring(int ms) {
  setRing(true);
  loop_.callAfterMs(ms, [this] { setRing(false); });
}

bool SimModem::rtsFromPort() const {
  return end().input(Signal::RTS);
}
bool SimModem::dtrFromPort() const {
  return end().input(Signal::DTR);
}

}  // namespace zelkora::sim
