#pragma once
// The serial port of the relay on a Linux terminal device. Everything runs on the event
// thread: the device is non-blocking and watched through the EventLoop, received bytes
// collect in an input buffer of InBufferSize bytes, Output queues into an output buffer of
// OutBufferSize bytes, and events are posted to the loop one at a time.
//
// Flow: when the input buffer is full the port stops reading, so the kernel and the
// line's flow control hold the sender back and no byte is lost inside the program. While
// the break state holds nothing is sent; queued bytes wait and go out when it ends.
// OutBufferCount counts the bytes not yet sent: the output buffer plus the kernel's queue.
// Nothing is polled while the line is idle: the kernel's queue is looked at again only
// while bytes are in flight, at the time the line needs to send them.
//
// Events: comEvReceive when bytes arrived and InBufferCount reached RThreshold; comEvSend
// when OutBufferCount fell below SThreshold; line changes (3..6) from a watcher thread
// that only wakes the loop; line errors from the kernel's counters; comEventTxFull for
// bytes Output could not keep; comEventDCB once when the device has gone (hang-up, EIO).
// The condition of a receive or send event is judged again when it is delivered, at
// most one of each waits at a time, and nothing posted before a close is delivered.
//
// A pseudo-terminal is a device like any other, except that it has no modem lines and
// no break, and ignores the line parameters: those are not errors there.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/CommPort.h"
#include "platform/EventLoop.h"
#include "platform/linux/ByteRing.h"
#include "platform/linux/ModemLineWatcher.h"
#include "platform/linux/SerialDevice.h"
#include "platform/linux/SettingsText.h"

namespace zelkora {

class TermiosCommPort : public CommPort {
 public:
  // `devicePath` names the device of COMn, e.g. "/dev/ttyS0" (a pseudo-terminal's slave
  // works like any other device).
  TermiosCommPort(EventLoop& loop, std::function<std::string(int comNumber)> devicePath);
  ~TermiosCommPort() override;
  TermiosCommPort(const TermiosCommPort&) = delete;
  TermiosCommPort& operator=(const TermiosCommPort&) = delete;

  void setCommPort(int number) override { commPort_ = number; }
  int commPort() const override { return commPort_; }
  void setSettings(const std::string& text) override;
  std::string settings() const override { return settings_; }
  void setHandshaking(int mode) override;
  void setDTREnable(bool on) override;
  bool DTREnable() const override { return dtr_; }
  void setRTSEnable(bool on) override;
  bool RTSEnable() const override { return rts_; }
  // Sizes take effect at the next open; values below 1 are ignored.
  void setInBufferSize(int16_t bytes) override;
  void setOutBufferSize(int16_t bytes) override;
  int16_t OutBufferSize() const override { return outSize_; }
  int16_t InBufferSize() const { return inSize_; }
  void setInputLen(int16_t bytes) override { inputLen_ = bytes; }
  void setRThreshold(int16_t bytes) override { rThreshold_ = bytes; }
  void setSThreshold(int16_t bytes) override { sThreshold_ = bytes; }

  int16_t InBufferCount() const override;
  void setInBufferCount(int16_t count) override;
  int16_t OutBufferCount() const override;
  void setOutBufferCount(int16_t count) override;

  bool setBreak(bool on) override;
  bool Break() const { return breakOn_; }
  bool setPortOpen(bool open) override;
  bool PortOpen() const override { return open_; }

  void Output(const std::vector<uint8_t>& bytes) override;
  std::vector<uint8_t> Input() override;

  // False on a closed port and on a device without modem lines.
  bool CDHolding() const override;
  bool CTSHolding() const override;
  bool DSRHolding() const override;

  int CommEvent() const override { return event_; }

 private:
  bool open();
  void close();
  bool lineHeld(int bit) const;

  void readBlock();
  void writeBlock();
  void onLinesChanged();
  void reportErrors(const LineCounters& now);
  void reconfigure();
  void afterOutputProgress();
  void armDrainCheck(int queued);
  void setReading(bool on);
  void setWriting(bool on);
  void deviceGone();

  void post(int code);
  void postOnce(int code, bool& pending);
  void deliver(uint64_t generation, int code);

  EventLoop& loop_;
  std::function<std::string(int)> devicePath_;

  int commPort_ = 1;
  std::string settings_ = "9600,N,8,1";
  int handshaking_ = comm::comNone;
  bool dtr_ = true;
  bool rts_ = false;
  int16_t inSize_ = 1024;
  int16_t outSize_ = 512;
  int16_t inputLen_ = 0;
  int16_t rThreshold_ = 0;
  int16_t sThreshold_ = 0;
  bool breakOn_ = false;

  SerialDevice device_;
  ModemLineWatcher watcher_;
  LineSettings line_;
  ByteRing in_;
  ByteRing out_;
  EventLoop::WatchId readWatch_ = -1;
  EventLoop::WatchId writeWatch_ = -1;
  EventLoop::WatchId lineWatch_ = -1;
  bool reading_ = false;
  bool writing_ = false;
  std::unique_ptr<Timer> drainTimer_;

  bool open_ = false;
  bool gone_ = false;
  uint64_t generation_ = 0;  // advanced by every open and close
  bool receivePosted_ = false;
  bool sendPosted_ = false;
  bool txFullPosted_ = false;
  bool sendArmed_ = false;  // bytes were queued since the last send event
  int lines_ = 0;
  LineCounters counters_;
  int event_ = 0;
  std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

}  // namespace zelkora
