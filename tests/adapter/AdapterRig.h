#pragma once
// A program on the bench for the adapter's own tests: the test operator and panel, a
// virtual clock, a SimAdapter at 0x378 and two serial ports that only open, close and
// show their modem lines. Port 2's carrier detect is the adapter's output unless a
// device on port 2 holds it; port 1's lines are set by the test. No registry is needed:
// nothing here loads or saves settings.

#include <string>
#include <vector>

#include "platform/CommPort.h"
#include "platform/Registry.h"
#include "relay/Program.h"
#include "sim/support/SimAdapter.h"
#include "support/FakeClipboard.h"
#include "support/Fakes.h"
#include "support/SimLoop.h"

namespace zelkora::test {

class LineStubPort : public CommPort {
 public:
  void setCommPort(int number) override { number_ = number; }
  int commPort() const override { return number_; }
  void setSettings(const std::string& text) override { settings_ = text; }
  std::string settings() const override { return settings_; }
  void setHandshaking(int) override {}
  void setDTREnable(bool on) override { dtr_ = on; }
  bool DTREnable() const override { return dtr_; }
  void setRTSEnable(bool on) override { rts_ = on; }
  bool RTSEnable() const override { return rts_; }
  void setInBufferSize(int16_t) override {}
  void setOutBufferSize(int16_t) override {}
  int16_t OutBufferSize() const override { return 1024; }
  void setInputLen(int16_t) override {}
  void setRThreshold(int16_t) override {}
  void setSThreshold(int16_t) override {}
  int16_t InBufferCount() const override { return 0; }
  void setInBufferCount(int16_t) override {}
  int16_t OutBufferCount() const override { return 0; }
  void setOutBufferCount(int16_t) override {}
  bool setBreak(bool) override { return true; }
  bool setPortOpen(bool open) override {
    open_ = open;
    return true;
  }
  bool PortOpen() const override { return open_; }
  void Output(const std::vector<uint8_t>&) override {}
  std::vector<uint8_t> Input() override { return {}; }
  bool CDHolding() const override { return carrierSource ? carrierSource() : carrier; }
  bool CTSHolding() const override { return false; }
  bool DSRHolding() const override { return false; }
  int CommEvent() const override { return event_; }

  // Delivers an event of the port, as the event thread would.
  void raise(int event) {
    event_ = event;
    if (OnComm) OnComm();
  }

  bool carrier = false;
  std::function<bool()> carrierSource;

 private:
  int number_ = 1;
  std::string settings_;
  bool dtr_ = false, rts_ = false, open_ = false;
  int event_ = 0;
};

class NoRegistry : public Registry {
 public:
  long RegOpenKeyA(HKEY, const std::string&, HKEY*) override { return ERROR_FILE_NOT_FOUND; }
  long RegCreateKeyA(HKEY, const std::string&, HKEY*) override { return ERROR_ACCESS_DENIED; }
  long RegCloseKey(HKEY) override { return ERROR_SUCCESS; }
  long RegQueryValueExA(HKEY, const std::string&, uint32_t*, uint8_t*, uint32_t*) override {
    return ERROR_FILE_NOT_FOUND;
  }
  long RegSetValueExA(HKEY, const std::string&, uint32_t, const uint8_t*, uint32_t) override {
    return ERROR_ACCESS_DENIED;
  }
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

struct AdapterRig {
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
  NoRegistry registry;
  LineStubPort com1, com2;
  sim::SimAdapter adapter{0x378};
  FakeProcess process;
  FakeSystemInfo system;
  FakeInstanceGuard instance;
  FakeShell shell;
  FakeAutostart autostart;
  FakeClipboard clipboard;
  ScriptedOperator op;
  FakePanel panel;
  FakeTray tray;
  bool port2CarrierHeld = false;
  Program program{
      {registry, loop, com1, com2, adapter, process, system, instance, shell, autostart,
       clipboard},
      {op, panel, tray}};
};

}  // namespace zelkora::test
