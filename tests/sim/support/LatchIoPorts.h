#pragma once
// I/O ports that read back what was last written to each address (0 before any write).

#include <map>

#include "platform/IoPorts.h"

namespace zelkora::sim {

class LatchIoPorts : public IoPorts {
 public:
  int agInp(int address) override {
    auto it = latch.find(address);
    return it == latch.end() ? 0 : it->second;
  }
  void agOutp(int address, int value) override {
    latch[address] = value & 0xFF;
    ++writes;
  }
  std::map<int, int> latch;
  int writes = 0;
};

}  // namespace zelkora::sim
