#pragma once
// The built program relaying between two pseudo-terminal pairs, as a test sees it from
// outside: the test holds both masters (the far ends of the two cables); the program gets
// COM2 (port 1) and COM3 (port 2) mapped to the slaves through links in its own folder,
// so that a far end can be replaced by a fresh pair while the program keeps its settings.
// The settings make the relay come on at start, with no splash and no first-run message,
// and with a flow control that lets every byte value through a pseudo-terminal.

#include <chrono>
#include <memory>
#include <string>

#include "support/ProgramProcess.h"
#include "support/PtyPair.h"

namespace zelkora::test {

struct RelayOptions {
  int duplex = 0;   // 0 both ways, 1 port 1 -> port 2 only, 2 port 2 -> port 1 only
  int bufSize = 2;  // buffer step 0..6
  bool autoStart = false;
  int autoStartTime = 1;  // countdown of 5 s per step
};

class RelayRig {
 public:
  // `executable` is the built program.
  RelayRig(const std::string& executable, const RelayOptions& options = {});

  // The registry text the program starts with.
  static std::string SettingsText(const RelayOptions& options, const std::string& port1Device,
                                  const std::string& port2Device);

  void start() { program_.start(); }
  ProgramProcess& program() { return program_; }
  const TempDir& home() const { return home_; }

  // The master of port n's cable (n is 1 or 2).
  PtyPair& farEnd(int n) { return *far_[static_cast<size_t>(n - 1)]; }
  // A new cable on port n: a fresh pair, the program's link pointed at its slave.
  void replaceFarEnd(int n);

  // Sends numbered probe bytes from port `from`'s far end until one arrives at the other
  // far end, then collects every probe still on its way, so that the line is quiet again.
  // False when none arrives within `timeout`.
  bool waitUntilRelaying(int from, std::chrono::milliseconds timeout);

  // Whether port n's device is closed by the program: its master reads a hang-up.
  // What arrives meanwhile is dropped.
  bool waitForHangUp(int n, std::chrono::milliseconds timeout);

  // Whatever reaches port n's far end within `quiet`.
  std::vector<uint8_t> collect(int n, std::chrono::milliseconds quiet);

 private:
  std::string linkPath(int n) const;
  void pointLink(int n);

  RelayOptions options_;
  TempDir home_;
  std::unique_ptr<PtyPair> far_[2];
  ProgramProcess program_;
};

}  // namespace zelkora::test
