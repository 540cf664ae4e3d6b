#pragma once
// A serial port of the simulated world with the behaviour of the communications control:
// parameters are taken while closed and checked at open, the input and output buffers
// have their configured sizes, and events are posted on the loop one at a time, checked
// again when they are delivered and never delivered once the port has closed.
//
// The input buffer never holds more than its size. Near full it holds the peer off (RTS
// low with RTS/CTS, XOFF with XON/XOFF); bytes that still find it full are lost and raise
// comEventRxOver. Output beyond the free space is dropped and raises comEventTxFull.

#include <cstdint>
#include <deque>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/CommPort.h"
#include "sim/support/SimCable.h"

namespace zelkora::sim {

class SimCommPort : public CommPort, private LineDevice {
 public:
  SimCommPort(SimLoop& loop, SimCableEnd& end);
  ~SimCommPort() override;
  SimCommPort(const SimCommPort&) = delete;
  SimCommPort& operator=(const SimCommPort&) = delete;

  // The line format of a settings text, or nothing when the UART cannot take it.
  static std::optional<LineFormat> ParseSettings(const std::string& text);

  void setCommPort(int number) override { commPort_ = number; }
  int commPort() const override { return commPort_; }
  void setSettings(const std::string& text) override { settings_ = text; }
  std::string settings() const override { return settings_; }
  void setHandshaking(int mode) override { handshaking_ = mode; }
  void setDTREnable(bool on) override;
  bool DTREnable() const override { return dtrEnable_; }
  void setRTSEnable(bool on) override;
  bool RTSEnable() const override { return rtsEnable_; }
  void setInBufferSize(int16_t bytes) override { inSize_ = bytes; }
  void setOutBufferSize(int16_t bytes) override { outSize_ = bytes; }
  int16_t OutBufferSize() const override { return outSize_; }
  void setInputLen(int16_t bytes) override { inputLen_ = bytes; }
  void setRThreshold(int16_t bytes) override { rThreshold_ = bytes; }
  void setSThreshold(int16_t bytes) override { sThreshold_ = bytes; }
  int16_t InBufferCount() const override { return static_cast<int16_t>(in_.size()); }
  void setInBufferCount(int16_t count) override;
  int16_t OutBufferCount() const override { return static_cast<int16_t>(out_.size()); }
  void setOutBufferCount(int16_t count) override;
  bool setBreak(bool on) override;
  bool setPortOpen(bool open) override;
  bool PortOpen() const override { return open_; }
  void Output(const std::vector<uint8_t>& bytes) override;
  std::vector<uint8_t> Input() override;
  bool CDHolding() const override { return open_ && end_.input(Signal::CD); }
  bool CTSHolding() const override { return open_ && end_.input(Signal::CTS); }
  bool DSRHolding() const override { return open_ && end_.input(Signal::DSR); }
  int CommEvent() const override { return current_; }

  // Test switches and hooks.
  // COM numbers whose device is missing or busy: opening them fails.
  std::set<int> unavailable;
  // Raises an event as the driver would (an error code, or any other).
  void injectEvent(int commEvent);
  // The device goes away: comEventDCB, then the port neither sends nor hears anything and
  // cannot be opened again until it comes back.
  void vanish();
  void comeBack() { vanished_ = false; }
  // Time between an event arising and its delivery, as on a busy event thread.
  void setEventLatencyUs(int64_t us) { latencyUs_ = us; }

  // What happened to it.
  int16_t inBufferSize() const { return inSize_; }
  int handshaking() const { return handshaking_; }
  bool breakHeld() const { return break_; }
  bool holdingPeerOff() const { return rxHeld_; }
  int64_t lostBytes() const { return lostBytes_; }        // input that found the buffer full
  int64_t droppedBytes() const { return droppedBytes_; }  // output beyond the free space
  // Input or Output called on a closed port: the control raises an error there.
  int misuse() const { return misuse_; }
  int opens() const { return opens_; }
  // Events handed to OnComm, in order.
  std::vector<int> delivered;

 private:
  bool nextByte(uint8_t& byte) override;
  void received(const uint8_t* bytes, size_t count) override;
  void framingError() override;
  void breakChanged(bool on) override;
  void inputsChanged(uint8_t changed) override;

  bool hardwareFlow() const;
  bool softwareFlow() const;
  void updateOutputs();
  // Holds the peer off near full, lets it go on once half the buffer is free.
  void updateReceiveFlow();
  void raise(int commEvent);
  void deliver(uint64_t generation, int commEvent);

  SimLoop& loop_;
  SimCableEnd& end_;
  int commPort_ = 1;
  std::string settings_ = "9600,N,8,1";
  int handshaking_ = comm::comNone;
  bool dtrEnable_ = false;
  bool rtsEnable_ = false;
  int16_t inSize_ = 1024;
  int16_t outSize_ = 512;
  int16_t inputLen_ = 0;
  int16_t rThreshold_ = 0;
  int16_t sThreshold_ = 0;
  std::vector<uint8_t> in_;
  std::deque<uint8_t> out_;
  bool open_ = false;
  bool break_ = false;
  bool vanished_ = false;
  bool rxHeld_ = false;
  uint64_t generation_ = 0;
  std::vector<int> queued_;
  int current_ = 0;
  int64_t latencyUs_ = 0;
  int64_t lostBytes_ = 0;
  int64_t droppedBytes_ = 0;
  int misuse_ = 0;
  int opens_ = 0;
};

}  // namespace zelkora::sim
