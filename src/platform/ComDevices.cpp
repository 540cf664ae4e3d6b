#include "platform/ComDevices.h"

#include <vector>

namespace zelkora {

namespace {
constexpr const char* PortsKey = "SOFTWARE\\Devodovazar\\Zelkora\\Ports";

// The text of a REG_SZ value up to its first NUL; empty when there is none or it is of
// another type.
std::string readText(Registry& registry, HKEY key, const std::string& name) {
  uint32_t type = REG_NONE;
  uint32_t size = 0;
  if (registry.RegQueryValueExA(key, name, &type, nullptr, &size) != ERROR_SUCCESS ||
      type != REG_SZ) {
    return {};
  }
  std::vector<uint8_t> data(size);
  if (registry.RegQueryValueExA(key, name, &type, data.data(), &size) != ERROR_SUCCESS ||
      type != REG_SZ) {
    return {};
  }
  data.resize(size);
  std::string text(data.begin(), data.end());
  return text.substr(0, text.find('\0'));
}
}  // namespace

std::string ComDevicePath(Registry& registry, int comNumber) {
  const std::string name = "COM" + std::to_string(comNumber);
  HKEY key = 0;
  std::string device;
  if (registry.RegOpenKeyA(HKEY_LOCAL_MACHINE, PortsKey, &key) == ERROR_SUCCESS) {
    device = readText(registry, key, name);
    registry.RegCloseKey(key);
  }
  if (!device.empty()) return device;
  return "/dev/ttyS" + std::to_string(comNumber - 1);
}

}  // namespace zelkora
