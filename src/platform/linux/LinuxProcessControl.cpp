#include "platform/linux/LinuxProcessControl.h"

#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>

namespace zelkora {

namespace {
void setPolicy(int policy, int priority) {
  sched_param param{};
  param.sched_priority = priority;
  (void)sched_setscheduler(0, policy, &param);
}
}  // namespace

void LinuxProcessControl::setPriorityClass(PriorityClass priority) {
  // Leaving real time or idle first returns to the ordinary policy, where nice applies.
  switch (priority) {
    case PriorityClass::Idle:
      setPolicy(SCHED_OTHER, 0);
      setPolicy(SCHED_IDLE, 0);
      break;
    case PriorityClass::Normal:
      setPolicy(SCHED_OTHER, 0);
      (void)setpriority(PRIO_PROCESS, 0, 0);
      break;
    case PriorityClass::High:
      setPolicy(SCHED_OTHER, 0);
      (void)setpriority(PRIO_PROCESS, 0, -10);
      break;
    case PriorityClass::RealTime:
      setPolicy(SCHED_RR, sched_get_priority_min(SCHED_RR));
      break;
  }
}

void LinuxProcessControl::exitNow(int status) {
  std::fflush(nullptr);
  ::_exit(status);
}

}  // namespace zelkora
