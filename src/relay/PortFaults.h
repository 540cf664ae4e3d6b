#pragma once
// The fault branch of the port event handler: a fatal port event stops the relay at
// once and is reported, or counted down to an automatic restart.

#include <string>

namespace zelkora {

class Program;

class PortFaults {
 public:
  explicit PortFaults(Program& program) : p_(program) {}

  static bool IsFatal(int commEvent);
  static std::string MessageOf(int commEvent);
  // Port n reported the fatal event `commEvent`.
  void OnFault(int n, int commEvent);

 private:
  Program& p_;
};

}  // namespace zelkora
