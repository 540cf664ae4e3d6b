#include "platform/linux/XdgShell.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cctype>

extern char** environ;

namespace zelkora {

bool XdgShell::HasScheme(const std::string& document) {
  if (document.empty() || !std::isalpha(static_cast<unsigned char>(document[0]))) return false;
  for (size_t i = 1; i < document.size(); ++i) {
    const auto c = static_cast<unsigned char>(document[i]);
    if (c == ':') return i > 1;  // a single letter before ':' would be a drive, not a scheme
    if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') return false;
  }
  return false;
}

namespace {
bool exists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}
}  // namespace

std::string XdgShell::Resolve(const std::string& document) const {
  if (exists(document)) return document;
  if (document.find('/') != std::string::npos) return {};
  for (const std::string& folder : programFolders_) {
    const std::string candidate = folder + "/" + document;
    if (!folder.empty() && exists(candidate)) return candidate;
  }
  return {};
}

int XdgShell::open(const std::string& document) {
  std::string target = document;
  if (!HasScheme(document)) {
    target = Resolve(document);
    if (target.empty()) return FileNotFound;
  }
  pid_t pid = 0;
  char* argv[] = {const_cast<char*>(opener_.c_str()), target.data(), nullptr};
  if (::posix_spawnp(&pid, opener_.c_str(), nullptr, nullptr, argv, environ) != 0) {
    return NoAssociation;
  }
  // The opener usually hands over and ends at once; one that keeps running (it became the
  // viewer itself) has opened the document. Wait a little for its verdict, never longer.
  for (int i = 0; i < 40; ++i) {
    int status = 0;
    const pid_t done = ::waitpid(pid, &status, WNOHANG);
    if (done == pid) {
      if (!WIFEXITED(status)) return Opened;
      switch (WEXITSTATUS(status)) {
        case 0: return Opened;
        case 2: return FileNotFound;
        case 3:
        case 127: return NoAssociation;
        default: return 0;
      }
    }
    timespec pause{0, 50 * 1000 * 1000};
    ::nanosleep(&pause, nullptr);
  }
  return Opened;
}

}  // namespace zelkora
