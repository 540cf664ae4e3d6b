#include "sim/support/SimCommPort.h"

#include <algorithm>

#include "platform/linux/SettingsText.h"

#include "support/SimLoop.h"

namespace zelkora::sim {

SimCommPort::SimCommPort(SimLoop& loop, SimCableEnd& end) : loop_(loop), end_(end) {
  end_.attach(this);
}

SimCommPort::~SimCommPort() {
  end_.attach(nullptr);
}

std::optional<LineFormat> SimCommPort::ParseSettings(const std::string& text) {
  // The same texts as the real port: what a UART can take.
  const std::optional<LineSettings> line = LineSettings::parse(text);
  if (!line) return std::nullopt;
  LineFormat f;
  f.speed = static_cast<int32_t>(line->baud);
  f.dataBits = line->dataBits;
  f.stopBits = line->stopHalfBits / 2.0;
  return f;
}

bool SimCommPort::hardwareFlow() const {
  return handshaking_ == comm::comRTS || handshaking_ == comm::comRTSXOnXOff;
}

bool SimCommPort::softwareFlow() const {
  return handshaking_ == comm::comXOnXoff || handshaking_ == comm::comRTSXOnXOff;
}

void SimCommPort::setDTREnable(bool on) {
  dtrEnable_ = on;
  updateOutputs();
}

void SimCommPort::setRTSEnable(bool on) {
  rtsEnable_ = on;
  updateOutputs();
}

void SimCommPort::updateOutputs() {
  end_.setOutput(Signal::DTR, open_ && dtrEnable_);
  end_.setOutput(Signal::RTS, open_ && rtsEnable_ && !(hardwareFlow() && rxHeld_));
}

void SimCommPort::setInBufferCount(int16_t count) {
  if (count != 0) return;
  in_.clear();
  updateReceiveFlow();
}

void SimCommPort::setOutBufferCount(int16_t count) {
  if (count == 0) out_.clear();
}

bool SimCommPort::setBreak(bool on) {
  break_ = on;
  if (open_ && !vanished_) end_.setBreak(on);
  return true;
}

bool SimCommPort::setPortOpen(bool open) {
  if (open == open_) return true;
  if (open) {
    if (vanished_ || unavailable.count(commPort_) != 0) return false;
    const std::optional<LineFormat> format = ParseSettings(settings_);
    if (!format) return false;
    open_ = true;
    ++opens_;
    ++generation_;
    in_.clear();
    out_.clear();
    queued_.clear();
    rxHeld_ = false;
    end_.resetFlowState();
    end_.setFormat(*format);
    end_.setHardwareFlow(hardwareFlow() ? std::optional<Signal>(Signal::CTS) : std::nullopt);
    end_.setSoftwareFlow(softwareFlow());
    end_.setBreak(break_);
    updateOutputs();
    return true;
  }
  // Closing discards the buffers and every event not yet delivered; a character already
  // on the wire still reaches the other side.
  open_ = false;
  ++generation_;
  in_.clear();
  out_.clear();
  queued_.clear();
  rxHeld_ = false;
  break_ = false;
  end_.setBreak(false);
  end_.setHardwareFlow(std::nullopt);
  end_.setSoftwareFlow(false);
  end_.resetFlowState();
  updateOutputs();
  return true;
}

void SimCommPort::Output(const std::vector<uint8_t>& bytes) {
  if (!open_) {
    ++misuse_;
    return;
  }
  const size_t room = static_cast<size_t>(std::max<int>(0, outSize_ - OutBufferCount()));
  const size_t taken = std::min(room, bytes.size());
  out_.insert(out_.end(), bytes.begin(), bytes.begin() + static_cast<long>(taken));
  if (taken < bytes.size()) {
    droppedBytes_ += static_cast<int64_t>(bytes.size() - taken);
    raise(comm::comEventTxFull);
  }
  if (!vanished_) end_.kick();
}

std::vector<uint8_t> SimCommPort::Input() {
  if (!open_) {
    ++misuse_;
    return {};
  }
  std::vector<uint8_t> bytes;
  if (inputLen_ <= 0 || static_cast<size_t>(inputLen_) >= in_.size()) {
    bytes.swap(in_);
  } else {
    bytes.assign(in_.begin(), in_.begin() + inputLen_);
    in_.erase(in_.begin(), in_.begin() + inputLen_);
  }
  updateReceiveFlow();
  return bytes;
}

bool SimCommPort::nextByte(uint8_t& byte) {
  if (!open_ || vanished_ || out_.empty()) return false;
  const size_t before = out_.size();
  byte = out_.front();
  out_.pop_front();
  const auto threshold = static_cast<size_t>(std::max<int16_t>(sThreshold_, 0));
  if (threshold > 0 && before >= threshold && out_.size() < threshold) raise(comm::comEvSend);
  return true;
}

void SimCommPort::received(const uint8_t* bytes, size_t count) {
  if (!open_ || vanished_) return;
  const size_t room = static_cast<size_t>(std::max<int>(0, inSize_ - InBufferCount()));
  const size_t taken = std::min(room, count);
  in_.insert(in_.end(), bytes, bytes + taken);
  if (taken < count) {
    lostBytes_ += static_cast<int64_t>(count - taken);
    raise(comm::comEventRxOver);
  }
  if (rThreshold_ > 0 && InBufferCount() >= rThreshold_) raise(comm::comEvReceive);
  updateReceiveFlow();
}

void SimCommPort::updateReceiveFlow() {
  if (!open_ || (!hardwareFlow() && !softwareFlow())) return;
  // The margin covers what the peer still sends after being told to stop: the character
  // on the wire, the receiving FIFO and a flow character waiting behind our own output.
  const size_t size = static_cast<size_t>(std::max<int16_t>(inSize_, 0));
  const size_t margin = std::max<size_t>(64, size / 8);
  const size_t high = size > margin ? size - margin : 0;
  if (!rxHeld_ && in_.size() >= high) {
    rxHeld_ = true;
  } else if (rxHeld_ && in_.size() <= size / 2) {
    rxHeld_ = false;
  } else {
    return;
  }
  if (softwareFlow()) end_.sendControl(rxHeld_ ? XOFF : XON);
  updateOutputs();
}

void SimCommPort::framingError() {
  if (open_ && !vanished_) raise(comm::comEventFrame);
}

void SimCommPort::breakChanged(bool on) {
  if (on && open_ && !vanished_) raise(comm::comEventBreak);
}

void SimCommPort::inputsChanged(uint8_t changed) {
  if (!open_ || vanished_) return;
  if ((changed & bitOf(Signal::CTS)) != 0) raise(comm::comEvCTS);
  if ((changed & bitOf(Signal::DSR)) != 0) raise(comm::comEvDSR);
  if ((changed & bitOf(Signal::CD)) != 0) raise(comm::comEvCD);
  if ((changed & bitOf(Signal::RI)) != 0 && end_.input(Signal::RI)) raise(comm::comEvRing);
}

void SimCommPort::injectEvent(int commEvent) {
  raise(commEvent);
}

void SimCommPort::vanish() {
  raise(comm::comEventDCB);
  vanished_ = true;
  end_.setBreak(false);
}

void SimCommPort::raise(int commEvent) {
  if (!open_) return;
  if (std::find(queued_.begin(), queued_.end(), commEvent) != queued_.end()) return;
  queued_.push_back(commEvent);
  const uint64_t generation = generation_;
  loop_.callAtUs(loop_.nowUs() + latencyUs_,
                 [this, generation, commEvent] { deliver(generation, commEvent); });
}

void SimCommPort::deliver(uint64_t generation, int commEvent) {
  if (generation != generation_ || !open_) return;
  queued_.erase(std::find(queued_.begin(), queued_.end(), commEvent));
  // Data events are re-evaluated: what the buffers hold now decides.
  if (commEvent == comm::comEvSend && !(sThreshold_ > 0 && OutBufferCount() < sThreshold_)) {
    return;
  }
  if (commEvent == comm::comEvReceive && !(rThreshold_ > 0 && InBufferCount() >= rThreshold_)) {
    return;
  }
  delivered.push_back(commEvent);
  const int outer = current_;
  current_ = commEvent;
  if (OnComm) OnComm();
  current_ = outer;
}

}  // namespace zelkora::sim
