#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "relay/Cp1251.h"

namespace zelkora {
namespace {

TEST(Cp1251, EveryKindOfByte) {
  const std::vector<std::pair<std::string, std::string>> cases{
      {"Korvane 1.5C\r\n", "Korvane 1.5C\r\n"},
      {"\xC0\xDF\xE0\xFF", "АЯая"},
      {"\xA8\xB8", "Ёё"},
      {"\x99\xAE\xA9\xB9", "™®©№"},
      {"\x80\x88\x8A\xBF", "Ђ€Љї"},
      {"\x96\x97\xA0", "–—\xC2\xA0"},
      {"\x98", "\xEF\xBF\xBD"},
      {"", ""},
  };
  for (const auto& [bytes, utf8] : cases) EXPECT_EQ(cp1251::ToUtf8(bytes), utf8);
}

}  // namespace
}  // namespace zelkora
