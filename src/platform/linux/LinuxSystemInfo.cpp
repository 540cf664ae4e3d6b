#include "platform/linux/LinuxSystemInfo.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstring>

namespace zelkora {

namespace {
bool canOpen(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  ::close(fd);
  return true;
}
}  // namespace

bool LinuxSystemInfo::directPortAccessAvailable() {
  if (canOpen(root_ + "/dev/port")) return true;
  DIR* dev = ::opendir((root_ + "/dev").c_str());
  if (dev == nullptr) return false;
  bool found = false;
  while (dirent* entry = ::readdir(dev)) {
    if (std::strncmp(entry->d_name, "parport", 7) == 0 &&
        canOpen(root_ + "/dev/" + entry->d_name)) {
      found = true;
      break;
    }
  }
  ::closedir(dev);
  return found;
}

std::string LinuxSystemInfo::executablePath() {
  char buffer[PATH_MAX];
  const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return "zelkora";
  return std::string(buffer, static_cast<size_t>(n));
}

std::optional<std::tm> LinuxSystemInfo::fileModificationTime(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  std::tm local{};
  if (::localtime_r(&st.st_mtime, &local) == nullptr) return std::nullopt;
  return local;
}

}  // namespace zelkora
