#include "platform/linux/LinuxIoPorts.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

namespace zelkora {

namespace {

bool CanOpen(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  ::close(fd);
  return true;
}

// One byte of I/O space through /dev/port, retried when a signal interrupts it.
template <typename Transfer>
bool Transfer1(Transfer transfer) {
  ssize_t n = 0;
  do {
    n = transfer();
  } while (n < 0 && errno == EINTR);
  return n == 1;
}

}  // namespace

LinuxIoPorts::~LinuxIoPorts() {
  release();
}

bool LinuxIoPorts::accessAvailable(const std::string& root) {
  if (CanOpen(root + "/dev/port")) return true;
  DIR* dev = ::opendir((root + "/dev").c_str());
  if (dev == nullptr) return false;
  bool found = false;
  while (dirent* entry = ::readdir(dev)) {
    if (std::strncmp(entry->d_name, "parport", 7) == 0 && CanOpen(root + "/dev/" + entry->d_name)) {
      found = true;
      break;
    }
  }
  ::closedir(dev);
  return found;
}

bool LinuxIoPorts::openDevPort() {
  if (devPort_ >= 0) return true;
  if (devPortFailed_) return false;
  devPort_ = ::open((root_ + "/dev/port").c_str(), O_RDWR | O_CLOEXEC);
  devPortFailed_ = devPort_ < 0;
  return !devPortFailed_;
}

LinuxIoPorts::Route LinuxIoPorts::routeFor(int address) {
  if (!tableLoaded_) {
    table_.load();
    tableLoaded_ = true;
  }
  if (const auto hit = table_.find(address)) {
    auto& port = parports_[hit->port.device];
    if (!port) port = std::make_unique<PpdevPort>(hit->port.device);
    if (port->claim()) return {Backend::Parport, port.get(), hit->reg};
  }
  if (openDevPort()) return {Backend::DevPort, nullptr, ParallelPortTable::Register::Data};
  return {};
}

LinuxIoPorts::Backend LinuxIoPorts::backendFor(int address) {
  return routeFor(address).backend;
}

int LinuxIoPorts::agInp(int address) {
  const Route route = routeFor(address);
  uint8_t value = kNothing;
  switch (route.backend) {
    case Backend::Parport:
      if (route.reg == ParallelPortTable::Register::Data) {
        if (!route.port->readData(value)) value = kNothing;
      } else if (!route.port->readStatus(value)) {
        value = kNothing;
      }
      break;
    case Backend::DevPort:
      if (!Transfer1([&] { return ::pread(devPort_, &value, 1, address); })) value = kNothing;
      break;
    case Backend::None:
      break;
  }
  return value;
}

void LinuxIoPorts::agOutp(int address, int value) {
  const Route route = routeFor(address);
  const auto byte = static_cast<uint8_t>(value);
  switch (route.backend) {
    case Backend::Parport:
      // The status register takes no writes; the adapter never asks for one.
      if (route.reg == ParallelPortTable::Register::Data) route.port->writeData(byte);
      break;
    case Backend::DevPort:
      Transfer1([&] { return ::pwrite(devPort_, &byte, 1, address); });
      break;
    case Backend::None:
      break;
  }
}

void LinuxIoPorts::release() {
  for (auto& [device, port] : parports_) port->release();
  if (devPort_ >= 0) ::close(devPort_);
  devPort_ = -1;
  devPortFailed_ = false;
  tableLoaded_ = false;
}

}  // namespace zelkora
