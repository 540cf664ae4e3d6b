#pragma once
// The text of a registry export file (REGEDIT4), UTF-8:
//
//   REGEDIT4
//
//   [HKEY_LOCAL_MACHINE\SOFTWARE\Devodovazar\Zelkora]
//   "LogoType"=dword:00000002
//   "Zelkora"="C:\\Tools\\relay.exe /a"
//   "Blob"=hex(7):41,00,00
//
// A REG_DWORD of four bytes is written as dword, a REG_SZ that is text and one NUL as a
// quoted string (backslash and quote escaped), anything else as hex bytes, "hex:" for
// REG_BINARY and "hex(type):" otherwise, so every value comes back byte for byte. Long hex
// lines are continued with a trailing backslash. "@" names a key's default value.
//
// Reading keeps every line it does not understand (comments, damaged values, a second
// definition of a value, a section header it cannot read and what follows it) verbatim in
// its place, so that writing the content back loses nothing.

#include <string>
#include <string_view>

#include "platform/RegistryTree.h"

namespace zelkora {

class RegistryText {
 public:
  struct Parsed {
    RegistryLayout layout;
    bool keptVerbatim = false;  // some line was not understood and is carried as it is
  };

  static Parsed Parse(std::string_view text);
  static std::string Format(const RegistryLayout& layout);
};

}  // namespace zelkora
