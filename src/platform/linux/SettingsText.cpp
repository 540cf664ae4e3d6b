#include "platform/linux/SettingsText.h"

#include <charconv>
#include <string_view>
#include <vector>

namespace zelkora {

namespace {

std::vector<std::string_view> splitFields(std::string_view text) {
  std::vector<std::string_view> fields;
  size_t start = 0;
  for (;;) {
    const size_t comma = text.find(',', start);
    fields.push_back(text.substr(start, comma - start));
    if (comma == std::string_view::npos) return fields;
    start = comma + 1;
  }
}

std::optional<uint32_t> wholeNumber(std::string_view field) {
  uint32_t value = 0;
  const char* end = field.data() + field.size();
  const auto [ptr, ec] = std::from_chars(field.data(), end, value);
  if (ec != std::errc() || ptr != end || field.empty()) return std::nullopt;
  return value;
}

// Highest rate any Linux serial driver is asked for here; above it the text is a typo.
constexpr uint32_t kMaxBaud = 4000000;

}  // namespace

std::optional<LineSettings> LineSettings::parse(const std::string& text) {
  const std::vector<std::string_view> fields = splitFields(text);
  if (fields.size() != 4) return std::nullopt;
  LineSettings s;
  const std::optional<uint32_t> baud = wholeNumber(fields[0]);
  if (!baud || *baud == 0 || *baud > kMaxBaud) return std::nullopt;
  s.baud = *baud;
  if (fields[1] != "N" && fields[1] != "n") return std::nullopt;
  const std::optional<uint32_t> bits = wholeNumber(fields[2]);
  if (!bits || *bits < 5 || *bits > 8) return std::nullopt;
  s.dataBits = static_cast<int>(*bits);
  if (fields[3] == "1") {
    s.stopHalfBits = 2;
  } else if (fields[3] == "1.5" && s.dataBits == 5) {
    s.stopHalfBits = 3;
  } else if (fields[3] == "2" && s.dataBits >= 6) {
    s.stopHalfBits = 4;
  } else {
    return std::nullopt;
  }
  return s;
}

}  // namespace zelkora
