#include "platform/linux/PpdevPort.h"

#include <fcntl.h>
#include <linux/ppdev.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>

namespace zelkora {

namespace {
int Ioctl(int fd, unsigned long request, void* argument) {
  int result = 0;
  do {
    result = ::ioctl(fd, request, argument);
  } while (result < 0 && errno == EINTR);
  return result;
}
}  // namespace

PpdevPort::~PpdevPort() {
  release();
}

bool PpdevPort::claim() {
  if (claimed_) return true;
  if (failed_) return false;
  if (fd_ < 0) fd_ = ::open(device_.c_str(), O_RDWR | O_CLOEXEC);
  if (fd_ >= 0 && Ioctl(fd_, PPCLAIM, nullptr) == 0) {
    claimed_ = true;
    return true;
  }
  failed_ = true;
  return false;
}

void PpdevPort::release() {
  if (claimed_) Ioctl(fd_, PPRELEASE, nullptr);
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  claimed_ = false;
  failed_ = false;
}

bool PpdevPort::readData(uint8_t& value) {
  return Ioctl(fd_, PPRDATA, &value) == 0;
}

bool PpdevPort::writeData(uint8_t value) {
  return Ioctl(fd_, PPWDATA, &value) == 0;
}

bool PpdevPort::readStatus(uint8_t& value) {
  return Ioctl(fd_, PPRSTATUS, &value) == 0;
}

}  // namespace zelkora
