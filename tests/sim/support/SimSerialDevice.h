#pragma once
// A device at the far end of a simulated serial line: it sends queued bytes at line speed,
// records what it receives, may answer through a responder, honours the port's flow
// control when told to, and can hold the port off itself.

#include <cstdint>
#include <functional>
#include <vector>

#include "sim/support/SimCable.h"

namespace zelkora::sim {

class SimSerialDevice : public LineDevice {
 public:
  enum class Flow { None, Hardware, Software };

  // `flowInput` is the line that lets it send, `holdOutput` the one it drops to hold the
  // port off (for a modem RTS and CTS, for a terminal CTS and RTS).
  SimSerialDevice(SimCableEnd& end, Signal flowInput, Signal holdOutput);
  ~SimSerialDevice() override;
  SimSerialDevice(const SimSerialDevice&) = delete;
  SimSerialDevice& operator=(const SimSerialDevice&) = delete;

  void setFormat(const LineFormat& format) { end_.setFormat(format); }
  const LineFormat& format() const { return end_.format(); }
  // Which of the port's flow control it obeys; Flow::None sends regardless.
  void setFlowControl(Flow flow);
  Flow flowControl() const { return flow_; }

  void send(const std::vector<uint8_t>& bytes);
  size_t waiting() const { return outgoing_.size() - next_; }
  // Ready false holds the port off (its hold line low, or XOFF with software flow).
  void setReady(bool ready);

  SimCableEnd& end() { return end_; }
  const SimCableEnd& end() const { return end_; }
  std::vector<uint8_t> receivedBytes;
  // Called with every burst received, after it was recorded.
  std::function<void(const uint8_t*, size_t)> responder;
  int framingErrors = 0;
  int breaksSeen = 0;
  bool breakOn = false;

 private:
  bool nextByte(uint8_t& byte) override;
  void received(const uint8_t* bytes, size_t count) override;
  void framingError() override { ++framingErrors; }
  void breakChanged(bool on) override;

  SimCableEnd& end_;
  Signal flowInput_;
  Signal holdOutput_;
  Flow flow_ = Flow::Hardware;
  std::vector<uint8_t> outgoing_;
  size_t next_ = 0;
};

}  // namespace zelkora::sim
