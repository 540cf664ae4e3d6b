#include "store/mdlRegistry.h"

#include <cstring>

#include "platform/ProcessControl.h"
#include "relay/Operator.h"
#include "relay/Texts.h"

namespace zelkora {

bool mdlRegistry::OpenKey(HKEY root, const std::string& path, HKEY& key) {
  HKEY opened = 0;
  if (registry_.RegOpenKeyA(root, path, &opened) != ERROR_SUCCESS) return false;
  key = opened;
  return true;
}

bool mdlRegistry::CreateKey(HKEY root, const std::string& parent, const std::string& sub,
                            HKEY& key) {
  const std::string path = sub.empty() ? parent : parent + "\\" + sub;
  HKEY created = 0;
  if (registry_.RegCreateKeyA(root, path, &created) != ERROR_SUCCESS) return false;
  key = created;
  return true;
}

bool mdlRegistry::CloseKey(HKEY key) { return registry_.RegCloseKey(key) == ERROR_SUCCESS; }

bool mdlRegistry::ReadDword(HKEY key, const std::string& name, int32_t& value) {
  uint8_t buffer[4] = {};
  uint32_t type = REG_NONE;
  uint32_t size = sizeof buffer;
  if (registry_.RegQueryValueExA(key, name, &type, buffer, &size) != ERROR_SUCCESS) return false;
  if (type != REG_DWORD || size != sizeof buffer) return false;
  uint32_t bits = static_cast<uint32_t>(buffer[0]) | static_cast<uint32_t>(buffer[1]) << 8 |
                  static_cast<uint32_t>(buffer[2]) << 16 | static_cast<uint32_t>(buffer[3]) << 24;
  value = static_cast<int32_t>(bits);
  return true;
}

bool mdlRegistry::WriteDword(HKEY key, const std::string& name, int32_t value) {
  const uint32_t bits = static_cast<uint32_t>(value);
  const uint8_t data[4] = {static_cast<uint8_t>(bits), static_cast<uint8_t>(bits >> 8),
                           static_cast<uint8_t>(bits >> 16), static_cast<uint8_t>(bits >> 24)};
  return registry_.RegSetValueExA(key, name, REG_DWORD, data, sizeof data) == ERROR_SUCCESS;
}

bool mdlRegistry::WriteString(HKEY key, const std::string& name, const std::string& text) {
  const std::string data = text + '\0';
  const bool ok =
      registry_.RegSetValueExA(key, name, REG_SZ, reinterpret_cast<const uint8_t*>(data.data()),
                               static_cast<uint32_t>(data.size())) == ERROR_SUCCESS;
  if (!ok) {
    op_.MsgBox({texts::NoRegistryAccessWarning, MsgButtons::OK, MsgIcon::Exclamation, ""});
  }
  return ok;
}

int32_t mdlRegistry::ReadSetting(HKEY key, const std::string& name, Kind kind, int32_t min,
                                 int32_t max, int32_t def) {
  int32_t stored = 0;
  if (ReadDword(key, name, stored)) {
    if (kind == Kind::Flag) return (stored == 0 || stored == 1) ? stored : def;
    return (stored >= min && stored <= max) ? stored : def;
  }
  if (WriteDword(key, name, def)) return def;
  markFatal();
  op_.MsgBox({texts::RegistryFatal, MsgButtons::OK, MsgIcon::Critical, ""});
  CloseKey(key);
  process_.end(1);
}

}  // namespace zelkora
