#pragma once
// The desktop clipboard through Qt.

#include "platform/Clipboard.h"

namespace zelkora {

class QtClipboard : public Clipboard {
 public:
  void clear() override;
  void setText(const std::string& text) override;
};

}  // namespace zelkora
