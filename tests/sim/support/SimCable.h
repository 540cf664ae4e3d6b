#pragma once
// A serial line between two devices of the simulated world. Each end has a transmitter
// that puts one character at a time on the wire, taking (1 start + data + stop
// bits) / speed seconds of virtual time, and a receiving UART whose FIFO hands characters
// to its device in bursts (at the trigger level, or after four quiet character times).
// The modem-control lines are carried by a straight cable (device to modem: every line
// keeps its name) or by a null-modem cable (RTS to CTS, DTR to DSR and, as usual, CD).
// Flow control lives at the ends, as in a UART with automatic flow control: a transmitter
// with hardware flow starts a character only while its flow input is high, and with
// software flow the receiving UART consumes XON/XOFF and holds its own transmitter off.

#include <array>
#include <cstdint>
#include <optional>

#include "sim/support/LineDevice.h"

namespace zelkora::sim {

class SimLoop;
class SimCable;

// One end of a cable: the transmitter and receiving UART of the device plugged into it.

class SimCableEnd {
 public:
  static constexpr size_t FifoDepth = 16;

  void attach(LineDevice* device) { device_ = device; }
  void setFormat(const LineFormat& format) { format_ = format; }
  const LineFormat& format() const { return format_; }
  // Characters that make the FIFO hand its content over at once (1..16).
  void setReceiveTrigger(size_t level);

  // Hardware flow: a character starts only while `input` is high (empty: no hardware flow).
  void setHardwareFlow(std::optional<Signal> input);
  // Software flow: the receiving UART consumes XON/XOFF and an XOFF holds this end's
  // transmitter until the XON.
  void setSoftwareFlow(bool on);
  bool xoffReceived() const { return xoffReceived_; }
  // Forgets an XOFF received and control characters not yet sent (a port reopened).
  void resetFlowState();
  // Sends a flow-control character next, ahead of the device's data and despite flow
  // control (not during a break).
  void sendControl(uint8_t byte);

  // The device has data to send: starts the transmitter when it is idle.
  void kick();
  // The line in the break state, from the end of the character on the wire until released.
  void setBreak(bool on);
  bool breakOn() const { return breakOn_; }

  void setOutput(Signal signal, bool high);
  bool output(Signal signal) const;
  bool input(Signal signal) const;
  // A second driver on one of this end's input pins (for example a line adapter), wired
  // in parallel with the cable: the pin is high when either drives it high.
  void setExtraInput(Signal signal, bool high);

  // Figures of the transmitter: time the wire carried characters, characters sent, start
  // of the first and end of the last one (µs).
  double busyUs() const { return busyUs_; }
  int64_t charsSent() const { return charsSent_; }
  double firstStartUs() const { return firstStartUs_; }
  double lastEndUs() const { return lastEndUs_; }
  bool transmitting() const { return onWire_; }

 private:
  friend class SimCable;
  SimCableEnd(SimCable& cable, int index) : cable_(cable), index_(index) {}
  SimCableEnd& peer();
  void startNext(double earliestUs);
  void characterEnds();
  void enterBreak();
  void arrive(uint8_t byte, const LineFormat& sender);
  void armTimeout();
  void timeout();
  void flushFifo();
  bool mayStartData() const;

  SimCable& cable_;
  int index_;
  LineDevice* device_ = nullptr;
  LineFormat format_;
  std::optional<Signal> hardwareFlow_;
  bool softwareFlow_ = false;
  bool xoffReceived_ = false;
  std::array<uint8_t, 4> control_{};
  size_t controlCount_ = 0;

  bool onWire_ = false;
  uint8_t wireByte_ = 0;
  LineFormat wireFormat_;
  double wireFreeAtUs_ = 0;
  bool breakOn_ = false;
  bool breakPending_ = false;

  std::array<uint8_t, FifoDepth> fifo_{};
  size_t fifoCount_ = 0;
  size_t trigger_ = 14;
  int64_t lastArrivalUs_ = 0;
  bool timeoutArmed_ = false;

  double busyUs_ = 0;
  int64_t charsSent_ = 0;
  double firstStartUs_ = -1;
  double lastEndUs_ = 0;
};

class SimCable {
 public:
  enum class Wiring { Straight, NullModem };

  // `dtrDrivesCd`: a null modem ties each side's DTR to the other's DSR and also CD.
  SimCable(SimLoop& loop, Wiring wiring, bool dtrDrivesCd = true);
  SimCable(const SimCable&) = delete;
  SimCable& operator=(const SimCable&) = delete;

  SimCableEnd& end(int index) { return index == 0 ? a_ : b_; }
  SimLoop& loop() { return loop_; }
  void setDtrDrivesCd(bool on);

 private:
  friend class SimCableEnd;
  uint8_t inputsOf(int index) const;
  // Recomputes both ends' inputs and tells each device what moved.
  void linesChanged();

  SimLoop& loop_;
  Wiring wiring_;
  bool dtrDrivesCd_;
  SimCableEnd a_{*this, 0};
  SimCableEnd b_{*this, 1};
  std::array<uint8_t, 2> outputs_{};
  std::array<uint8_t, 2> extra_{};
  std::array<uint8_t, 2> inputs_{};
};

}  // namespace zelkora::sim
