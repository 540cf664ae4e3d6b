#include "platform/linux/TermiosSettings.h"

// Only the kernel's own terminal definitions here: termios2 and BOTHER are not in the C
// library's <termios.h>, whose struct termios clashes with the kernel's.
#include <asm/ioctls.h>
#include <asm/termbits.h>
#include <sys/ioctl.h>

#include <algorithm>
#include <cstdlib>

#include "platform/CommPort.h"

namespace zelkora {

namespace {

constexpr size_t kControlChars = std::min<size_t>(NCCS, 32);
// A UART receiver samples in the middle of each bit and copes with a few per cent.
constexpr double kRateTolerance = 0.03;

uint32_t sizeFlag(int dataBits) {
  switch (dataBits) {
    case 5:
      return CS5;
    case 6:
      return CS6;
    case 7:
      return CS7;
    default:
      return CS8;
  }
}

bool rateClose(uint32_t wanted, uint32_t actual) {
  const double diff = std::abs(static_cast<double>(actual) - static_cast<double>(wanted));
  return diff <= kRateTolerance * static_cast<double>(wanted);
}

}  // namespace

TermiosImage TermiosSettings::configure(const TermiosImage& current, const LineSettings& line,
                                        int handshaking) {
  TermiosImage t = current;
  t.iflag &= ~static_cast<uint32_t>(BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON |
                                    IXOFF | IXANY | INPCK | IUCLC | IMAXBEL | IUTF8);
  t.iflag |= IGNBRK;
  t.oflag &= ~static_cast<uint32_t>(OPOST);
  t.lflag &= ~static_cast<uint32_t>(ECHO | ECHOE | ECHOK | ECHONL | ECHOCTL | ECHOKE | ICANON |
                                    ISIG | IEXTEN);
  t.cflag &=
      ~static_cast<uint32_t>(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS | CBAUD | CIBAUD);
  t.cflag |= sizeFlag(line.dataBits) | CREAD | CLOCAL | BOTHER | (BOTHER << IBSHIFT);
  if (line.longStop()) t.cflag |= CSTOPB;
  if (handshaking == comm::comRTS || handshaking == comm::comRTSXOnXOff) t.cflag |= CRTSCTS;
  if (handshaking == comm::comXOnXoff || handshaking == comm::comRTSXOnXOff) {
    t.iflag |= IXON | IXOFF;
  }
  t.cc[VMIN] = 1;
  t.cc[VTIME] = 0;
  t.cc[VSTART] = 0x11;
  t.cc[VSTOP] = 0x13;
  t.ispeed = line.baud;
  t.ospeed = line.baud;
  return t;
}

bool TermiosSettings::took(const TermiosImage& wanted, const TermiosImage& actual) {
  constexpr uint32_t kLineFlags = CSIZE | CSTOPB | PARENB | CRTSCTS;
  constexpr uint32_t kFlowFlags = IXON | IXOFF;
  if ((wanted.cflag & kLineFlags) != (actual.cflag & kLineFlags)) return false;
  if ((wanted.iflag & kFlowFlags) != (actual.iflag & kFlowFlags)) return false;
  const uint32_t actualInput = actual.ispeed != 0 ? actual.ispeed : actual.ospeed;
  return rateClose(wanted.ospeed, actual.ospeed) && rateClose(wanted.ispeed, actualInput);
}

bool TermiosSettings::read(int fd, TermiosImage& image) {
  struct termios2 t {};
  if (::ioctl(fd, TCGETS2, &t) != 0) return false;
  image.iflag = t.c_iflag;
  image.oflag = t.c_oflag;
  image.cflag = t.c_cflag;
  image.lflag = t.c_lflag;
  image.line = t.c_line;
  image.cc.fill(0);
  std::copy_n(t.c_cc, kControlChars, image.cc.begin());
  image.ispeed = t.c_ispeed;
  image.ospeed = t.c_ospeed;
  return true;
}

bool TermiosSettings::write(int fd, const TermiosImage& image) {
  struct termios2 t {};
  t.c_iflag = image.iflag;
  t.c_oflag = image.oflag;
  t.c_cflag = image.cflag;
  t.c_lflag = image.lflag;
  t.c_line = image.line;
  std::copy_n(image.cc.begin(), kControlChars, t.c_cc);
  t.c_ispeed = image.ispeed;
  t.c_ospeed = image.ospeed;
  return ::ioctl(fd, TCSETS2, &t) == 0;
}

}  // namespace zelkora
