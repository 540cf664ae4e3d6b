#pragma once
// The kernel's terminal settings of a serial device in the termios2 form, which carries
// the speed as a number (BOTHER), so that every rate of the port table — 14400, 28800 and
// 56000 among them — is asked for exactly. This header stays free of the kernel and C
// library terminal headers, which cannot be included together.

#include <array>
#include <cstdint>

#include "platform/linux/SettingsText.h"

namespace zelkora {

struct TermiosImage {
  uint32_t iflag = 0;
  uint32_t oflag = 0;
  uint32_t cflag = 0;
  uint32_t lflag = 0;
  uint8_t line = 0;
  std::array<uint8_t, 32> cc{};  // the first NCCS control characters
  uint32_t ispeed = 0;
  uint32_t ospeed = 0;
};

class TermiosSettings {
 public:
  // `current` in raw mode with the line parameters and the flow control of `handshaking`
  // (comm::comNone ... comm::comRTSXOnXOff). Reads return what has arrived (at least one
  // byte, no timer); a received break is a line condition, never a data byte; the device
  // opens and stays usable without a carrier.
  static TermiosImage configure(const TermiosImage& current, const LineSettings& line,
                                int handshaking);
  // Whether the device took what `wanted` asks for, judged by what it reports back. A
  // driver that rounds the rate to its clock is fine within what a receiver tolerates.
  static bool took(const TermiosImage& wanted, const TermiosImage& actual);

  static bool read(int fd, TermiosImage& image);
  static bool write(int fd, const TermiosImage& image);
};

}  // namespace zelkora
