#pragma once
// The built program as a child process, for end-to-end tests: started with its own
// settings file and runtime folder, offscreen; waited for with bounded timeouts.

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace zelkora::test {

// A fresh folder, removed with everything in it.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& text);
bool FileExists(const std::string& path);

// Polls `done` every few milliseconds until it holds or `timeout` passes.
bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout);

class ProgramProcess {
 public:
  // `home` holds the settings file (registry.reg), the runtime folder and the config
  // folder unless `environment` overrides them.
  ProgramProcess(std::string executable, const TempDir& home);
  ~ProgramProcess();

  std::map<std::string, std::string> environment;
  std::string registryPath() const { return environment.at("ZELKORA_REGISTRY"); }

  void start(const std::vector<std::string>& arguments = {});
  bool running();
  void signal(int signo);
  // The exit status, or nothing when it has not ended within `timeout`.
  std::optional<int> wait(std::chrono::milliseconds timeout);
  pid_t pid() const { return pid_; }

 private:
  std::string executable_;
  pid_t pid_ = -1;
  std::optional<int> status_;
};

}  // namespace zelkora::test
