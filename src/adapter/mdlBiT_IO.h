#pragma once
// Bit operations on one byte. Bits are numbered 1 to 8; bit n has the mask 2^(n-1).

#include <cstdint>

namespace zelkora::mdlBiT_IO {

constexpr uint8_t Mask(int n) {
  return static_cast<uint8_t>(1u << (n - 1));
}

// State true sets the bit; false clears it when set and leaves the byte alone otherwise.
inline void SetBit(uint8_t& byte, int n, bool state) {
  if (state) {
    byte = static_cast<uint8_t>(byte | Mask(n));
  } else if ((byte & Mask(n)) != 0) {
    byte = static_cast<uint8_t>(byte ^ Mask(n));
  }
}

inline bool TestBit(uint8_t byte, int n) {
  return static_cast<uint8_t>(byte | Mask(n)) == byte;
}

inline void ToggleBit(uint8_t& byte, int n) {
  byte = static_cast<uint8_t>(byte ^ Mask(n));
}

}  // namespace zelkora::mdlBiT_IO
