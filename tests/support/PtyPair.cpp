#include "support/PtyPair.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <stdexcept>

namespace zelkora::test {

PtyPair::PtyPair() {
  master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
    if (master_ >= 0) ::close(master_);
    throw std::runtime_error("no pseudo-terminal");
  }
  char name[128];
  if (::ptsname_r(master_, name, sizeof name) != 0) {
    ::close(master_);
    throw std::runtime_error("no pseudo-terminal name");
  }
  slavePath_ = name;
}

PtyPair::~PtyPair() {
  closeMaster();
}

void PtyPair::closeMaster() {
  if (master_ >= 0) ::close(master_);
  master_ = -1;
}

size_t PtyPair::write(const uint8_t* bytes, size_t n) {
  if (n == 0) return 0;
  const ssize_t w = ::write(master_, bytes, n);
  return w > 0 ? static_cast<size_t>(w) : 0;
}

std::vector<uint8_t> PtyPair::readAvailable(size_t max) {
  std::vector<uint8_t> bytes(max);
  const ssize_t r = ::read(master_, bytes.data(), max);
  bytes.resize(r > 0 ? static_cast<size_t>(r) : 0);
  return bytes;
}

}  // namespace zelkora::test
