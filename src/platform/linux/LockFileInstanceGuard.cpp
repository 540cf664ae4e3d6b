#include "platform/linux/LockFileInstanceGuard.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace zelkora {

LockFileInstanceGuard::~LockFileInstanceGuard() {
  if (fd_ >= 0) ::close(fd_);
}

std::string LockFileInstanceGuard::lockPath(const std::string& marker) const {
  std::string folder = folder_;
  if (folder.empty()) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && *runtime != '\0') {
      folder = runtime;
    } else {
      folder = "/tmp/zelkora-" + std::to_string(::getuid());
    }
  }
  std::string name = marker;
  for (char& c : name) {
    if (c == '/' || c == ' ') c = '_';
  }
  return folder + "/" + name + ".lock";
}

bool LockFileInstanceGuard::acquire(const std::string& marker) {
  const std::string path = lockPath(marker);
  const std::string folder = path.substr(0, path.rfind('/'));
  if (::mkdir(folder.c_str(), 0700) != 0) {
    // An existing folder must be the user's own and writable by nobody else; otherwise
    // another user could hold the lock and keep this program from ever starting, and
    // running unguarded is the lesser evil.
    struct stat st {};
    if (::lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid() ||
        (st.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
      return true;
    }
  }
  fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  // Without a lock file there is no way to tell; running beats refusing to run.
  if (fd_ < 0) return true;
  if (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd_);
    fd_ = -1;
    return false;
  }
  return true;
}

}  // namespace zelkora
