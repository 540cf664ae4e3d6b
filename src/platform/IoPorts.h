#pragma once
// Direct access to I/O ports: a byte read from, or written to, a port address.

namespace zelkora {

class IoPorts {
 public:
  virtual ~IoPorts() = default;
  // The byte at `address` in the low 8 bits.
  virtual int agInp(int address) = 0;
  // Puts the low 8 bits of `value` on `address`.
  virtual void agOutp(int address, int value) = 0;
};

}  // namespace zelkora
