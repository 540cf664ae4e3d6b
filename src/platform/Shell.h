#pragma once
// The desktop's "open" action for a document or an address.

#include <string>

namespace zelkora {

class Shell {
 public:
  static constexpr int FileNotFound = 2;
  static constexpr int NoAssociation = 31;
  static constexpr int Opened = 42;

  virtual ~Shell() = default;
  // Opens a file (a bare name is looked up as a relative path) or an address with a
  // scheme. Answers Opened, FileNotFound, NoAssociation, or another code of failure.
  virtual int open(const std::string& document) = 0;
};

}  // namespace zelkora
