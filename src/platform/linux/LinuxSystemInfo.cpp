#include "platform/linux/LinuxSystemInfo.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>

#include "platform/linux/LinuxIoPorts.h"

namespace zelkora {

bool LinuxSystemInfo::directPortAccessAvailable() {
  return LinuxIoPorts::accessAvailable(root_);
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
