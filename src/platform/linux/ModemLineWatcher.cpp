#include "platform/linux/ModemLineWatcher.h"

#include <pthread.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdint>

namespace zelkora {

namespace {

constexpr int kLineMask = TIOCM_CTS | TIOCM_DSR | TIOCM_CD | TIOCM_RNG;
constexpr int kWakeRetryMs = 2;

int wakeSignal() {
  return SIGRTMIN + 4;
}

void ignoreWake(int) {}

// The handler must exist before the first thread can be sent the signal, whose default
// action would end the process. Installed without SA_RESTART, so that the blocked ioctl
// returns EINTR instead of being restarted. The signal serves this purpose alone.
void installWakeHandler() {
  static std::once_flag once;
  std::call_once(once, [] {
    struct sigaction action {};
    action.sa_handler = ignoreWake;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;
    ::sigaction(wakeSignal(), &action, nullptr);
  });
}

bool unsupported(int err) {
  return err == EINVAL || err == ENOTTY || err == ENOSYS;
}

}  // namespace

int ModemLineWatcher::waitForLineChange(int deviceFd) {
  return ::ioctl(deviceFd, TIOCMIWAIT, kLineMask);
}

bool ModemLineWatcher::start(int deviceFd) {
  stop();
  eventFd_ = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
  if (eventFd_ < 0) return false;
  installWakeHandler();
  stopping_ = false;
  exited_ = false;
  thread_ = std::thread([this, deviceFd] { run(deviceFd); });
  return true;
}

void ModemLineWatcher::stop() {
  if (thread_.joinable()) {
    stopping_ = true;
    // A signal that lands just before the thread enters the ioctl is lost; send again.
    while (!waitExit(0)) {
      ::pthread_kill(thread_.native_handle(), wakeSignal());
      if (waitExit(kWakeRetryMs)) break;
    }
    thread_.join();
  }
  if (eventFd_ >= 0) ::close(eventFd_);
  eventFd_ = -1;
}

void ModemLineWatcher::acknowledge() {
  uint64_t count = 0;
  if (eventFd_ >= 0) {
    [[maybe_unused]] const ssize_t n = ::read(eventFd_, &count, sizeof count);
  }
}

void ModemLineWatcher::run(int deviceFd) {
  // Signals meant for the process are handled elsewhere; only the wake signal gets here.
  sigset_t mask;
  sigfillset(&mask);
  sigdelset(&mask, wakeSignal());
  ::pthread_sigmask(SIG_SETMASK, &mask, nullptr);
  while (!stopping_) {
    if (wait_(deviceFd) == 0) {
      notify();
      continue;
    }
    const int err = errno;
    if (err == EINTR) continue;
    // A device that fails here has gone; the event thread finds out when it looks.
    if (!unsupported(err)) notify();
    break;
  }
  std::lock_guard lock(mutex_);
  exited_ = true;
  exitedCv_.notify_all();
}

void ModemLineWatcher::notify() {
  const uint64_t one = 1;
  [[maybe_unused]] const ssize_t n = ::write(eventFd_, &one, sizeof one);
}

bool ModemLineWatcher::waitExit(int ms) {
  std::unique_lock lock(mutex_);
  return exitedCv_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return exited_; });
}

}  // namespace zelkora
