#pragma once
// The line parameters of a port as the settings text "speed,parity,data bits,stop bits"
// states them, e.g. "9600,N,8,1" or "115200,N,5,1.5", restricted to what a UART can do:
// no parity, 5 to 8 data bits, one stop bit, 1.5 only with 5 data bits, 2 only with 6 to 8
// (the UART's long stop setting gives 1.5 bits at 5 data bits and 2 bits otherwise).

#include <cstdint>
#include <optional>
#include <string>

namespace zelkora {

struct LineSettings {
  uint32_t baud = 9600;
  int dataBits = 8;
  int stopHalfBits = 2;  // stop bits times two: 2, 3 or 4

  bool longStop() const { return stopHalfBits > 2; }
  // Bits on the line per character (start, data, stop) times two.
  int halfBitsPerCharacter() const { return 2 * (1 + dataBits) + stopHalfBits; }

  // Nullopt for a text that is malformed or asks for what the line cannot do.
  static std::optional<LineSettings> parse(const std::string& text);
};

}  // namespace zelkora
