#pragma once
// Direct port access for the line-signal adapter. An address that is the data or status
// register of a parallel port the kernel knows (ParallelPortTable) goes through that
// port's ppdev device; any other address, or one whose ppdev device cannot be opened and
// claimed, goes through /dev/port at the address itself. Where neither can be had a read
// gives 0xFF (what an ISA bus returns where nothing answers, so the adapter's probe
// finds nothing) and a write does nothing.
//
// Everything is taken on first use and handed back by release(): the program releases
// after every reset of the adapter, so a printer driver sharing the port gets it back
// whenever the relay is off. `root` prefixes every path (tests point it at a fake tree).

#include <map>
#include <memory>
#include <string>

#include "platform/IoPorts.h"
#include "platform/linux/ParallelPortTable.h"
#include "platform/linux/PpdevPort.h"

namespace zelkora {

class LinuxIoPorts : public IoPorts {
 public:
  static constexpr int kNothing = 0xFF;
  enum class Backend { None, Parport, DevPort };

  explicit LinuxIoPorts(std::string root = "") : root_(std::move(root)), table_(root_) {}
  ~LinuxIoPorts() override;
  LinuxIoPorts(const LinuxIoPorts&) = delete;
  LinuxIoPorts& operator=(const LinuxIoPorts&) = delete;

  int agInp(int address) override;
  void agOutp(int address, int value) override;
  void release() override;

  // The way an access to `address` goes now (taking what it needs, as an access would).
  Backend backendFor(int address);

  // Whether any way of direct port access can be had on this machine: /dev/port or some
  // /dev/parport* opens for reading and writing. The program does not offer the adapter
  // otherwise.
  static bool accessAvailable(const std::string& root = "");

 private:
  struct Route {
    Backend backend = Backend::None;
    PpdevPort* port = nullptr;
    ParallelPortTable::Register reg = ParallelPortTable::Register::Data;
  };
  Route routeFor(int address);
  bool openDevPort();

  std::string root_;
  ParallelPortTable table_;
  bool tableLoaded_ = false;
  std::map<std::string, std::unique_ptr<PpdevPort>> parports_;
  int devPort_ = -1;
  bool devPortFailed_ = false;
};

}  // namespace zelkora
