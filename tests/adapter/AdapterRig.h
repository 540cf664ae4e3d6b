#pragma once
// A program on the bench for the adapter's own tests: the test operator and panel, a
// virtual clock, a SimAdapter at 0x378 and two serial ports that only open, close and
// show their modem lines. Port 2's carrier detect is the adapter's output unless a
// device on port 2 holds it; port 1's lines are set by the test.

#include <string>
#include <vector>

#include "relay/Program.h"
#include "sim/support/SimAdapter.h"
#include "support/FakeDesk.h"
#include "support/SimLoop.h"
#include "support/Stubs.h"

namespace zelkora::test {

// A port that opens and shows the carrier the test gives it, and delivers the events
// the test raises.
class LineStubPort : public StubCommPort {
 public:
  bool CDHolding() const override { return carrierSource ? carrierSource() : carrier; }
  int CommEvent() const override { return event_; }

  // Delivers an event of the port, as the event thread would.
  void raise(int event) {
    event_ = event;
    if (OnComm) OnComm();
  }

  bool carrier = false;
  std::function<bool()> carrierSource;

 private:
  int event_ = 0;
};

// The virtual clock, counting the passes the program makes; a pass may be given a cost in
// virtual time, as a busy real loop would take.
class CountingLoop : public sim::SimLoop {
 public:
  void yield() override {
    ++yields;
    SimLoop::yield();
    if (yieldCostUs > 0) advanceUs(yieldCostUs);
  }
  int yields = 0;
  int64_t yieldCostUs = 0;
};

struct AdapterRig : FakeDesk {
  AdapterRig() {
    com2.carrierSource = [this] { return port2CarrierHeld || adapter.carrierDetect(); };
    program.settings.HWUse = true;
    program.settings.HWPortSel = 1;
    program.params.ApplySettings();
    adapter.traffic.clear();
  }

  // Switches the relay on, as a click on the on button does.
  void relayOn() { program.relay.cmdON_Click(); }
  // Ports open as Connect leaves them, for calling InitAdapter directly.
  void portsOpen() {
    com1.setPortOpen(true);
    com2.setPortOpen(true);
  }

  CountingLoop loop;
  LineStubPort com1, com2;
  sim::SimAdapter adapter{0x378};
  bool port2CarrierHeld = false;
  Program program{
      {registry, loop, com1, com2, adapter, process, system, instance, shell, autostart, clipboard},
      {op, panel, tray}};
};

}  // namespace zelkora::test
