#pragma once
// The registry for tests: the in-memory store, with failures that a test can order for the
// next call or for every call of a kind, values it can seed and inspect without handles,
// and a log of the values written through the interface.
//
// Paths here are below HKEY_LOCAL_MACHINE ("SOFTWARE\\Devodovazar\\Zelkora") and, like
// value names, compare case-insensitively.

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/RegistryTree.h"

namespace zelkora::test {

class MemoryRegistry : public RegistryTree {
 public:
  enum class Call { Create, Open, Set, Query };
  // One written value: the key's path below HKEY_LOCAL_MACHINE and the value's name.
  using Write = std::pair<std::string, std::string>;

  // `match`: for Create and Open the key's path, for Set and Query the value's name; empty
  // matches every call of the kind. The failed call returns `error` and changes nothing.
  void failNext(Call call, const std::string& match = "", long error = ERROR_ACCESS_DENIED);
  void failAlways(Call call, const std::string& match = "", long error = ERROR_ACCESS_DENIED);
  void clearFailures() { failures_.clear(); }

  long RegOpenKeyA(HKEY key, const std::string& subKey, HKEY* result) override;
  long RegCreateKeyA(HKEY key, const std::string& subKey, HKEY* result) override;
  long RegQueryValueExA(HKEY key, const std::string& valueName, uint32_t* type, uint8_t* data,
                        uint32_t* dataSize) override;
  long RegSetValueExA(HKEY key, const std::string& valueName, uint32_t type, const uint8_t* data,
                      uint32_t dataSize) override;

  // Seeding: creates the key when needed; neither fails nor appears in the write log.
  void setDword(const std::string& path, const std::string& name, int32_t value);
  void setString(const std::string& path, const std::string& name, const std::string& text);
  void setRaw(const std::string& path, const std::string& name, uint32_t type,
              const std::vector<uint8_t>& data);

  // A REG_DWORD of four bytes, else nothing.
  std::optional<int32_t> dword(const std::string& path, const std::string& name) const;
  // A REG_SZ without its terminating NUL, else nothing.
  std::optional<std::string> string(const std::string& path, const std::string& name) const;
  std::optional<uint32_t> type(const std::string& path, const std::string& name) const;
  std::vector<std::string> valueNames(const std::string& path) const;
  bool hasKey(const std::string& path) const { return findKey(full(path)) != nullptr; }

  const std::vector<Write>& writes() const { return writes_; }
  void clearWrites() { writes_.clear(); }

 private:
  struct Failure {
    Call call;
    std::string match;
    long error;
    bool once;
  };

  static std::string full(const std::string& path);
  // The error ordered for this call, consuming a one-time failure.
  std::optional<long> failure(Call call, const std::string& subject);
  // The path below the root of `subKey` under `key`; empty for an invalid handle.
  std::string below(HKEY key, const std::string& subKey) const;
  const RegistryEntry* find(const std::string& path, const std::string& name) const;

  std::vector<Failure> failures_;
  std::vector<Write> writes_;
};

}  // namespace zelkora::test
