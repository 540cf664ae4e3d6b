#pragma once
// The desktop's clipboard, for plain text.

#include <string>

namespace zelkora {

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  // Empties the clipboard.
  virtual void clear() = 0;
  // Puts `text` (UTF-8) on the clipboard as plain text, replacing what was there.
  virtual void setText(const std::string& text) = 0;
};

}  // namespace zelkora
