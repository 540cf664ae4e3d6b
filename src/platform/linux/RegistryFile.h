#pragma once
// The registry on Linux: one text file in the registry export format (see RegistryText).
//
// Every call reads the file afresh, because another process or the operator may have
// changed it, and a call that changes the content writes it back at once. Both happen
// under an exclusive lock on "<file>.lock" beside it (the data file itself is replaced, so
// it cannot carry the lock). Writing never loses data: a complete new file is written
// beside the old one, flushed to disk and renamed over it. Before the first rewrite of a
// file holding lines the reader does not understand (they are carried over as they are),
// the original is copied to "<file>.bak", which is never overwritten.
//
// A missing file is an empty store (the always-present keys exist); its folder is made
// when a key or value is written. Failures are returned as error codes and leave the file
// as it was: ERROR_ACCESS_DENIED when the file, its folder or its lock cannot be used,
// ERROR_READ_FAULT / ERROR_WRITE_FAULT when reading or writing breaks off. A file that
// cannot be read fails every call except RegCloseKey, which only releases the handle.

#include <string>

#include "platform/Registry.h"
#include "platform/RegistryTree.h"

namespace zelkora {

class RegistryFile : public Registry {
 public:
  // $ZELKORA_REGISTRY when set, else ${XDG_CONFIG_HOME:-$HOME/.config}/zelkora/registry.reg.
  static std::string DefaultPath();

  // `lockWaitMs`: how long a call waits for another holder of the lock before it fails.
  explicit RegistryFile(std::string path = DefaultPath(), int lockWaitMs = 2000);

  long RegOpenKeyA(HKEY key, const std::string& subKey, HKEY* result) override;
  long RegCreateKeyA(HKEY key, const std::string& subKey, HKEY* result) override;
  long RegCloseKey(HKEY key) override;
  long RegQueryValueExA(HKEY key, const std::string& valueName, uint32_t* type, uint8_t* data,
                        uint32_t* dataSize) override;
  long RegSetValueExA(HKEY key, const std::string& valueName, uint32_t type, const uint8_t* data,
                      uint32_t dataSize) override;

  const std::string& path() const { return path_; }
  std::string lockPath() const { return path_ + ".lock"; }
  std::string backupPath() const { return path_ + ".bak"; }

 private:
  enum class Access { Read, Write };
  template <typename Call>
  long withStore(Access access, Call call);
  long load(bool& keptVerbatim, std::string& original, bool& exists);
  long store(bool keptVerbatim, const std::string& original, bool exists);

  std::string path_;
  int lockWaitMs_;
  RegistryTree tree_;
};

}  // namespace zelkora
