#include "store/mdlProcess.h"

namespace zelkora {

PriorityClass mdlProcess::ClassOf(uint8_t priority) {
  switch (priority) {
    case 1: return PriorityClass::Idle;
    case 2: return PriorityClass::Normal;
    case 4: return PriorityClass::RealTime;
    default: return PriorityClass::High;
  }
}

void mdlProcess::SetProcessPriority(uint8_t priority) {
  process_.setPriorityClass(ClassOf(priority));
}

}  // namespace zelkora
