#include "platform/linux/SerialDevice.h"

#include <fcntl.h>
#include <linux/serial.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>

#include "platform/linux/TermiosSettings.h"

namespace zelkora {

namespace {

// Unix98 pseudo-terminal slaves (/dev/pts/N), the BSD-style pairs, and the multiplexer.
bool pseudoTerminal(int fd) {
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISCHR(st.st_mode)) return false;
  const unsigned maj = major(st.st_rdev);
  if (maj >= 136 && maj <= 143) return true;
  if (maj == 2 || maj == 3) return true;
  unsigned ptyNumber = 0;
  return ::ioctl(fd, TIOCGPTN, &ptyNumber) == 0;
}

}  // namespace

bool SerialDevice::isGone(int err) {
  return err == EIO || err == ENXIO || err == ENODEV || err == EBADF;
}

bool SerialDevice::open(const std::string& path) {
  close();
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  if (!::isatty(fd) || ::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::ioctl(fd, TIOCEXCL) != 0) {
    ::close(fd);
    return false;
  }
  fd_ = fd;
  pty_ = pseudoTerminal(fd);
  return true;
}

void SerialDevice::close() {
  if (fd_ < 0) return;
  // Closing waits for queued output to drain (up to half a minute on a stopped line);
  // the port's contract is that closing discards it.
  setBreak(false);
  discardOutput();
  ::tcflush(fd_, TCIFLUSH);
  ::ioctl(fd_, TIOCNXCL);
  ::close(fd_);
  fd_ = -1;
  pty_ = false;
}

bool SerialDevice::configure(const LineSettings& line, int handshaking) {
  TermiosImage current;
  if (!TermiosSettings::read(fd_, current)) return false;
  const TermiosImage wanted = TermiosSettings::configure(current, line, handshaking);
  if (!TermiosSettings::write(fd_, wanted)) return false;
  if (pty_) return true;
  TermiosImage actual;
  return TermiosSettings::read(fd_, actual) && TermiosSettings::took(wanted, actual);
}

void SerialDevice::setLine(int line, bool on) {
  if (fd_ < 0 || pty_) return;
  ::ioctl(fd_, on ? TIOCMBIS : TIOCMBIC, &line);
}

SerialDevice::Probe SerialDevice::modemLines(int& bits) const {
  bits = 0;
  if (fd_ < 0 || pty_) return Probe::Unsupported;
  if (::ioctl(fd_, TIOCMGET, &bits) == 0) return Probe::Ok;
  bits = 0;
  return isGone(errno) ? Probe::Gone : Probe::Unsupported;
}

SerialDevice::Probe SerialDevice::counters(LineCounters& out) const {
  if (fd_ < 0 || pty_) return Probe::Unsupported;
  struct serial_icounter_struct ic {};
  if (::ioctl(fd_, TIOCGICOUNT, &ic) != 0) return isGone(errno) ? Probe::Gone : Probe::Unsupported;
  out.cts = ic.cts;
  out.dsr = ic.dsr;
  out.rng = ic.rng;
  out.dcd = ic.dcd;
  out.frame = ic.frame;
  out.overrun = ic.overrun;
  out.parity = ic.parity;
  out.brk = ic.brk;
  out.bufOverrun = ic.buf_overrun;
  return Probe::Ok;
}

int SerialDevice::outputQueue() const {
  if (fd_ < 0 || pty_) return 0;
  int queued = 0;
  if (::ioctl(fd_, TIOCOUTQ, &queued) != 0 || queued < 0) return 0;
  return queued;
}

bool SerialDevice::setBreak(bool on) {
  if (fd_ < 0 || pty_) return true;
  int result = 0;
  if (on) {
    ::tcflow(fd_, TCOOFF);
    result = ::ioctl(fd_, TIOCSBRK);
  } else {
    result = ::ioctl(fd_, TIOCCBRK);
    ::tcflow(fd_, TCOON);
  }
  return result == 0 || !isGone(errno);
}

// What a pseudo-terminal was given is already in the other end's input: that has been
// sent, and flushing it there would destroy bytes a line would have delivered.
void SerialDevice::discardOutput() {
  if (fd_ >= 0 && !pty_) ::tcflush(fd_, TCOFLUSH);
}

}  // namespace zelkora
