#pragma once
// A clipboard that keeps its text in memory and records every call.

#include <string>
#include <vector>

#include "platform/Clipboard.h"

namespace zelkora::test {

class FakeClipboard : public Clipboard {
 public:
  void clear() override {
    text.clear();
    calls.push_back("clear");
  }
  void setText(const std::string& value) override {
    text = value;
    calls.push_back("setText");
  }
  std::string text;
  std::vector<std::string> calls;
};

}  // namespace zelkora::test
