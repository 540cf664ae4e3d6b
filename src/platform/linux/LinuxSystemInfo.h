#pragma once
// Machine facts from /proc, /sys and /dev. `root` prefixes every path (tests point it at
// a fake tree).

#include <string>

#include "platform/SystemInfo.h"

namespace zelkora {

class LinuxSystemInfo : public SystemInfo {
 public:
  explicit LinuxSystemInfo(std::string root = "") : root_(std::move(root)) {}
  // The adapter's port access can be had (LinuxIoPorts::accessAvailable).
  bool directPortAccessAvailable() override;
  std::string executablePath() override;
  std::optional<std::tm> fileModificationTime(const std::string& path) override;

 private:
  std::string root_;
};

}  // namespace zelkora
