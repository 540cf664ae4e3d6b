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
  // The program is done with the port for now: a shared device may be handed back to the
  // system's other users (the lines keep their last state). The next access takes the
  // port again, so calling this too often costs time, never correctness.
  virtual void release() {}
};

}  // namespace zelkora
