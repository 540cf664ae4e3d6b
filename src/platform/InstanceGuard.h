#pragma once
// One running instance per desktop user, keyed on a marker text.

#include <string>

namespace zelkora {

class InstanceGuard {
 public:
  virtual ~InstanceGuard() = default;
  // True when this process now holds the marker (no other instance runs); the hold lasts
  // until the process ends.
  virtual bool acquire(const std::string& marker) = 0;
};

}  // namespace zelkora
