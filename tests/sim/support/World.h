#pragma once
// One whole program in the simulated world: port 1 (the modem side) on a straight cable to
// a modem, port 2 on a null-modem cable to the device on the Korvane side, the fakes of
// the operator, panel, tray and platform, a registry in memory, and the program context
// built on all of them. Everything runs in the virtual time of one SimLoop.
//
// Settings changed before start() are what the registry holds when the program loads
// them. Message boxes get their default answer and modal dialogs run the loop until they
// close, unless a test scripts the operator.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "relay/Program.h"
#include "sim/support/SimAdapter.h"
#include "sim/support/SimCable.h"
#include "sim/support/SimCommPort.h"
#include "sim/support/SimModem.h"
#include "sim/support/SimTerminal.h"
#include "support/FakeDesk.h"
#include "support/SimLoop.h"
#include "support/Stubs.h"

namespace zelkora::sim {

class World : public test::FakeDesk {
 public:
  enum class Button { ON, Pause, OFF };
  // Message boxes answered by default before the world decides that a loop never ends.
  static constexpr size_t MessageLimit = 200;

  // The program's real windows, for widget tests, in place of the fake panel and tray.
  struct Windows {
    Panel& panel;
    TrayIcon& tray;
    std::function<std::string()> adapterDescription;
  };

  // `io`: the parallel port to use instead of the plain latch.
  explicit World(IoPorts* io = nullptr, const Windows* windows = nullptr);
  World(const World&) = delete;
  World& operator=(const World&) = delete;

  SimLoop loop;
  SimCable modemLine{loop, SimCable::Wiring::Straight};
  SimCable korvaneLine{loop, SimCable::Wiring::NullModem};
  SimCommPort com1{loop, modemLine.end(0)};
  SimCommPort com2{loop, korvaneLine.end(0)};
  SimModem modem{loop, modemLine.end(1)};
  SimTerminal terminal{korvaneLine.end(1)};

  test::StubIoPorts latch;  // a data latch that reads back what was written
  IoPorts& io;

  Program program;

  Settings& settings() { return program.settings; }
  RunState& run() { return program.run; }
  RelayState state() const { return program.run.state(); }
  const PanelModel& model() const { return program.frmMain; }
  SimCommPort& port(int n) { return n == 1 ? com1 : com2; }
  // The device at the far end of port n's cable.
  SimSerialDevice& device(int n) {
    return n == 1 ? static_cast<SimSerialDevice&>(modem) : terminal;
  }

  // Stores the settings, sets both devices to their port's line format and flow control,
  // and runs start-up. False when start-up refused (another instance).
  bool start(const std::string& arguments = "");
  // The on command, as the start button does it; true when the relay is on.
  bool on();
  // A click on a panel button; false (and nothing happens) when the window would not
  // take it, because the button or the whole panel is disabled.
  bool click(Button button);
  // The window's close box: true when the window closed.
  bool requestClose();
  bool windowClosed() const { return windowClosed_; }

  void advance(int64_t ms) { loop.advance(ms); }
  bool runUntil(const std::function<bool()>& done, int64_t limitMs) {
    return loop.runUntil(done, limitMs);
  }

  // Devices take the line format and flow control of their port's settings.
  void matchDevicesToSettings();
  // Plugs the adapter's serial side into the Korvane cable: its carrier and ring reach
  // port 2 and the device there, and the terminal's DTR no longer drives carrier detect.
  void wireAdapter(SimAdapter& adapter);
  // Test data whose order can be checked; without XON and XOFF when `noFlowBytes`.
  static std::vector<uint8_t> pattern(size_t count, uint32_t seed, bool noFlowBytes = false);

 private:
  void storeSettings();
  bool windowClosed_ = false;
};

}  // namespace zelkora::sim
