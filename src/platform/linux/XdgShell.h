#pragma once
// Opens documents and addresses with the desktop's opener (xdg-open). A bare file name
// (no folder in it) is looked for in the current directory first, then in each of the
// program's own folders in turn (beside the executable, the installed data folder), so
// that the help document is found wherever the program was started from.

#include <string>
#include <vector>

#include "platform/Shell.h"

namespace zelkora {

class XdgShell : public Shell {
 public:
  explicit XdgShell(std::vector<std::string> programFolders = {},
                   std::string opener = "xdg-open")
      : programFolders_(std::move(programFolders)), opener_(std::move(opener)) {}
  int open(const std::string& document) override;
  // The file a document names: itself when it exists or holds a folder, else the first
  // program folder that has it; empty when none has.
  std::string Resolve(const std::string& document) const;
  // Whether the text starts with an address scheme ("http:", "mailto:").
  static bool HasScheme(const std::string& document);

 private:
  std::vector<std::string> programFolders_;
  std::string opener_;
};

}  // namespace zelkora
