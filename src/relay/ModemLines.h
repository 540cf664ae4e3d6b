#pragma once
// The modem-line lamps, the line branches of the port event handler and the two ring
// timers that blink the ring lamps and time the adapter's ring pulse.

namespace zelkora {

class Program;

class ModemLines {
 public:
  explicit ModemLines(Program& program) : p_(program) {}

  // reset false: lamps 2..6 of `port` from their sources; reset true: all twelve dark.
  void RefreshLamps(int port, bool reset);
  // CommEvent 3..6 of port n.
  void OnLineEvent(int n, int commEvent);
  // Tick of ring timer k.
  void tmrRing_Timer(int k);

 private:
  void StartRing(int n);
  Program& p_;
};

}  // namespace zelkora
