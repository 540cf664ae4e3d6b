#pragma once
// A modem on a straight cable: it drives CTS, DSR, carrier detect and ring towards the
// port, sends only while the port's RTS is high (with hardware flow), and can ring.

#include "sim/support/SimSerialDevice.h"

namespace zelkora::sim {

class SimLoop;

class SimModem : public SimSerialDevice {
 public:
  // Powered on: CTS and DSR high, no carrier, no ring.
  SimModem(SimLoop& loop, SimCableEnd& end);

  void setCarrier(bool on) { end().setOutput(Signal::CD, on); }
  void setRing(bool on) { end().setOutput(Signal::RI, on); }
  void setCTS(bool on) { end().setOutput(Signal::CTS, on); }
  void setDSR(bool on) { end().setOutput(Signal::DSR, on); }
  // One ring: RI high for `ms`, then low.
  void ring(int ms = 1000);
  // The port's outputs as the modem sees them.
  bool rtsFromPort() const;
  bool dtrFromPort() const;

 private:
  SimLoop& loop_;
};

}  // namespace zelkora::sim
