#pragma once
// A serial port with the properties and events of a communications control: parameters
// are set while closed, PortOpen opens it, received bytes collect in an input buffer of
// InBufferSize bytes, Output queues bytes in an output buffer of OutBufferSize bytes, and
// OnComm is raised on the event thread, one event at a time, with CommEvent telling why.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace zelkora {

namespace comm {
inline constexpr int comEvSend = 1;     // output buffer fell below SThreshold
inline constexpr int comEvReceive = 2;  // received bytes reached RThreshold
inline constexpr int comEvCTS = 3;
inline constexpr int comEvDSR = 4;
inline constexpr int comEvCD = 5;
inline constexpr int comEvRing = 6;
inline constexpr int comEventBreak = 1001;
inline constexpr int comEventCTSTO = 1002;
inline constexpr int comEventDSRTO = 1003;
inline constexpr int comEventFrame = 1004;
inline constexpr int comEventOverrun = 1006;
inline constexpr int comEventCDTO = 1007;
inline constexpr int comEventRxOver = 1008;
inline constexpr int comEventRxParity = 1009;
inline constexpr int comEventTxFull = 1010;
inline constexpr int comEventDCB = 1011;

inline constexpr int comNone = 0;
inline constexpr int comXOnXoff = 1;
inline constexpr int comRTS = 2;
inline constexpr int comRTSXOnXOff = 3;
}  // namespace comm

class CommPort {
 public:
  virtual ~CommPort() = default;

  virtual void setCommPort(int number) = 0;  // COMn, 1..16
  virtual int commPort() const = 0;
  // "speed,parity,data bits,stop bits", e.g. "9600,N,8,1" or "115200,N,5,1.5". Taken as
  // given; a combination the device cannot take makes the next open fail.
  virtual void setSettings(const std::string& text) = 0;
  virtual std::string settings() const = 0;
  virtual void setHandshaking(int mode) = 0;  // comm::comNone ... comm::comRTSXOnXOff
  virtual void setDTREnable(bool on) = 0;
  virtual bool DTREnable() const = 0;
  virtual void setRTSEnable(bool on) = 0;
  virtual bool RTSEnable() const = 0;
  virtual void setInBufferSize(int16_t bytes) = 0;
  virtual void setOutBufferSize(int16_t bytes) = 0;
  virtual int16_t OutBufferSize() const = 0;
  virtual void setInputLen(int16_t bytes) = 0;  // 0: Input takes the whole buffer
  virtual void setRThreshold(int16_t bytes) = 0;
  virtual void setSThreshold(int16_t bytes) = 0;

  // Counts of the two buffers; setting 0 empties that buffer (other values are ignored).
  virtual int16_t InBufferCount() const = 0;
  virtual void setInBufferCount(int16_t count) = 0;
  virtual int16_t OutBufferCount() const = 0;
  virtual void setOutBufferCount(int16_t count) = 0;

  // True holds the transmit line in the break state. False when the port refused.
  virtual bool setBreak(bool on) = 0;
  // True opens, false closes. False when the port could not be opened; closing a port
  // that is not open succeeds. Closing discards every event not yet delivered.
  virtual bool setPortOpen(bool open) = 0;
  virtual bool PortOpen() const = 0;

  // Queues bytes for sending and returns at once; bytes beyond the free space of the
  // output buffer are dropped and raise comm::comEventTxFull.
  virtual void Output(const std::vector<uint8_t>& bytes) = 0;
  // Takes the received bytes (all of them when InputLen is 0).
  virtual std::vector<uint8_t> Input() = 0;

  virtual bool CDHolding() const = 0;
  virtual bool CTSHolding() const = 0;
  virtual bool DSRHolding() const = 0;

  // The code of the event being delivered, read inside OnComm.
  virtual int CommEvent() const = 0;
  std::function<void()> OnComm;
};

}  // namespace zelkora
