#pragma once
// The program's own process: its scheduling class, and ending it.

#include <cstdlib>
#include <string>

namespace zelkora {

enum class PriorityClass { Idle, Normal, High, RealTime };

class ProcessControl {
 public:
  virtual ~ProcessControl() = default;
  // Requests the class; a refusal by the system is silent and leaves the previous class.
  virtual void setPriorityClass(PriorityClass priority) = 0;
  // Ends the process at once with `status`, without any further step of the program.
  // (A test implementation throws instead, so that the test can go on.)
  virtual void exitNow(int status) = 0;
  [[noreturn]] void end(int status) {
    exitNow(status);
    std::abort();
  }
};

}  // namespace zelkora
