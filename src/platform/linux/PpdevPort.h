#pragma once
// One parallel port through the kernel's ppdev driver (/dev/parportN). The port is shared
// with the system's other parallel-port users (a printer driver): it is claimed before
// the first register access and held until release(). A claim waits while another driver
// is in the middle of a transfer; the data lines keep their state across a release.

#include <cstdint>
#include <string>

namespace zelkora {

class PpdevPort {
 public:
  explicit PpdevPort(std::string device) : device_(std::move(device)) {}
  ~PpdevPort();
  PpdevPort(const PpdevPort&) = delete;
  PpdevPort& operator=(const PpdevPort&) = delete;

  // Opens the device and claims the port unless that is done already. False when either
  // fails; the failure is remembered until release().
  bool claim();
  // Hands the port back and closes the device.
  void release();

  // Register access on a claimed port; false when the driver refused.
  bool readData(uint8_t& value);
  bool writeData(uint8_t value);
  bool readStatus(uint8_t& value);

 private:
  std::string device_;
  int fd_ = -1;
  bool claimed_ = false;
  bool failed_ = false;
};

}  // namespace zelkora
