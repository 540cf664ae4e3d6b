#pragma once
// The Korvane™ adapter on a simulated parallel port, as the program reaches it through
// IoPorts. The port's data register is a latch that reads back the byte last written;
// the status register (base + 1) carries, on mask 0x40, data bit 0x04 looped back by the
// adapter. Towards port 2 the adapter drives carrier detect when data bits 0x10 and 0x40
// are both high and the ring line when 0x20 and 0x80 are both high (the program always
// moves each pair together; 0x08 of the carrier group and the ring-lamp bit 0x02 reach
// no serial line). Other status bits read 0 while the adapter is plugged in; with the
// parallel connector out the inputs float (0x7F) and port 2 sees no line. Addresses the
// port does not decode read 0xFF and ignore writes.
//
// Every access is recorded, so a test can compare the register traffic byte for byte.

#include <cstdint>
#include <functional>
#include <ostream>
#include <vector>

#include "platform/IoPorts.h"

namespace zelkora::sim {

class SimAdapter : public IoPorts {
 public:
  enum class StatusFault { None, StuckHigh, StuckLow };
  struct Access {
    int address = 0;
    bool write = false;
    uint8_t value = 0;
    bool operator==(const Access&) const = default;
  };
  static constexpr uint8_t kFloatingStatus = 0x7F;
  static constexpr uint8_t kNothing = 0xFF;

  explicit SimAdapter(int base = 0x378) : base_(base) {}

  int agInp(int address) override;
  void agOutp(int address, int value) override;
  void release() override { ++releases; }

  int base() const { return base_; }
  void setParallelPlugged(bool plugged);
  void setSerialPlugged(bool plugged);
  void setStatusFault(StatusFault fault) { statusFault_ = fault; }
  // Sets the latch without recording an access (a state left by an earlier run).
  void preset(uint8_t latch);

  uint8_t latch() const { return latch_; }
  // The lines the adapter drives towards port 2.
  bool carrierDetect() const;
  bool ringIndicator() const;

  // The bytes written to the data register, from traffic index `from` on.
  std::vector<uint8_t> dataWrites(size_t from = 0) const;

  // Called after a change of carrierDetect() or ringIndicator().
  std::function<void(bool carrier, bool ring)> onPort2Lines;
  // Called after every access, once it is recorded.
  std::function<void(const Access&)> onAccess;

  std::vector<Access> traffic;
  int releases = 0;

 private:
  void linesMayHaveChanged();
  uint8_t status() const;

  int base_;
  uint8_t latch_ = 0;
  bool parallelPlugged_ = true;
  bool serialPlugged_ = true;
  StatusFault statusFault_ = StatusFault::None;
  bool carrier_ = false;
  bool ring_ = false;
};

inline std::ostream& operator<<(std::ostream& out, const SimAdapter::Access& a) {
  const char* hex = "0123456789ABCDEF";
  return out << (a.write ? "out " : "in  ") << std::hex << a.address << std::dec << " = 0x"
             << hex[a.value >> 4] << hex[a.value & 15];
}

}  // namespace zelkora::sim
