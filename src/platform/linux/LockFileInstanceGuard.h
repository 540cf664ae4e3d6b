#pragma once
// One instance per user: an exclusive lock on a file named after the marker, in
// $XDG_RUNTIME_DIR or, when that is unset, in a private folder of the user's own.

#include <string>

#include "platform/InstanceGuard.h"

namespace zelkora {

class LockFileInstanceGuard : public InstanceGuard {
 public:
  // `folder` empty: $XDG_RUNTIME_DIR, else /tmp/zelkora-<uid> (created with mode 0700).
  explicit LockFileInstanceGuard(std::string folder = "") : folder_(std::move(folder)) {}
  ~LockFileInstanceGuard() override;
  bool acquire(const std::string& marker) override;
  std::string lockPath(const std::string& marker) const;

 private:
  std::string folder_;
  int fd_ = -1;
};

}  // namespace zelkora
