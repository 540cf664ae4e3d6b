#include "sim/support/SimCable.h"

#include <algorithm>
#include <cmath>

#include "support/SimLoop.h"

namespace zelkora::sim {

namespace {
int64_t atOrAfter(double us) {
  return static_cast<int64_t>(std::ceil(us));
}
uint8_t widthMask(int bits) {
  return static_cast<uint8_t>((1u << std::clamp(bits, 1, 8)) - 1u);
}
}  // namespace

SimCableEnd& SimCableEnd::peer() {
  return &cable_.a_ == this ? cable_.b_ : cable_.a_;
}

void SimCableEnd::setReceiveTrigger(size_t level) {
  trigger_ = std::clamp<size_t>(level, 1, FifoDepth);
}

void SimCableEnd::setHardwareFlow(std::optional<Signal> input) {
  hardwareFlow_ = input;
  kick();
}

void SimCableEnd::setSoftwareFlow(bool on) {
  softwareFlow_ = on;
  if (!on) xoffReceived_ = false;
  kick();
}

void SimCableEnd::resetFlowState() {
  xoffReceived_ = false;
  controlCount_ = 0;
}

void SimCableEnd::sendControl(uint8_t byte) {
  if (controlCount_ < control_.size()) control_[controlCount_++] = byte;
  kick();
}

void SimCableEnd::kick() {
  if (!onWire_) startNext(static_cast<double>(cable_.loop_.nowUs()));
}

bool SimCableEnd::mayStartData() const {
  if (hardwareFlow_ && !input(*hardwareFlow_)) return false;
  return !(softwareFlow_ && xoffReceived_);
}

void SimCableEnd::startNext(double earliestUs) {
  if (onWire_ || breakOn_ || breakPending_) return;
  uint8_t byte = 0;
  if (controlCount_ > 0) {
    byte = control_[0];
    std::copy(control_.begin() + 1, control_.begin() + static_cast<long>(controlCount_),
              control_.begin());
    --controlCount_;
  } else if (!mayStartData() || device_ == nullptr || !device_->nextByte(byte)) {
    return;
  }
  onWire_ = true;
  wireByte_ = byte;
  wireFormat_ = format_;
  const double start = std::max(earliestUs, wireFreeAtUs_);
  const double duration = format_.charUs();
  wireFreeAtUs_ = start + duration;
  if (firstStartUs_ < 0) firstStartUs_ = start;
  busyUs_ += duration;
  ++charsSent_;
  cable_.loop_.callAtUs(atOrAfter(wireFreeAtUs_), [this] { characterEnds(); });
}

void SimCableEnd::characterEnds() {
  onWire_ = false;
  lastEndUs_ = wireFreeAtUs_;
  // The receiver sees the character before this end decides on the next one, so that a
  // flow-control answer to it holds the next character back.
  peer().arrive(wireByte_, wireFormat_);
  if (breakPending_) {
    breakPending_ = false;
    enterBreak();
    return;
  }
  startNext(wireFreeAtUs_);
}

void SimCableEnd::setBreak(bool on) {
  if (on) {
    if (breakOn_ || breakPending_) return;
    if (onWire_) {
      breakPending_ = true;
    } else {
      enterBreak();
    }
    return;
  }
  breakPending_ = false;
  if (!breakOn_) return;
  breakOn_ = false;
  wireFreeAtUs_ = std::max(wireFreeAtUs_, static_cast<double>(cable_.loop_.nowUs()));
  if (peer().device_ != nullptr) peer().device_->breakChanged(false);
  kick();
}

void SimCableEnd::enterBreak() {
  breakOn_ = true;
  SimCableEnd& other = peer();
  other.flushFifo();
  if (other.device_ != nullptr) other.device_->breakChanged(true);
}

void SimCableEnd::arrive(uint8_t byte, const LineFormat& sender) {
  if (sender.speed != format_.speed) {
    flushFifo();
    if (device_ != nullptr) device_->framingError();
    return;
  }
  byte &= widthMask(std::min(sender.dataBits, format_.dataBits));
  if (softwareFlow_ && (byte == XON || byte == XOFF)) {
    xoffReceived_ = byte == XOFF;
    if (!xoffReceived_) kick();
    return;
  }
  fifo_[fifoCount_++] = byte;
  lastArrivalUs_ = cable_.loop_.nowUs();
  if (fifoCount_ >= trigger_) {
    flushFifo();
  } else {
    armTimeout();
  }
}

void SimCableEnd::armTimeout() {
  if (timeoutArmed_) return;
  timeoutArmed_ = true;
  cable_.loop_.callAtUs(lastArrivalUs_ + atOrAfter(4 * format_.charUs()), [this] { timeout(); });
}

void SimCableEnd::timeout() {
  timeoutArmed_ = false;
  if (fifoCount_ == 0) return;
  const int64_t due = lastArrivalUs_ + atOrAfter(4 * format_.charUs());
  if (cable_.loop_.nowUs() < due) {
    armTimeout();
    return;
  }
  flushFifo();
}

void SimCableEnd::flushFifo() {
  if (fifoCount_ == 0) return;
  std::array<uint8_t, FifoDepth> burst = fifo_;
  const size_t count = fifoCount_;
  fifoCount_ = 0;
  if (device_ != nullptr) device_->received(burst.data(), count);
}

void SimCableEnd::setOutput(Signal signal, bool high) {
  uint8_t& out = cable_.outputs_[static_cast<size_t>(index_)];
  const uint8_t before = out;
  out =
      high ? static_cast<uint8_t>(out | bitOf(signal)) : static_cast<uint8_t>(out & ~bitOf(signal));
  if (out != before) cable_.linesChanged();
}

bool SimCableEnd::output(Signal signal) const {
  return (cable_.outputs_[static_cast<size_t>(index_)] & bitOf(signal)) != 0;
}

bool SimCableEnd::input(Signal signal) const {
  return (cable_.inputs_[static_cast<size_t>(index_)] & bitOf(signal)) != 0;
}

void SimCableEnd::setExtraInput(Signal signal, bool high) {
  uint8_t& extra = cable_.extra_[static_cast<size_t>(index_)];
  extra = high ? static_cast<uint8_t>(extra | bitOf(signal))
               : static_cast<uint8_t>(extra & ~bitOf(signal));
  cable_.linesChanged();
}

SimCable::SimCable(SimLoop& loop, Wiring wiring, bool dtrDrivesCd)
    : loop_(loop), wiring_(wiring), dtrDrivesCd_(dtrDrivesCd) {}

void SimCable::setDtrDrivesCd(bool on) {
  dtrDrivesCd_ = on;
  linesChanged();
}

uint8_t SimCable::inputsOf(int index) const {
  const uint8_t other = outputs_[static_cast<size_t>(1 - index)];
  uint8_t in = 0;
  if (wiring_ == Wiring::Straight) {
    in = other;
  } else {
    auto has = [other](Signal s) { return (other & bitOf(s)) != 0; };
    if (has(Signal::RTS)) in |= bitOf(Signal::CTS);
    if (has(Signal::DTR)) {
      in |= bitOf(Signal::DSR);
      if (dtrDrivesCd_) in |= bitOf(Signal::CD);
    }
  }
  return static_cast<uint8_t>(in | extra_[static_cast<size_t>(index)]);
}

void SimCable::linesChanged() {
  for (int i = 0; i < 2; ++i) {
    const uint8_t now = inputsOf(i);
    const uint8_t changed = static_cast<uint8_t>(now ^ inputs_[static_cast<size_t>(i)]);
    if (changed == 0) continue;
    inputs_[static_cast<size_t>(i)] = now;
    SimCableEnd& e = end(i);
    if (e.device_ != nullptr) e.device_->inputsChanged(changed);
    // A flow input that rose lets a held transmitter go on.
    if (e.hardwareFlow_ && (changed & bitOf(*e.hardwareFlow_)) != 0) e.kick();
  }
}

}  // namespace zelkora::sim
