#include "support/ProgramProcess.h"

#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace zelkora::test {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "zelkora-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  // Tests may leave read-only folders behind; make them writable again first.
  for (auto& entry : std::filesystem::recursive_directory_iterator(path_, ignored)) {
    ::chmod(entry.path().c_str(), 0700);
  }
  std::filesystem::remove_all(path_, ignored);
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
}

bool FileExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
  const auto until = std::chrono::steady_clock::now() + timeout;
  while (!done()) {
    if (std::chrono::steady_clock::now() > until) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

ProgramProcess::ProgramProcess(std::string executable, const TempDir& home)
    : executable_(std::move(executable)) {
  environment["ZELKORA_REGISTRY"] = home.file("registry.reg");
  environment["XDG_RUNTIME_DIR"] = home.path();
  environment["XDG_CONFIG_HOME"] = home.file("config");
  environment["HOME"] = home.path();
  environment["QT_QPA_PLATFORM"] = "offscreen";
}

ProgramProcess::~ProgramProcess() {
  if (pid_ > 0 && !status_) {
    ::kill(pid_, SIGKILL);
    int ignored = 0;
    ::waitpid(pid_, &ignored, 0);
  }
}

void ProgramProcess::start(const std::vector<std::string>& arguments) {
  std::map<std::string, std::string> env;
  for (char** e = environ; *e != nullptr; ++e) {
    const std::string entry = *e;
    const size_t eq = entry.find('=');
    if (eq != std::string::npos) env[entry.substr(0, eq)] = entry.substr(eq + 1);
  }
  for (const auto& [name, value] : environment) env[name] = value;
  std::vector<std::string> envText;
  for (const auto& [name, value] : env) envText.push_back(name + "=" + value);
  std::vector<char*> envp;
  for (std::string& e : envText) envp.push_back(e.data());
  envp.push_back(nullptr);
  std::vector<std::string> args{executable_};
  args.insert(args.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  status_.reset();
  if (::posix_spawn(&pid_, executable_.c_str(), nullptr, nullptr, argv.data(), envp.data()) !=
      0) {
    throw std::runtime_error("cannot start " + executable_);
  }
}

bool ProgramProcess::running() {
  if (status_) return false;
  int status = 0;
  const pid_t done = ::waitpid(pid_, &status, WNOHANG);
  if (done == pid_) {
    status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return false;
  }
  return true;
}

void ProgramProcess::signal(int signo) {
  if (running()) ::kill(pid_, signo);
}

std::optional<int> ProgramProcess::wait(std::chrono::milliseconds timeout) {
  WaitFor([this] { return !running(); }, timeout);
  return status_;
}

}  // namespace zelkora::test
