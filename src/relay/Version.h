#pragma once
// The program's version and the texts built from it.

#include <cstdio>
#include <string>

namespace zelkora::version {

inline constexpr int Major = 1;
inline constexpr int Minor = 0;
inline constexpr int Revision = 73;
inline constexpr const char* Kind = "Stable";
inline constexpr const char* Engine = "2.21b";
inline constexpr const char* HardwareRevision = "1.5C";

inline std::string threeDigits(int value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%03d", value);
  return buffer;
}

// "v1.000.073/Stable  Eng.v2.21b  H/W Rev1.5C"
inline std::string VersionLine(int major = Major, int minor = Minor, int revision = Revision) {
  return "v" + std::to_string(major) + "." + threeDigits(minor) + "." + threeDigits(revision) +
         "/" + Kind + "  " + "Eng.v" + Engine + "  H/W Rev" + HardwareRevision;
}

// "1.000", the short form in the panel's caption.
inline std::string ShortVersion() { return std::to_string(Major) + "." + threeDigits(Minor); }

}  // namespace zelkora::version
