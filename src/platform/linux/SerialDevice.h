#pragma once
// One open serial device: exclusive, non-blocking, and the ioctls of its modem lines,
// break state, output queue and error counters. A pseudo-terminal has no modem lines,
// no break and ignores the line parameters by nature; those calls are no-ops there.

#include <cstdint>
#include <string>

#include "platform/linux/LineEvents.h"
#include "platform/linux/SettingsText.h"

namespace zelkora {

class SerialDevice {
 public:
  enum class Probe { Ok, Unsupported, Gone };

  SerialDevice() = default;
  SerialDevice(const SerialDevice&) = delete;
  SerialDevice& operator=(const SerialDevice&) = delete;
  ~SerialDevice() { close(); }

  // Opens `path` for this process alone (TIOCEXCL, and an flock that binds root too).
  bool open(const std::string& path);
  // Discards what is queued both ways and closes; errors are of no interest here.
  void close();
  bool isOpen() const { return fd_ >= 0; }
  int fd() const { return fd_; }
  bool isPseudoTerminal() const { return pty_; }

  // Raw mode with the line and flow control; false when the device did not take them.
  bool configure(const LineSettings& line, int handshaking);

  // Raises or lowers an output line (TIOCM_DTR, TIOCM_RTS).
  void setLine(int line, bool on);
  Probe modemLines(int& bits) const;
  Probe counters(LineCounters& out) const;
  // Bytes the kernel still holds for sending; 0 where it cannot tell.
  int outputQueue() const;
  // Holds the transmit line in the break state and keeps the kernel from feeding the
  // UART meanwhile, so that bytes already handed to the kernel wait instead of being
  // lost in the break. False when the device refused.
  bool setBreak(bool on);
  // Drops what the kernel has not sent yet.
  void discardOutput();

  // Whether an errno says the device is no longer there.
  static bool isGone(int err);

 private:
  int fd_ = -1;
  bool pty_ = false;
};

}  // namespace zelkora
