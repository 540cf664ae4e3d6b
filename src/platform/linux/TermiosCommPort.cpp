#include "platform/linux/TermiosCommPort.h"

#include <sys/ioctl.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <limits>
#include <optional>

namespace zelkora {

namespace {

int16_t asCount(size_t n) {
  return static_cast<int16_t>(std::min<size_t>(n, std::numeric_limits<int16_t>::max()));
}

size_t toIovec(ByteRing::Pieces pieces, iovec (&iov)[2]) {
  iov[0] = {pieces.first.data(), pieces.first.size()};
  iov[1] = {pieces.second.data(), pieces.second.size()};
  return pieces.second.empty() ? 1 : 2;
}

bool transient(int err) {
  return err == EAGAIN || err == EWOULDBLOCK || err == EINTR;
}

}  // namespace

TermiosCommPort::TermiosCommPort(EventLoop& loop,
                                 std::function<std::string(int comNumber)> devicePath)
    : loop_(loop), devicePath_(std::move(devicePath)), drainTimer_(loop.createTimer()) {
  drainTimer_->onTick = [this] {
    drainTimer_->setEnabled(false);
    afterOutputProgress();
  };
}

TermiosCommPort::~TermiosCommPort() {
  close();
}

void TermiosCommPort::setSettings(const std::string& text) {
  settings_ = text;
  reconfigure();
}

void TermiosCommPort::setHandshaking(int mode) {
  handshaking_ = mode;
  reconfigure();
}

// A change while open takes effect at once when the device takes it; otherwise the port
// goes on as it was, and the next open reports the fault.
void TermiosCommPort::reconfigure() {
  if (!open_) return;
  const std::optional<LineSettings> line = LineSettings::parse(settings_);
  if (line && device_.configure(*line, handshaking_)) line_ = *line;
}

void TermiosCommPort::setDTREnable(bool on) {
  dtr_ = on;
  if (open_) device_.setLine(TIOCM_DTR, on);
}

void TermiosCommPort::setRTSEnable(bool on) {
  rts_ = on;
  if (open_) device_.setLine(TIOCM_RTS, on);
}

void TermiosCommPort::setInBufferSize(int16_t bytes) {
  if (bytes > 0) inSize_ = bytes;
}

void TermiosCommPort::setOutBufferSize(int16_t bytes) {
  if (bytes > 0) outSize_ = bytes;
}

int16_t TermiosCommPort::InBufferCount() const {
  return asCount(in_.size());
}

void TermiosCommPort::setInBufferCount(int16_t count) {
  if (count != 0) return;
  // Only the program's own buffer: bytes still in the kernel have not been seen by
  // anyone yet and must not be lost between an Input and this call.
  in_.clear();
  if (open_ && !gone_) setReading(true);
}

int16_t TermiosCommPort::OutBufferCount() const {
  return asCount(out_.size() + static_cast<size_t>(device_.outputQueue()));
}

void TermiosCommPort::setOutBufferCount(int16_t count) {
  if (count != 0) return;
  out_.clear();
  if (!open_) return;
  device_.discardOutput();
  setWriting(false);
  drainTimer_->setEnabled(false);
  afterOutputProgress();
}

bool TermiosCommPort::setBreak(bool on) {
  breakOn_ = on;
  if (!open_) return true;
  const bool ok = device_.setBreak(on);
  if (on) {
    setWriting(false);
    drainTimer_->setEnabled(false);
  } else {
    writeBlock();
  }
  return ok;
}

bool TermiosCommPort::setPortOpen(bool open) {
  if (!open) {
    close();
    return true;
  }
  return open_ || this->open();
}

bool TermiosCommPort::open() {
  const std::optional<LineSettings> line = LineSettings::parse(settings_);
  if (!line || !devicePath_) return false;
  if (!device_.open(devicePath_(commPort_))) return false;
  if (!device_.configure(*line, handshaking_) || !device_.setBreak(breakOn_)) {
    device_.close();
    return false;
  }
  line_ = *line;
  device_.setLine(TIOCM_DTR, dtr_);
  device_.setLine(TIOCM_RTS, rts_);
  in_.reset(static_cast<size_t>(inSize_));
  out_.reset(static_cast<size_t>(outSize_));
  gone_ = false;
  receivePosted_ = sendPosted_ = txFullPosted_ = sendArmed_ = false;
  ++generation_;
  open_ = true;

  const int fd = device_.fd();
  readWatch_ = loop_.watchFd(fd, EventLoop::Watch::Read, [this] { readBlock(); });
  reading_ = true;
  writeWatch_ = loop_.watchFd(fd, EventLoop::Watch::Write, [this] { writeBlock(); });
  writing_ = true;
  setWriting(false);
  if (!device_.isPseudoTerminal() && watcher_.start(fd)) {
    lineWatch_ =
        loop_.watchFd(watcher_.notifyFd(), EventLoop::Watch::Read, [this] { onLinesChanged(); });
  }
  // Read after the watcher runs, so that a change in between is not missed.
  device_.modemLines(lines_);
  counters_ = {};
  device_.counters(counters_);
  return true;
}

void TermiosCommPort::close() {
  if (!open_) return;
  ++generation_;
  open_ = false;
  for (EventLoop::WatchId* id : {&readWatch_, &writeWatch_, &lineWatch_}) {
    if (*id >= 0) loop_.unwatchFd(*id);
    *id = -1;
  }
  reading_ = writing_ = false;
  drainTimer_->setEnabled(false);
  // The watcher may still be inside an ioctl on the device: it goes first.
  watcher_.stop();
  device_.close();
  in_.clear();
  out_.clear();
  gone_ = false;
  lines_ = 0;
}

void TermiosCommPort::Output(const std::vector<uint8_t>& bytes) {
  if (!open_) return;
  const size_t taken = out_.append(bytes);
  if (taken < bytes.size()) postOnce(comm::comEventTxFull, txFullPosted_);
  if (sThreshold_ > 0 && out_.size() >= static_cast<size_t>(sThreshold_)) sendArmed_ = true;
  writeBlock();
}

std::vector<uint8_t> TermiosCommPort::Input() {
  const size_t n =
      inputLen_ > 0 ? std::min(in_.size(), static_cast<size_t>(inputLen_)) : in_.size();
  std::vector<uint8_t> bytes = in_.take(n);
  if (open_ && !gone_ && !bytes.empty()) setReading(true);
  return bytes;
}

bool TermiosCommPort::lineHeld(int bit) const {
  int bits = 0;
  return open_ && device_.modemLines(bits) == SerialDevice::Probe::Ok && (bits & bit) != 0;
}

bool TermiosCommPort::CDHolding() const {
  return lineHeld(TIOCM_CD);
}
bool TermiosCommPort::CTSHolding() const {
  return lineHeld(TIOCM_CTS);
}
bool TermiosCommPort::DSRHolding() const {
  return lineHeld(TIOCM_DSR);
}

void TermiosCommPort::readBlock() {
  if (in_.space() == 0) {
    setReading(false);
    return;
  }
  iovec iov[2];
  const size_t pieces = toIovec(in_.room(), iov);
  const ssize_t n = ::readv(device_.fd(), iov, static_cast<int>(pieces));
  if (n < 0 && transient(errno)) return;
  // In raw mode a read waits for one byte at least, so 0 means a hang-up; a pseudo-
  // terminal whose other end has closed answers EIO.
  if (n <= 0) {
    deviceGone();
    return;
  }
  in_.commit(static_cast<size_t>(n));
  LineCounters now;
  if (device_.counters(now) == SerialDevice::Probe::Ok) reportErrors(now);
  if (rThreshold_ > 0 && in_.size() >= static_cast<size_t>(rThreshold_)) {
    postOnce(comm::comEvReceive, receivePosted_);
  }
  if (in_.space() == 0) setReading(false);
}

void TermiosCommPort::writeBlock() {
  if (!open_ || gone_ || breakOn_ || out_.empty()) {
    setWriting(false);
    afterOutputProgress();
    return;
  }
  iovec iov[2];
  const size_t pieces = toIovec(out_.filled(), iov);
  const ssize_t n = ::writev(device_.fd(), iov, static_cast<int>(pieces));
  if (n < 0 && !transient(errno)) {
    deviceGone();
    return;
  }
  if (n > 0) out_.consume(static_cast<size_t>(n));
  setWriting(!out_.empty());
  afterOutputProgress();
}

void TermiosCommPort::afterOutputProgress() {
  if (!open_ || gone_) return;
  const size_t threshold = sThreshold_ > 0 ? static_cast<size_t>(sThreshold_) : 0;
  // The kernel's queue matters only once the program's buffer is (nearly) empty.
  const bool look = out_.size() < std::max<size_t>(threshold, 1);
  const int queued = look ? device_.outputQueue() : 0;
  if (sendArmed_ && out_.size() + static_cast<size_t>(queued) < threshold) {
    sendArmed_ = false;
    postOnce(comm::comEvSend, sendPosted_);
  }
  if (out_.empty() && queued > 0 && !breakOn_) armDrainCheck(queued);
}

// Looks at the kernel's queue again when the line should have sent it.
void TermiosCommPort::armDrainCheck(int queued) {
  if (drainTimer_->enabled()) return;
  const int64_t halfBits = static_cast<int64_t>(queued) * line_.halfBitsPerCharacter();
  const int64_t ms =
      (halfBits * 1000 + 2 * line_.baud - 1) / (2 * static_cast<int64_t>(line_.baud));
  drainTimer_->setInterval(static_cast<int>(std::clamp<int64_t>(ms, 1, 600000)));
  drainTimer_->setEnabled(true);
}

void TermiosCommPort::onLinesChanged() {
  watcher_.acknowledge();
  int bits = 0;
  const SerialDevice::Probe probe = device_.modemLines(bits);
  if (probe == SerialDevice::Probe::Gone) {
    deviceGone();
    return;
  }
  if (probe != SerialDevice::Probe::Ok) return;
  LineCounters now = counters_;
  const bool counted = device_.counters(now) == SerialDevice::Probe::Ok;
  for (int code : LineEvents::lineChanges(lines_, bits, counters_, now)) post(code);
  lines_ = bits;
  if (counted) reportErrors(now);
}

void TermiosCommPort::reportErrors(const LineCounters& now) {
  for (int code : LineEvents::errors(counters_, now)) post(code);
  counters_ = now;
}

void TermiosCommPort::setReading(bool on) {
  if (readWatch_ < 0 || reading_ == on) return;
  loop_.setWatchEnabled(readWatch_, on);
  reading_ = on;
}

void TermiosCommPort::setWriting(bool on) {
  if (writeWatch_ < 0 || writing_ == on) return;
  loop_.setWatchEnabled(writeWatch_, on);
  writing_ = on;
}

// Reported once; the descriptors stay open but unwatched (a hung-up terminal is always
// readable) until the relay closes the port.
void TermiosCommPort::deviceGone() {
  if (gone_) return;
  gone_ = true;
  setReading(false);
  setWriting(false);
  if (lineWatch_ >= 0) loop_.setWatchEnabled(lineWatch_, false);
  drainTimer_->setEnabled(false);
  post(comm::comEventDCB);
}

void TermiosCommPort::post(int code) {
  const std::weak_ptr<int> alive = alive_;
  const uint64_t generation = generation_;
  loop_.post([this, alive, generation, code] {
    if (!alive.expired()) deliver(generation, code);
  });
}

void TermiosCommPort::postOnce(int code, bool& pending) {
  if (pending) return;
  pending = true;
  post(code);
}

// Conditions are judged again on delivery: what was true when the event was posted may
// have changed in between (a send event promises an empty output buffer).
void TermiosCommPort::deliver(uint64_t generation, int code) {
  if (generation != generation_ || !open_) return;
  switch (code) {
    case comm::comEvReceive:
      receivePosted_ = false;
      if (rThreshold_ <= 0 || InBufferCount() < rThreshold_) return;
      break;
    case comm::comEvSend:
      sendPosted_ = false;
      if (sThreshold_ <= 0 || OutBufferCount() >= sThreshold_) return;
      break;
    case comm::comEventTxFull:
      txFullPosted_ = false;
      break;
    default:
      break;
  }
  if (!OnComm) return;
  const std::weak_ptr<int> alive = alive_;
  const int previous = event_;
  event_ = code;
  OnComm();
  if (!alive.expired()) event_ = previous;
}

}  // namespace zelkora
