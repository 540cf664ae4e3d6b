#include "platform/linux/TerminationSignals.h"

#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

namespace zelkora {

namespace {
sigset_t terminationSet() {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGTERM);
  sigaddset(&set, SIGINT);
  sigaddset(&set, SIGHUP);
  return set;
}
}  // namespace

void TerminationSignals::BlockEarly() {
  const sigset_t set = terminationSet();
  pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

TerminationSignals::TerminationSignals(EventLoop& loop, std::function<void()> onSignal)
    : loop_(loop) {
  const sigset_t set = terminationSet();
  fd_ = ::signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
  if (fd_ < 0) return;
  watch_ = loop_.watchFd(fd_, EventLoop::Watch::Read, [this, callback = std::move(onSignal)] {
    signalfd_siginfo info{};
    bool received = false;
    while (::read(fd_, &info, sizeof info) == static_cast<ssize_t>(sizeof info)) received = true;
    if (received) callback();
  });
}

TerminationSignals::~TerminationSignals() {
  if (fd_ < 0) return;
  loop_.unwatchFd(watch_);
  ::close(fd_);
}

}  // namespace zelkora
