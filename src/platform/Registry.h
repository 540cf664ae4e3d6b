#pragma once
// A hierarchical store of keys holding typed values, with the calling conventions of the
// Windows registry functions the settings store was written against: numeric handles,
// status codes (0 is success), and typed values read into a caller's buffer.

#include <cstdint>
#include <string>

namespace zelkora {

using HKEY = uint32_t;
inline constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002u;

inline constexpr long ERROR_SUCCESS = 0;
inline constexpr long ERROR_FILE_NOT_FOUND = 2;
inline constexpr long ERROR_ACCESS_DENIED = 5;
inline constexpr long ERROR_INVALID_HANDLE = 6;
inline constexpr long ERROR_WRITE_FAULT = 29;
inline constexpr long ERROR_READ_FAULT = 30;
inline constexpr long ERROR_INVALID_PARAMETER = 87;
inline constexpr long ERROR_MORE_DATA = 234;

inline constexpr uint32_t REG_NONE = 0;
inline constexpr uint32_t REG_SZ = 1;
inline constexpr uint32_t REG_BINARY = 3;
inline constexpr uint32_t REG_DWORD = 4;

class Registry {
 public:
  virtual ~Registry() = default;

  // Opens an existing key below `key` (a root or an open handle). An empty path opens
  // `key` itself again. ERROR_FILE_NOT_FOUND when the key does not exist.
  virtual long RegOpenKeyA(HKEY key, const std::string& subKey, HKEY* result) = 0;
  // Opens the key, creating it and every missing parent first.
  virtual long RegCreateKeyA(HKEY key, const std::string& subKey, HKEY* result) = 0;
  virtual long RegCloseKey(HKEY key) = 0;
  // Reads a value. `type` receives its type; `data` (may be null) receives up to
  // *dataSize bytes; *dataSize receives the stored length. A value longer than the buffer
  // gives ERROR_MORE_DATA; a missing one ERROR_FILE_NOT_FOUND.
  virtual long RegQueryValueExA(HKEY key, const std::string& valueName, uint32_t* type,
                                uint8_t* data, uint32_t* dataSize) = 0;
  // Creates or replaces a value; it keeps its place among the key's values.
  virtual long RegSetValueExA(HKEY key, const std::string& valueName, uint32_t type,
                              const uint8_t* data, uint32_t dataSize) = 0;
};

}  // namespace zelkora
