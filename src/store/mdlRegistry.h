#pragma once
// The program's only way into the registry: keys, 32-bit values, text values, and the
// validating read of one setting with its range and default.

#include <cstdint>
#include <string>

#include "platform/Registry.h"

namespace zelkora {

class Operator;
class ProcessControl;

class mdlRegistry {
 public:
  enum class Kind { Ranged, Flag };

  mdlRegistry(Registry& registry, Operator& op, ProcessControl& process)
      : registry_(registry), op_(op), process_(process) {}

  bool OpenKey(HKEY root, const std::string& path, HKEY& key);
  // Creates (or opens) parent\sub, or the parent itself when `sub` is empty.
  bool CreateKey(HKEY root, const std::string& parent, const std::string& sub, HKEY& key);
  bool CloseKey(HKEY key);
  // True only when the value exists, is a REG_DWORD and is 4 bytes long; `value` is
  // written only then.
  bool ReadDword(HKEY key, const std::string& name, int32_t& value);
  bool WriteDword(HKEY key, const std::string& name, int32_t value);
  // Stores the text and a terminating NUL; a failure warns the operator.
  bool WriteString(HKEY key, const std::string& name, const std::string& text);
  // The stored setting when it is a valid value of its kind, otherwise `def`. A value
  // that cannot be read is replaced by `def` in the registry; when even that fails, the
  // operator is told and the process ends on the spot.
  int32_t ReadSetting(HKEY key, const std::string& name, Kind kind, int32_t min, int32_t max,
                      int32_t def);

  // Set once a failure that ends the program has been met; its end is then a failure,
  // also when a termination signal arrives while the operator reads the message.
  void markFatal() { fatal_ = true; }
  bool fatal() const { return fatal_; }

 private:
  Registry& registry_;
  Operator& op_;
  ProcessControl& process_;
  bool fatal_ = false;
};

}  // namespace zelkora
