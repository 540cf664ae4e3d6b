#include "platform/linux/RegistryText.h"

#include <cstdio>
#include <optional>
#include <vector>

namespace zelkora {

namespace {

constexpr std::string_view Header = "REGEDIT4";
constexpr size_t LineWidth = 80;
constexpr const char* Roots[] = {"HKEY_LOCAL_MACHINE", "HKEY_CURRENT_USER", "HKEY_CLASSES_ROOT",
                                 "HKEY_USERS", "HKEY_CURRENT_CONFIG"};

bool isBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view trimRight(std::string_view s) {
  while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
  return s;
}

std::string_view trimLeft(std::string_view s) {
  while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
  return s;
}

bool startsWithNoCase(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() &&
         RegistryTree::SameName(std::string(s.substr(0, prefix.size())), std::string(prefix));
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// A number of 1 to `maxDigits` hex digits making up all of `s`.
std::optional<uint32_t> parseHex(std::string_view s, size_t maxDigits) {
  if (s.empty() || s.size() > maxDigits) return std::nullopt;
  uint32_t value = 0;
  for (char c : s) {
    const int digit = hexDigit(c);
    if (digit < 0) return std::nullopt;
    value = value << 4 | static_cast<uint32_t>(digit);
  }
  return value;
}

std::vector<std::string> splitLines(std::string_view text) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  std::vector<std::string> lines;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.emplace_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

// A quoted string at the start of `s` with \\ and \" escaped; `s` is advanced past it.
std::optional<std::string> takeQuoted(std::string_view& s) {
  if (s.empty() || s.front() != '"') return std::nullopt;
  std::string text;
  for (size_t i = 1; i < s.size(); ++i) {
    if (s[i] == '"') {
      s.remove_prefix(i + 1);
      return text;
    }
    if (s[i] == '\\') {
      if (i + 1 == s.size() || (s[i + 1] != '\\' && s[i + 1] != '"')) return std::nullopt;
      ++i;
    }
    text += s[i];
  }
  return std::nullopt;
}

std::optional<std::vector<uint8_t>> parseHexBytes(std::string_view s) {
  std::vector<uint8_t> bytes;
  if (trimLeft(s).empty()) return bytes;
  while (true) {
    const size_t comma = s.find(',');
    const std::optional<uint32_t> byte = parseHex(trimRight(trimLeft(s.substr(0, comma))), 2);
    if (!byte) return std::nullopt;
    bytes.push_back(static_cast<uint8_t>(*byte));
    if (comma == std::string_view::npos) return bytes;
    s.remove_prefix(comma + 1);
  }
}

// The data part of a value line: "text", dword:n, hex:bytes or hex(type):bytes.
bool parseData(std::string_view s, RegistryEntry& entry) {
  s = trimRight(s);
  if (!s.empty() && s.front() == '"') {
    const std::optional<std::string> text = takeQuoted(s);
    if (!text || !s.empty()) return false;
    entry.type = REG_SZ;
    entry.data.assign(text->begin(), text->end());
    entry.data.push_back(0);
    return true;
  }
  if (startsWithNoCase(s, "dword:")) {
    const std::optional<uint32_t> value = parseHex(s.substr(6), 8);
    if (!value) return false;
    entry.type = REG_DWORD;
    entry.data = {static_cast<uint8_t>(*value), static_cast<uint8_t>(*value >> 8),
                  static_cast<uint8_t>(*value >> 16), static_cast<uint8_t>(*value >> 24)};
    return true;
  }
  if (!startsWithNoCase(s, "hex")) return false;
  s.remove_prefix(3);
  entry.type = REG_BINARY;
  if (!s.empty() && s.front() == '(') {
    const size_t close = s.find(')');
    if (close == std::string_view::npos) return false;
    const std::optional<uint32_t> type = parseHex(s.substr(1, close - 1), 8);
    if (!type) return false;
    entry.type = *type;
    s.remove_prefix(close + 1);
  }
  if (s.empty() || s.front() != ':') return false;
  std::optional<std::vector<uint8_t>> bytes = parseHexBytes(s.substr(1));
  if (!bytes) return false;
  entry.data = std::move(*bytes);
  return true;
}

// The value starting at lines[at]; `last` receives the last line it spans.
std::optional<RegistryEntry> parseValue(const std::vector<std::string>& lines, size_t at,
                                        size_t& last) {
  std::string_view s = lines[at];
  RegistryEntry entry;
  if (!s.empty() && s.front() == '@') {
    s.remove_prefix(1);
  } else {
    std::optional<std::string> name = takeQuoted(s);
    if (!name) return std::nullopt;
    entry.name = std::move(*name);
  }
  s = trimLeft(s);
  if (s.empty() || s.front() != '=') return std::nullopt;
  s = trimLeft(s.substr(1));
  std::string data(s);
  last = at;
  if (startsWithNoCase(data, "hex")) {
    while (!trimRight(data).empty() && trimRight(data).back() == '\\' && last + 1 < lines.size()) {
      data = std::string(trimRight(data));
      data.pop_back();
      data += trimLeft(lines[++last]);
    }
  }
  if (!parseData(data, entry)) return std::nullopt;
  return entry;
}

// The key path of a section header, when it is one under a known root.
std::optional<std::string> headerPath(std::string_view line) {
  line = trimRight(line);
  if (line.size() < 3 || line.front() != '[' || line.back() != ']') return std::nullopt;
  const std::string path(line.substr(1, line.size() - 2));
  if (path.front() == '\\' || path.back() == '\\' || path.find("\\\\") != std::string::npos) {
    return std::nullopt;
  }
  const std::string root = path.substr(0, path.find('\\'));
  for (const char* known : Roots) {
    if (RegistryTree::SameName(root, known)) return path;
  }
  return std::nullopt;
}

bool isPlainUtf8Text(const std::vector<uint8_t>& data) {
  if (data.empty() || data.back() != 0) return false;
  const size_t end = data.size() - 1;
  for (size_t i = 0; i < end;) {
    const uint8_t c = data[i];
    if (c < 0x80) {
      if ((c < 0x20 && c != '\t') || c == 0x7f) return false;
      ++i;
      continue;
    }
    const size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 ? 2 : 0;
    if (length == 0 || c > 0xF4 || i + length > end) return false;
    uint32_t code = c & (0x7Fu >> length);
    for (size_t k = 1; k < length; ++k) {
      if ((data[i + k] & 0xC0) != 0x80) return false;
      code = code << 6 | (data[i + k] & 0x3Fu);
    }
    const uint32_t least = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
    i += length;
  }
  return true;
}

std::string quote(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return out + "\"";
}

std::string hexText(uint32_t value, int digits) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%0*x", digits, value);
  return buffer;
}

std::string formatValue(const RegistryEntry& entry) {
  std::string line = (entry.name.empty() ? std::string("@") : quote(entry.name)) + "=";
  const std::vector<uint8_t>& data = entry.data;
  if (entry.type == REG_DWORD && data.size() == 4) {
    const uint32_t value = data[0] | data[1] << 8 | data[2] << 16 | uint32_t{data[3]} << 24;
    return line + "dword:" + hexText(value, 8);
  }
  if (entry.type == REG_SZ && isPlainUtf8Text(data)) {
    return line +
           quote(std::string_view(reinterpret_cast<const char*>(data.data()), data.size() - 1));
  }
  line += entry.type == REG_BINARY ? std::string("hex:") : "hex(" + hexText(entry.type, 1) + "):";
  std::string out;
  bool lineHoldsBytes = false;
  for (size_t i = 0; i < data.size(); ++i) {
    const std::string item = hexText(data[i], 2) + (i + 1 < data.size() ? "," : "");
    // Room is left for the continuation backslash.
    if (lineHoldsBytes && line.size() + item.size() + 1 > LineWidth) {
      out += line + "\\\n";
      line = "  ";
    }
    line += item;
    lineHoldsBytes = true;
  }
  return out + line;
}

}  // namespace

RegistryText::Parsed RegistryText::Parse(std::string_view text) {
  Parsed parsed;
  RegistryLayout& layout = parsed.layout;
  const std::vector<std::string> lines = splitLines(text);
  RegistryKey* current = nullptr;
  bool inTrailer = false;
  auto keep = [&](const std::string& line) {
    parsed.keptVerbatim = true;
    if (current == nullptr) {
      layout.preamble.push_back(line);
    } else if (inTrailer) {
      current->trailer.push_back(line);
    } else {
      current->entries.push_back(RegistryEntry{{}, REG_NONE, {}, line});
    }
  };
  size_t i = (!lines.empty() && trimRight(lines[0]) == Header) ? 1 : 0;
  for (; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (trimLeft(line).empty()) continue;
    if (line.front() == '[') {
      if (const std::optional<std::string> path = headerPath(line)) {
        current = nullptr;
        for (RegistryKey& key : layout.keys) {
          if (RegistryTree::SameName(key.path, *path)) current = &key;
        }
        if (current == nullptr) current = &layout.keys.emplace_back(RegistryKey{*path, {}, {}});
        inTrailer = false;
        continue;
      }
      inTrailer = true;
    }
    size_t last = i;
    std::optional<RegistryEntry> entry;
    if (current != nullptr && !inTrailer) entry = parseValue(lines, i, last);
    if (entry && current->findValue(entry->name) == nullptr) {
      current->entries.push_back(std::move(*entry));
      i = last;
    } else {
      keep(line);
    }
  }
  return parsed;
}

std::string RegistryText::Format(const RegistryLayout& layout) {
  std::string text = std::string(Header) + "\n";
  for (const std::string& line : layout.preamble) text += line + "\n";
  for (const RegistryKey& key : layout.keys) {
    text += "\n[" + key.path + "]\n";
    for (const RegistryEntry& entry : key.entries) {
      text += (entry.verbatim ? *entry.verbatim : formatValue(entry)) + "\n";
    }
    if (!key.trailer.empty()) text += "\n";
    for (const std::string& line : key.trailer) text += line + "\n";
  }
  return text;
}

}  // namespace zelkora
