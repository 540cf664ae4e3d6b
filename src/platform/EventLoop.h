#pragma once
// The event thread's loop as the core sees it: timers, posted calls, file-descriptor
// watches and a single-pass dispatch for code that must let events through while it waits.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace zelkora {

// A periodic timer in the manner of a form timer: it ticks every Interval ms while
// Enabled. Enabling a stopped timer starts a fresh period; enabling a running one changes
// nothing. Changing the interval of a running timer restarts its period.
class Timer {
 public:
  virtual ~Timer() = default;
  virtual void setInterval(int ms) = 0;
  virtual int interval() const = 0;
  virtual void setEnabled(bool enabled) = 0;
  virtual bool enabled() const = 0;

  std::function<void()> onTick;
  std::string Tag;  // free text for the owner
};

class EventLoop {
 public:
  enum class Watch { Read, Write };
  using WatchId = int;

  virtual ~EventLoop() = default;
  virtual std::unique_ptr<Timer> createTimer() = 0;
  // Runs `call` on the event thread after what is already pending.
  virtual void post(std::function<void()> call) = 0;
  // Dispatches every event that is pending now, once, and returns (a "DoEvents").
  virtual void yield() = 0;
  // Calls `ready` on the event thread whenever `fd` is readable (or writable). A watch
  // starts enabled; a disabled watch costs nothing while the descriptor is ready.
  virtual WatchId watchFd(int fd, Watch kind, std::function<void()> ready) = 0;
  virtual void setWatchEnabled(WatchId id, bool enabled) = 0;
  virtual void unwatchFd(WatchId id) = 0;
  // Monotonic milliseconds.
  virtual int64_t nowMs() const = 0;
};

}  // namespace zelkora
