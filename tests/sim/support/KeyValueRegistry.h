#pragma once
// A small registry in memory: keys by full path, typed values, numeric handles.

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "platform/Registry.h"

namespace zelkora::sim {

class KeyValueRegistry : public Registry {
 public:
  long RegOpenKeyA(HKEY key, const std::string& subKey, HKEY* result) override {
    const std::string path = join(key, subKey);
    if (path.empty() || keys_.count(path) == 0) return ERROR_FILE_NOT_FOUND;
    return handleFor(path, result);
  }
  long RegCreateKeyA(HKEY key, const std::string& subKey, HKEY* result) override {
    const std::string path = join(key, subKey);
    if (path.empty()) return ERROR_INVALID_HANDLE;
    keys_[path];
    return handleFor(path, result);
  }
  long RegCloseKey(HKEY key) override {
    return handles_.erase(key) != 0 ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
  }
  long RegQueryValueExA(HKEY key, const std::string& name, uint32_t* type, uint8_t* data,
                        uint32_t* dataSize) override {
    auto h = handles_.find(key);
    if (h == handles_.end()) return ERROR_INVALID_HANDLE;
    const auto& values = keys_[h->second];
    auto v = values.find(name);
    if (v == values.end()) return ERROR_FILE_NOT_FOUND;
    if (type != nullptr) *type = v->second.type;
    const auto size = static_cast<uint32_t>(v->second.data.size());
    if (dataSize == nullptr) return ERROR_SUCCESS;
    const uint32_t room = *dataSize;
    *dataSize = size;
    if (data == nullptr) return ERROR_SUCCESS;
    if (room < size) return ERROR_MORE_DATA;
    std::memcpy(data, v->second.data.data(), size);
    return ERROR_SUCCESS;
  }
  long RegSetValueExA(HKEY key, const std::string& name, uint32_t type, const uint8_t* data,
                      uint32_t dataSize) override {
    auto h = handles_.find(key);
    if (h == handles_.end()) return ERROR_INVALID_HANDLE;
    keys_[h->second][name] = {type, std::vector<uint8_t>(data, data + dataSize)};
    return ERROR_SUCCESS;
  }

 private:
  struct Value {
    uint32_t type;
    std::vector<uint8_t> data;
  };
  std::string join(HKEY key, const std::string& sub) const {
    std::string base;
    if (key == HKEY_LOCAL_MACHINE) {
      base = "HKLM";
    } else {
      auto h = handles_.find(key);
      if (h == handles_.end()) return {};
      base = h->second;
    }
    return sub.empty() ? base : base + "\\" + sub;
  }
  long handleFor(const std::string& path, HKEY* result) {
    const HKEY handle = next_++;
    handles_[handle] = path;
    if (result != nullptr) *result = handle;
    return ERROR_SUCCESS;
  }
  std::map<std::string, std::map<std::string, Value>> keys_;
  std::map<HKEY, std::string> handles_;
  HKEY next_ = 0x100;
};

}  // namespace zelkora::sim
