#include "platform/linux/RegistryFile.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <thread>
#include <utility>
#include <vector>

#include "platform/linux/RegistryText.h"

namespace zelkora {

namespace {

// Closes the descriptor it holds when it goes out of scope.
struct FileDescriptor {
  int fd = -1;
  FileDescriptor() = default;
  explicit FileDescriptor(int opened) : fd(opened) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd >= 0) ::close(fd);
  }
};

// The Windows code closest to a failed system call: refusals are access denials, anything
// else a fault of the kind of operation that failed.
long errorOf(int error, long fault) {
  switch (error) {
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ENOTDIR:
    case EEXIST:
    case ELOOP:
    case ENAMETOOLONG:
    case ETXTBSY:
      return ERROR_ACCESS_DENIED;
    default:
      return fault;
  }
}

std::string folderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// mkdir -p; 0 or the errno of the step that failed.
int makeFolders(const std::string& folder) {
  for (size_t i = 1; i <= folder.size(); ++i) {
    if (i < folder.size() && folder[i] != '/') continue;
    const std::string part = folder.substr(0, i);
    struct stat st {};
    if (::stat(part.c_str(), &st) == 0) {
      if (!S_ISDIR(st.st_mode)) return ENOTDIR;
    } else if (::mkdir(part.c_str(), 0755) != 0 && errno != EEXIST) {
      return errno;
    }
  }
  return 0;
}

bool takeLock(int fd, int waitMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
  while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (errno == EINTR) continue;
    if (errno != EWOULDBLOCK || std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

int readAll(int fd, std::string& text) {
  char buffer[65536];
  while (true) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return errno;
    if (got == 0) return 0;
    text.append(buffer, static_cast<size_t>(got));
  }
}

int writeAll(int fd, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t put = ::write(fd, text.data() + done, text.size() - done);
    if (put < 0 && errno == EINTR) continue;
    if (put < 0) return errno;
    done += static_cast<size_t>(put);
  }
  return 0;
}

// Writes `text` to a new file beside `target`, flushes it to disk and then moves it to
// `target`: replacing what is there, or only where nothing is. Either the whole new file
// is in place afterwards or `target` is as it was.
long writeDurably(const std::string& target, const std::string& text, mode_t mode, bool replace) {
  std::vector<char> temp(target.begin(), target.end());
  for (char c : std::string(".XXXXXX")) temp.push_back(c);
  temp.push_back('\0');
  int error = 0;
  {
    FileDescriptor out(::mkostemp(temp.data(), O_CLOEXEC));
    if (out.fd < 0) return errorOf(errno, ERROR_WRITE_FAULT);
    if ((error = writeAll(out.fd, text)) == 0 &&
        (::fchmod(out.fd, mode) != 0 || ::fsync(out.fd) != 0)) {
      error = errno;
    }
    if (error == 0 && ::close(std::exchange(out.fd, -1)) != 0) error = errno;
  }
  if (error == 0) {
    const bool moved = replace ? ::rename(temp.data(), target.c_str()) == 0
                               : (::link(temp.data(), target.c_str()) == 0 || errno == EEXIST);
    if (!moved) error = errno;
  }
  if (error != 0 || !replace) ::unlink(temp.data());
  if (error != 0) return errorOf(error, ERROR_WRITE_FAULT);
  // The rename itself must reach the disk too.
  FileDescriptor folder(::open(folderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.fd >= 0) ::fsync(folder.fd);
  return ERROR_SUCCESS;
}

}  // namespace

std::string RegistryFile::DefaultPath() {
  const char* explicitPath = std::getenv("ZELKORA_REGISTRY");
  if (explicitPath != nullptr && *explicitPath != '\0') return explicitPath;
  std::string config;
  const char* configHome = std::getenv("XDG_CONFIG_HOME");
  // A relative XDG_CONFIG_HOME is invalid and ignored.
  if (configHome != nullptr && *configHome == '/') {
    config = configHome;
  } else {
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home == '\0') {
      const passwd* user = ::getpwuid(::getuid());
      home = user != nullptr ? user->pw_dir : "";
    }
    config = std::string(home) + "/.config";
  }
  return config + "/zelkora/registry.reg";
}

RegistryFile::RegistryFile(std::string path, int lockWaitMs)
    : path_(std::move(path)), lockWaitMs_(lockWaitMs) {}

long RegistryFile::load(bool& keptVerbatim, std::string& original, bool& exists) {
  // Non-blocking, so that a pipe put in the file's place cannot hold the call.
  FileDescriptor in(::open(path_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  exists = in.fd >= 0;
  if (!exists) {
    if (errno != ENOENT) return errorOf(errno, ERROR_READ_FAULT);
    tree_.setLayout({});
    keptVerbatim = false;
    return ERROR_SUCCESS;
  }
  struct stat st {};
  if (::fstat(in.fd, &st) != 0) return errorOf(errno, ERROR_READ_FAULT);
  if (!S_ISREG(st.st_mode)) return ERROR_ACCESS_DENIED;
  if (const int error = readAll(in.fd, original); error != 0) {
    return errorOf(error, ERROR_READ_FAULT);
  }
  RegistryText::Parsed parsed = RegistryText::Parse(original);
  keptVerbatim = parsed.keptVerbatim;
  tree_.setLayout(std::move(parsed.layout));
  return ERROR_SUCCESS;
}

long RegistryFile::store(bool keptVerbatim, const std::string& original, bool exists) {
  mode_t mode = 0644;
  if (exists) {
    struct stat st {};
    if (::stat(path_.c_str(), &st) != 0) return errorOf(errno, ERROR_WRITE_FAULT);
    // A file without write permission is left alone, whoever runs the program: replacing
    // it by rename would otherwise succeed even for a read-only file.
    if ((st.st_mode & 0222) == 0 || ::access(path_.c_str(), W_OK) != 0) {
      return ERROR_ACCESS_DENIED;
    }
    mode = st.st_mode & 07777;
  }
  if (keptVerbatim && exists && ::access(backupPath().c_str(), F_OK) != 0) {
    if (const long rc = writeDurably(backupPath(), original, mode, false); rc != ERROR_SUCCESS) {
      return rc;
    }
  }
  return writeDurably(path_, RegistryText::Format(tree_.layout()), mode, true);
}

template <typename Call>
long RegistryFile::withStore(Access access, Call call) {
  if (access == Access::Write) {
    if (const int error = makeFolders(folderOf(path_)); error != 0) {
      return errorOf(error, ERROR_WRITE_FAULT);
    }
  }
  FileDescriptor lock(::open(lockPath().c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644));
  if (lock.fd < 0 && errno != ENOENT) lock.fd = ::open(lockPath().c_str(), O_RDONLY | O_CLOEXEC);
  if (lock.fd < 0) {
    // No folder: there is no file yet, and nobody to share it with.
    if (errno != ENOENT || access == Access::Write) return errorOf(errno, ERROR_ACCESS_DENIED);
  } else if (!takeLock(lock.fd, lockWaitMs_)) {
    return ERROR_ACCESS_DENIED;
  }
  bool keptVerbatim = false;
  bool exists = false;
  std::string original;
  if (const long rc = load(keptVerbatim, original, exists); rc != ERROR_SUCCESS) return rc;
  const uint64_t revision = tree_.revision();
  const long rc = call();
  if (rc != ERROR_SUCCESS || tree_.revision() == revision) return rc;
  return store(keptVerbatim, original, exists);
}

long RegistryFile::RegOpenKeyA(HKEY key, const std::string& subKey, HKEY* result) {
  return withStore(Access::Read, [&] { return tree_.RegOpenKeyA(key, subKey, result); });
}

long RegistryFile::RegCreateKeyA(HKEY key, const std::string& subKey, HKEY* result) {
  if (result == nullptr) return ERROR_INVALID_PARAMETER;
  HKEY opened = 0;
  const long rc =
      withStore(Access::Write, [&] { return tree_.RegCreateKeyA(key, subKey, &opened); });
  if (rc != ERROR_SUCCESS) {
    // The key was made in memory only; the handle to it must not outlive the failure.
    if (opened != 0) tree_.RegCloseKey(opened);
    return rc;
  }
  *result = opened;
  return ERROR_SUCCESS;
}

long RegistryFile::RegCloseKey(HKEY key) {
  return tree_.RegCloseKey(key);
}

long RegistryFile::RegQueryValueExA(HKEY key, const std::string& valueName, uint32_t* type,
                                    uint8_t* data, uint32_t* dataSize) {
  return withStore(Access::Read,
                   [&] { return tree_.RegQueryValueExA(key, valueName, type, data, dataSize); });
}

long RegistryFile::RegSetValueExA(HKEY key, const std::string& valueName, uint32_t type,
                                  const uint8_t* data, uint32_t dataSize) {
  return withStore(Access::Write,
                   [&] { return tree_.RegSetValueExA(key, valueName, type, data, dataSize); });
}

}  // namespace zelkora
