#include "platform/linux/XdgAutostart.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace zelkora {

namespace {
bool makeFolders(const std::string& path) {
  for (size_t i = 1; i <= path.size(); ++i) {
    if (i == path.size() || path[i] == '/') {
      const std::string part = path.substr(0, i);
      struct stat st {};
      if (::stat(part.c_str(), &st) != 0 && ::mkdir(part.c_str(), 0755) != 0) return false;
    }
  }
  return true;
}

// Exec's quoting: an argument with blanks or special characters goes in double quotes,
// with ", `, $ and \ escaped.
std::string quoteExecArgument(const std::string& arg) {
  if (arg.find_first_of(" \t\"'\\`$<>|&;*?#()") == std::string::npos) return arg;
  std::string quoted = "\"";
  for (char c : arg) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
    quoted += c;
  }
  return quoted + "\"";
}
}  // namespace

std::string XdgAutostart::entryPath() const {
  std::string folder = folder_;
  if (folder.empty()) {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    if (config != nullptr && *config != '\0') {
      folder = std::string(config) + "/autostart";
    } else {
      folder = std::string(home != nullptr ? home : "") + "/.config/autostart";
    }
  }
  return folder + "/zelkora.desktop";
}

std::string XdgAutostart::EntryText(const std::string& command, bool enabled) {
  // The command is the program path and its switch; the path may hold blanks.
  std::string exec = command;
  const size_t cut = command.rfind(' ');
  if (cut != std::string::npos) {
    exec = quoteExecArgument(command.substr(0, cut)) + command.substr(cut);
  }
  std::string text =
      "[Desktop Entry]\n"
      "Type=Application\n"
      "Name=Zelkora\n"
      "Comment=Communication relay between two serial ports\n"
      "Exec=" + exec + "\n"
      "Terminal=false\n"
      "X-GNOME-Autostart-enabled=" + std::string(enabled ? "true" : "false") + "\n"
      "Hidden=" + std::string(enabled ? "false" : "true") + "\n";
  return text;
}

bool XdgAutostart::writeEntry(const std::string& command, bool enabled) {
  const std::string path = entryPath();
  if (!makeFolders(path.substr(0, path.rfind('/')))) return false;
  const std::string temp = path + ".new";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out << EntryText(command, enabled);
    if (!out.flush()) return false;
  }
  return std::rename(temp.c_str(), path.c_str()) == 0;
}

}  // namespace zelkora
