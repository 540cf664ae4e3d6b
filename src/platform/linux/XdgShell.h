#pragma once
// Opens documents and addresses with the desktop's opener (xdg-open).

#include <string>

#include "platform/Shell.h"

namespace zelkora {

class XdgShell : public Shell {
 public:
  explicit XdgShell(std::string opener = "xdg-open") : opener_(std::move(opener)) {}
  int open(const std::string& document) override;
  // Whether the text starts with an address scheme ("http:", "mailto:").
  static bool HasScheme(const std::string& document);

 private:
  std::string opener_;
};

}  // namespace zelkora
