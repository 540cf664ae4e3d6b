#pragma once
// The least a Program needs behind its port interfaces when a test drives only its
// windows: serial ports that open and take settings but never receive, and I/O ports
// that remember what was written.

#include <map>
#include <string>
#include <vector>

#include "platform/CommPort.h"
#include "platform/IoPorts.h"

namespace zelkora::test {

class StubCommPort : public CommPort {
 public:
  void setCommPort(int number) override { port = number; }
  int commPort() const override { return port; }
  void setSettings(const std::string& text) override { settingsText = text; }
  std::string settings() const override { return settingsText; }
  void setHandshaking(int mode) override { handshaking = mode; }
  void setDTREnable(bool on) override { dtr = on; }
  bool DTREnable() const override { return dtr; }
  void setRTSEnable(bool on) override { rts = on; }
  bool RTSEnable() const override { return rts; }
  void setInBufferSize(int16_t bytes) override { inSize = bytes; }
  void setOutBufferSize(int16_t bytes) override { outSize = bytes; }
  int16_t OutBufferSize() const override { return outSize; }
  void setInputLen(int16_t) override {}
  void setRThreshold(int16_t) override {}
  void setSThreshold(int16_t) override {}
  int16_t InBufferCount() const override { return 0; }
  void setInBufferCount(int16_t) override {}
  int16_t OutBufferCount() const override { return 0; }
  void setOutBufferCount(int16_t) override {}
  bool setBreak(bool on) override {
    breaks.push_back(on);
    return true;
  }
  bool setPortOpen(bool open) override {
    isOpen = open;
    return true;
  }
  bool PortOpen() const override { return isOpen; }
  void Output(const std::vector<uint8_t>&) override {}
  std::vector<uint8_t> Input() override { return {}; }
  bool CDHolding() const override { return false; }
  bool CTSHolding() const override { return false; }
  bool DSRHolding() const override { return false; }
  int CommEvent() const override { return 0; }

  int port = 1;
  std::string settingsText = "9600,N,8,1";
  int handshaking = 0;
  bool dtr = false, rts = false, isOpen = false;
  int16_t inSize = 1024, outSize = 512;
  std::vector<bool> breaks;
};

class StubIoPorts : public IoPorts {
 public:
  int agInp(int address) override { return latch[address]; }
  void agOutp(int address, int value) override {
    latch[address] = value & 0xFF;
    writes.push_back({address, value & 0xFF});
  }
  std::map<int, int> latch;
  std::vector<std::pair<int, int>> writes;
};

}  // namespace zelkora::test
