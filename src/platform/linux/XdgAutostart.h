#pragma once
// The desktop session's autostart entry zelkora.desktop in
// ${XDG_CONFIG_HOME:-$HOME/.config}/autostart. Switched off, it is kept and marked
// Hidden=true, never deleted.

#include <string>

#include "platform/DesktopAutostart.h"

namespace zelkora {

class XdgAutostart : public DesktopAutostart {
 public:
  // `folder` empty: the user's autostart folder.
  explicit XdgAutostart(std::string folder = "") : folder_(std::move(folder)) {}
  bool writeEntry(const std::string& command, bool enabled) override;
  std::string entryPath() const;
  static std::string EntryText(const std::string& command, bool enabled);

 private:
  std::string folder_;
};

}  // namespace zelkora
