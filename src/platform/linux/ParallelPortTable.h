#pragma once
// The machine's parallel ports as the kernel's parport layer lists them: the name of each
// port, its ppdev device and the I/O address of its first register. The base address is
// published only under /proc/sys/dev/parport/<name>/base-addr ("888\t1912": base and
// high base, decimal); ports without one (0, e.g. USB adapters) cannot be matched.

#include <optional>
#include <string>
#include <vector>

namespace zelkora {

class ParallelPortTable {
 public:
  struct Port {
    std::string name;    // parport0
    std::string device;  // <root>/dev/parport0
    int base = 0;
  };
  enum class Register { Data, Status };
  struct Hit {
    Port port;
    Register reg;
  };

  // `root` prefixes every path (tests point it at a fake tree).
  explicit ParallelPortTable(std::string root = "") : root_(std::move(root)) {}

  // Reads the list again.
  void load();
  const std::vector<Port>& ports() const { return ports_; }
  // The port whose data register (base) or status register (base + 1) is at `address`.
  std::optional<Hit> find(int address) const;

 private:
  std::string root_;
  std::vector<Port> ports_;
};

}  // namespace zelkora
