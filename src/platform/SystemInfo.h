#pragma once
// Facts about the machine and the program's own file.

#include <optional>
#include <string>
#include <ctime>

namespace zelkora {

class SystemInfo {
 public:
  virtual ~SystemInfo() = default;
  // Whether direct port access for the line-signal adapter can be had on this machine.
  virtual bool directPortAccessAvailable() = 0;
  // Absolute path of the running executable.
  virtual std::string executablePath() = 0;
  // Modification time of a file, local time; empty when it cannot be read.
  virtual std::optional<std::tm> fileModificationTime(const std::string& path) = 0;
};

}  // namespace zelkora
