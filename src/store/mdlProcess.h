#pragma once
// Gives the program's process the scheduling class chosen in the settings.

#include <cstdint>

#include "platform/ProcessControl.h"

namespace zelkora {

class mdlProcess {
 public:
  explicit mdlProcess(ProcessControl& process) : process_(process) {}

  // 1 idle, 2 normal, 3 high, 4 real time; set on every call, a refusal stays silent.
  void SetProcessPriority(uint8_t priority);
  static PriorityClass ClassOf(uint8_t priority);

 private:
  ProcessControl& process_;
};

}  // namespace zelkora
