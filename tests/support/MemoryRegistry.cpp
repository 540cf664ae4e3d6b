#include "support/MemoryRegistry.h"

namespace zelkora::test {

std::string MemoryRegistry::full(const std::string& path) {
  return path.empty() ? std::string(RootName) : std::string(RootName) + "\\" + path;
}

void MemoryRegistry::failNext(Call call, const std::string& match, long error) {
  failures_.push_back({call, match, error, true});
}

void MemoryRegistry::failAlways(Call call, const std::string& match, long error) {
  failures_.push_back({call, match, error, false});
}

std::optional<long> MemoryRegistry::failure(Call call, const std::string& subject) {
  for (auto it = failures_.begin(); it != failures_.end(); ++it) {
    if (it->call != call || (!it->match.empty() && !SameName(it->match, subject))) continue;
    const long error = it->error;
    if (it->once) failures_.erase(it);
    return error;
  }
  return std::nullopt;
}

std::string MemoryRegistry::below(HKEY key, const std::string& subKey) const {
  std::string path = pathOf(key).value_or("");
  const std::string root = RootName;
  path = path.size() > root.size() ? path.substr(root.size() + 1) : "";
  std::string sub = subKey;
  if (!sub.empty() && sub.back() == '\\') sub.pop_back();
  if (sub.empty()) return path;
  return path.empty() ? sub : path + "\\" + sub;
}

long MemoryRegistry::RegOpenKeyA(HKEY key, const std::string& subKey, HKEY* result) {
  if (const auto error = failure(Call::Open, below(key, subKey))) return *error;
  return RegistryTree::RegOpenKeyA(key, subKey, result);
}

long MemoryRegistry::RegCreateKeyA(HKEY key, const std::string& subKey, HKEY* result) {
  if (const auto error = failure(Call::Create, below(key, subKey))) return *error;
  return RegistryTree::RegCreateKeyA(key, subKey, result);
}

long MemoryRegistry::RegQueryValueExA(HKEY key, const std::string& valueName, uint32_t* type,
                                      uint8_t* data, uint32_t* dataSize) {
  if (const auto error = failure(Call::Query, valueName)) return *error;
  return RegistryTree::RegQueryValueExA(key, valueName, type, data, dataSize);
}

long MemoryRegistry::RegSetValueExA(HKEY key, const std::string& valueName, uint32_t type,
                                    const uint8_t* data, uint32_t dataSize) {
  if (const auto error = failure(Call::Set, valueName)) return *error;
  const long rc = RegistryTree::RegSetValueExA(key, valueName, type, data, dataSize);
  if (rc == ERROR_SUCCESS) writes_.emplace_back(below(key, ""), valueName);
  return rc;
}

void MemoryRegistry::setRaw(const std::string& path, const std::string& name, uint32_t type,
                            const std::vector<uint8_t>& data) {
  HKEY key = 0;
  if (RegistryTree::RegCreateKeyA(HKEY_LOCAL_MACHINE, path, &key) != ERROR_SUCCESS) return;
  RegistryTree::RegSetValueExA(key, name, type, data.data(), static_cast<uint32_t>(data.size()));
  RegistryTree::RegCloseKey(key);
}

void MemoryRegistry::setDword(const std::string& path, const std::string& name, int32_t value) {
  const auto bits = static_cast<uint32_t>(value);
  setRaw(path, name, REG_DWORD,
         {static_cast<uint8_t>(bits), static_cast<uint8_t>(bits >> 8),
          static_cast<uint8_t>(bits >> 16), static_cast<uint8_t>(bits >> 24)});
}

void MemoryRegistry::setString(const std::string& path, const std::string& name,
                               const std::string& text) {
  std::vector<uint8_t> data(text.begin(), text.end());
  data.push_back(0);
  setRaw(path, name, REG_SZ, data);
}

const RegistryEntry* MemoryRegistry::find(const std::string& path, const std::string& name) const {
  const RegistryKey* key = findKey(full(path));
  return key != nullptr ? key->findValue(name) : nullptr;
}

std::optional<int32_t> MemoryRegistry::dword(const std::string& path,
                                             const std::string& name) const {
  const RegistryEntry* value = find(path, name);
  if (value == nullptr || value->type != REG_DWORD || value->data.size() != 4) return std::nullopt;
  const std::vector<uint8_t>& d = value->data;
  return static_cast<int32_t>(d[0] | d[1] << 8 | d[2] << 16 | uint32_t{d[3]} << 24);
}

std::optional<std::string> MemoryRegistry::string(const std::string& path,
                                                  const std::string& name) const {
  const RegistryEntry* value = find(path, name);
  if (value == nullptr || value->type != REG_SZ || value->data.empty() || value->data.back() != 0) {
    return std::nullopt;
  }
  return std::string(value->data.begin(), value->data.end() - 1);
}

std::optional<uint32_t> MemoryRegistry::type(const std::string& path,
                                             const std::string& name) const {
  const RegistryEntry* value = find(path, name);
  if (value == nullptr) return std::nullopt;
  return value->type;
}

std::vector<std::string> MemoryRegistry::valueNames(const std::string& path) const {
  std::vector<std::string> names;
  if (const RegistryKey* key = findKey(full(path))) {
    for (const RegistryEntry& entry : key->entries) {
      if (!entry.verbatim) names.push_back(entry.name);
    }
  }
  return names;
}

}  // namespace zelkora::test
