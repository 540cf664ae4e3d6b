#pragma once
// The desktop session's own list of programs started at log-in, kept beside the Run value
// of the registry so that the command stored there is really started.

#include <string>

namespace zelkora {

class DesktopAutostart {
 public:
  virtual ~DesktopAutostart() = default;
  // Writes the entry: enabled with `command`, or present but disabled. False on failure.
  virtual bool writeEntry(const std::string& command, bool enabled) = 0;
};

}  // namespace zelkora
