#include "sim/support/SimSerialDevice.h"

namespace zelkora::sim {

SimSerialDevice::SimSerialDevice(SimCableEnd& end, Signal flowInput, Signal holdOutput)
    : end_(end), flowInput_(flowInput), holdOutput_(holdOutput) {
  end_.attach(this);
  end_.setOutput(holdOutput_, true);
  setFlowControl(Flow::Hardware);
}

SimSerialDevice::~SimSerialDevice() {
  end_.attach(nullptr);
}

void SimSerialDevice::setFlowControl(Flow flow) {
  flow_ = flow;
  end_.setHardwareFlow(flow == Flow::Hardware ? std::optional<Signal>(flowInput_) : std::nullopt);
  end_.setSoftwareFlow(flow == Flow::Software);
}

void SimSerialDevice::send(const std::vector<uint8_t>& bytes) {
  if (next_ == outgoing_.size()) {
    outgoing_.clear();
    next_ = 0;
  }
  outgoing_.insert(outgoing_.end(), bytes.begin(), bytes.end());
  end_.kick();
}

void SimSerialDevice::setReady(bool ready) {
  if (flow_ == Flow::Software) {
    end_.sendControl(ready ? XON : XOFF);
  } else {
    end_.setOutput(holdOutput_, ready);
  }
}

bool SimSerialDevice::nextByte(uint8_t& byte) {
  if (next_ == outgoing_.size()) return false;
  byte = outgoing_[next_++];
  return true;
}

void SimSerialDevice::received(const uint8_t* bytes, size_t count) {
  receivedBytes.insert(receivedBytes.end(), bytes, bytes + count);
  if (responder) responder(bytes, count);
}

void SimSerialDevice::breakChanged(bool on) {
  breakOn = on;
  if (on) ++breaksSeen;
}

}  // namespace zelkora::sim
