#include "platform/RegistryTree.h"

#include <algorithm>
#include <utility>

namespace zelkora {

namespace {

// The deepest key the system always has; its parents exist with it.
constexpr const char* AlwaysPresentKey =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

char lowerAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// True when the first `length` characters of both name the same path and `length` ends a
// segment of `candidate`.
bool samePrefix(const std::string& path, const std::string& candidate, size_t length) {
  if (candidate.size() < length || path.size() < length) return false;
  if (candidate.size() > length && candidate[length] != '\\') return false;
  for (size_t i = 0; i < length; ++i) {
    if (lowerAscii(path[i]) != lowerAscii(candidate[i])) return false;
  }
  return true;
}

// Names may not hold what a line-oriented store could not write back.
bool storableName(const std::string& name) {
  return name.find_first_of(std::string("\r\n\0", 3)) == std::string::npos;
}

}  // namespace

const RegistryEntry* RegistryKey::findValue(const std::string& name) const {
  for (const RegistryEntry& entry : entries) {
    if (!entry.verbatim && RegistryTree::SameName(entry.name, name)) return &entry;
  }
  return nullptr;
}

bool RegistryTree::SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && samePrefix(a, b, a.size());
}

void RegistryTree::setLayout(RegistryLayout layout) {
  layout_ = std::move(layout);
}

std::optional<std::string> RegistryTree::pathOf(HKEY key) const {
  if (key == HKEY_LOCAL_MACHINE) return std::string(RootName);
  const auto found = handles_.find(key);
  if (found == handles_.end()) return std::nullopt;
  return found->second;
}

const RegistryKey* RegistryTree::findKey(const std::string& fullPath) const {
  for (const RegistryKey& key : layout_.keys) {
    if (SameName(key.path, fullPath)) return &key;
  }
  return nullptr;
}

bool RegistryTree::keyExists(const std::string& fullPath) const {
  // A key exists when it is stored, or when a stored or always-present key lies below it.
  if (samePrefix(fullPath, AlwaysPresentKey, fullPath.size())) return true;
  return std::any_of(layout_.keys.begin(), layout_.keys.end(), [&](const RegistryKey& key) {
    return samePrefix(fullPath, key.path, fullPath.size());
  });
}

std::string RegistryTree::spelling(std::string path) const {
  size_t end = 0;
  while (end < path.size()) {
    end = path.find('\\', end + 1);
    if (end == std::string::npos) end = path.size();
    const std::string* owner = nullptr;
    for (const RegistryKey& key : layout_.keys) {
      if (samePrefix(path, key.path, end)) {
        owner = &key.path;
        break;
      }
    }
    const std::string alwaysPresent = AlwaysPresentKey;
    if (owner == nullptr && samePrefix(path, alwaysPresent, end)) owner = &alwaysPresent;
    if (owner == nullptr) break;
    path.replace(0, end, *owner, 0, end);
  }
  return path;
}

long RegistryTree::resolve(HKEY key, const std::string& subKey, std::string& fullPath) const {
  const std::optional<std::string> base = pathOf(key);
  if (!base) return ERROR_INVALID_HANDLE;
  std::string sub = subKey;
  // One trailing backslash is tolerated, as the system does; a leading one is not.
  if (!sub.empty() && sub.back() == '\\') {
    sub.pop_back();
    if (sub.empty()) return ERROR_INVALID_PARAMETER;
  }
  if (sub.empty()) {
    fullPath = *base;
    return ERROR_SUCCESS;
  }
  if (!storableName(sub) || sub.front() == '\\' || sub.find("\\\\") != std::string::npos ||
      sub.back() == '\\') {
    return ERROR_INVALID_PARAMETER;
  }
  fullPath = *base + "\\" + sub;
  return ERROR_SUCCESS;
}

HKEY RegistryTree::issueHandle(const std::string& fullPath) {
  // Handles are never reused, so a closed one stays invalid.
  const HKEY handle = nextHandle_++;
  handles_[handle] = spelling(fullPath);
  return handle;
}

long RegistryTree::RegOpenKeyA(HKEY key, const std::string& subKey, HKEY* result) {
  if (result == nullptr) return ERROR_INVALID_PARAMETER;
  std::string path;
  if (const long rc = resolve(key, subKey, path); rc != ERROR_SUCCESS) return rc;
  if (key == HKEY_LOCAL_MACHINE && path == RootName) {
    *result = HKEY_LOCAL_MACHINE;
    return ERROR_SUCCESS;
  }
  if (!keyExists(path)) return ERROR_FILE_NOT_FOUND;
  *result = issueHandle(path);
  return ERROR_SUCCESS;
}

long RegistryTree::RegCreateKeyA(HKEY key, const std::string& subKey, HKEY* result) {
  if (result == nullptr) return ERROR_INVALID_PARAMETER;
  std::string path;
  if (const long rc = resolve(key, subKey, path); rc != ERROR_SUCCESS) return rc;
  // Parents first, so that the store lists them in the order a reader expects.
  size_t end = 0;
  do {
    end = path.find('\\', end + 1);
    const std::string prefix = path.substr(0, end);
    if (!keyExists(prefix)) {
      layout_.keys.push_back(RegistryKey{spelling(prefix), {}, {}});
      ++revision_;
    }
  } while (end != std::string::npos);
  // Not the overridable call: creating a key is no opening of it.
  return RegistryTree::RegOpenKeyA(key, subKey, result);
}

long RegistryTree::RegCloseKey(HKEY key) {
  if (key == HKEY_LOCAL_MACHINE) return ERROR_SUCCESS;
  return handles_.erase(key) == 1 ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

long RegistryTree::RegQueryValueExA(HKEY key, const std::string& valueName, uint32_t* type,
                                    uint8_t* data, uint32_t* dataSize) {
  const std::optional<std::string> path = pathOf(key);
  if (!path) return ERROR_INVALID_HANDLE;
  if (data != nullptr && dataSize == nullptr) return ERROR_INVALID_PARAMETER;
  const RegistryKey* stored = findKey(*path);
  const RegistryEntry* value = stored != nullptr ? stored->findValue(valueName) : nullptr;
  if (value == nullptr) return ERROR_FILE_NOT_FOUND;
  if (type != nullptr) *type = value->type;
  if (dataSize == nullptr) return ERROR_SUCCESS;
  const auto needed = static_cast<uint32_t>(value->data.size());
  const uint32_t room = *dataSize;
  *dataSize = needed;
  if (data == nullptr) return ERROR_SUCCESS;
  if (room < needed) return ERROR_MORE_DATA;
  std::copy(value->data.begin(), value->data.end(), data);
  return ERROR_SUCCESS;
}

RegistryKey& RegistryTree::keyForWriting(const std::string& fullPath) {
  for (RegistryKey& key : layout_.keys) {
    if (SameName(key.path, fullPath)) return key;
  }
  // An always-present key, or one removed behind the handle's back: writing a value into
  // it makes it a stored key.
  layout_.keys.push_back(RegistryKey{spelling(fullPath), {}, {}});
  return layout_.keys.back();
}

long RegistryTree::RegSetValueExA(HKEY key, const std::string& valueName, uint32_t type,
                                  const uint8_t* data, uint32_t dataSize) {
  const std::optional<std::string> path = pathOf(key);
  if (!path) return ERROR_INVALID_HANDLE;
  if (!storableName(valueName) || (data == nullptr && dataSize > 0)) {
    return ERROR_INVALID_PARAMETER;
  }
  std::vector<uint8_t> bytes(data, data + dataSize);
  RegistryKey& stored = keyForWriting(*path);
  for (RegistryEntry& entry : stored.entries) {
    if (entry.verbatim || !SameName(entry.name, valueName)) continue;
    if (entry.type != type || entry.data != bytes) {
      entry.type = type;
      entry.data = std::move(bytes);
      ++revision_;
    }
    return ERROR_SUCCESS;
  }
  stored.entries.push_back(RegistryEntry{valueName, type, std::move(bytes), std::nullopt});
  ++revision_;
  return ERROR_SUCCESS;
}

}  // namespace zelkora
