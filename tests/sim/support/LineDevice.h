#pragma once
// What a simulated serial line knows of the devices at its ends: the modem-control
// signals, the framing of characters, and the device's side of the line.

#include <cstddef>
#include <cstdint>

namespace zelkora::sim {

enum class Signal : uint8_t { RTS, DTR, CTS, DSR, CD, RI };
constexpr uint8_t bitOf(Signal s) {
  return static_cast<uint8_t>(1u << static_cast<unsigned>(s));
}

inline constexpr uint8_t XON = 0x11;
inline constexpr uint8_t XOFF = 0x13;

// The framing of the characters an end sends and expects (no parity).
struct LineFormat {
  int32_t speed = 9600;
  int dataBits = 8;
  double stopBits = 1;
  double charUs() const { return (1 + dataBits + stopBits) * 1e6 / speed; }
  bool operator==(const LineFormat&) const = default;
};

// What is plugged into one end of a cable.
class LineDevice {
 public:
  virtual ~LineDevice() = default;
  // The next byte to transmit, when the device has one ready now.
  virtual bool nextByte(uint8_t& byte) = 0;
  // Characters out of the receiving UART's FIFO, in arrival order.
  virtual void received(const uint8_t* bytes, size_t count) = 0;
  // A character arrived at a speed this end's UART does not run at.
  virtual void framingError() {}
  virtual void breakChanged(bool /*on*/) {}
  // Input lines moved; `changed` holds their bits (bitOf).
  virtual void inputsChanged(uint8_t /*changed*/) {}
};

}  // namespace zelkora::sim
