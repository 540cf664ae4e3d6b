#pragma once
// Priority classes on the Linux scheduler: idle as SCHED_IDLE, normal as nice 0, high as
// nice -10, real time as SCHED_RR. Refusals are silent.

#include "platform/ProcessControl.h"

namespace zelkora {

class LinuxProcessControl : public ProcessControl {
 public:
  void setPriorityClass(PriorityClass priority) override;
  void exitNow(int status) override;
};

}  // namespace zelkora
