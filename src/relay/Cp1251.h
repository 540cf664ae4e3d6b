#pragma once
// Text in the Windows-1251 code page (the program's resources were written in it) turned
// into UTF-8, the encoding of every text the core hands out.

#include <string>
#include <string_view>

namespace zelkora::cp1251 {

// Every byte becomes its character; the one byte the code page leaves undefined (0x98)
// becomes U+FFFD.
std::string ToUtf8(std::string_view bytes);

}  // namespace zelkora::cp1251
