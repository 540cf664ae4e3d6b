#pragma once
// The registry held in memory: keys named by backslash paths from the root, each holding
// typed values in the order they were first written, reached through numeric handles.
// Names of keys and values compare case-insensitively (ASCII) and keep the case they were
// first written with. The keys every Windows system has (SOFTWARE and the Run key of
// SOFTWARE\Microsoft\Windows\CurrentVersion, with their parents) exist even when nothing
// was stored in them; any other key exists once it was created or holds a value.
//
// The content is also open to a persistent stand-in that loads and stores it as a whole
// (layout, setLayout): besides values, a key may carry lines the store keeps verbatim
// without understanding them, so that nothing an operator wrote into a file is lost.

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/Registry.h"

namespace zelkora {

// One line of a key: a typed value, or a line kept verbatim (then only `verbatim` counts).
struct RegistryEntry {
  std::string name;  // empty: the key's default value
  uint32_t type = REG_NONE;
  std::vector<uint8_t> data;
  std::optional<std::string> verbatim;
};

struct RegistryKey {
  std::string path;  // from the root: HKEY_LOCAL_MACHINE\SOFTWARE\Devodovazar
  std::vector<RegistryEntry> entries;
  // Lines kept verbatim after the key's own lines: what follows a section header that
  // could not be read belongs to no known key, so it stays where it was.
  std::vector<std::string> trailer;

  const RegistryEntry* findValue(const std::string& name) const;
};

struct RegistryLayout {
  std::vector<std::string> preamble;  // lines kept verbatim before the first key
  std::vector<RegistryKey> keys;      // in the order first created
};

class RegistryTree : public Registry {
 public:
  static constexpr const char* RootName = "HKEY_LOCAL_MACHINE";

  long RegOpenKeyA(HKEY key, const std::string& subKey, HKEY* result) override;
  long RegCreateKeyA(HKEY key, const std::string& subKey, HKEY* result) override;
  long RegCloseKey(HKEY key) override;
  long RegQueryValueExA(HKEY key, const std::string& valueName, uint32_t* type, uint8_t* data,
                        uint32_t* dataSize) override;
  long RegSetValueExA(HKEY key, const std::string& valueName, uint32_t type, const uint8_t* data,
                      uint32_t dataSize) override;

  const RegistryLayout& layout() const { return layout_; }
  // Replaces the whole content. Open handles stay open: they name paths, not content.
  void setLayout(RegistryLayout layout);
  // Advances with every change of content made through the calls above.
  uint64_t revision() const { return revision_; }

  // The full path an open handle names (the root's own name for HKEY_LOCAL_MACHINE).
  std::optional<std::string> pathOf(HKEY key) const;
  size_t openHandleCount() const { return handles_.size(); }
  bool keyExists(const std::string& fullPath) const;
  const RegistryKey* findKey(const std::string& fullPath) const;

  // ASCII case-insensitive equality, the registry's rule for names and paths.
  static bool SameName(const std::string& a, const std::string& b);

 private:
  // The full path of `subKey` below the key of `key`, or an error code.
  long resolve(HKEY key, const std::string& subKey, std::string& fullPath) const;
  // `path` with each leading segment spelt as it already is in the store.
  std::string spelling(std::string path) const;
  RegistryKey& keyForWriting(const std::string& fullPath);
  HKEY issueHandle(const std::string& fullPath);

  RegistryLayout layout_;
  std::map<HKEY, std::string> handles_;
  HKEY nextHandle_ = 0x100;
  uint64_t revision_ = 0;
};

}  // namespace zelkora
