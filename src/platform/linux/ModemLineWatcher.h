#pragma once
// Wakes the event thread when a modem input line (CTS, DSR, CD, RI) of a serial device
// changes. The kernel tells of such changes only to a caller blocked in TIOCMIWAIT, so a
// small thread per open port waits there and does nothing else: it writes to an eventfd
// that the event thread watches, and the event thread reads the lines itself. The thread
// never touches the port's state.
//
// Stopping: closing the device does not wake a thread blocked in TIOCMIWAIT (the call
// holds its own reference to the open file). The thread is woken by a signal with an
// empty handler, sent until it has left; the device is closed only after it has been
// joined. Devices without TIOCMIWAIT (pseudo-terminals) end the thread at once, quietly.

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace zelkora {

class ModemLineWatcher {
 public:
  // Blocks until a line of `deviceFd` changes: 0, or -1 with errno (EINTR when woken).
  using Wait = std::function<int(int deviceFd)>;
  static int waitForLineChange(int deviceFd);

  explicit ModemLineWatcher(Wait wait = waitForLineChange) : wait_(std::move(wait)) {}
  ModemLineWatcher(const ModemLineWatcher&) = delete;
  ModemLineWatcher& operator=(const ModemLineWatcher&) = delete;
  ~ModemLineWatcher() { stop(); }

  // Starts watching `deviceFd`; false when no eventfd could be had.
  bool start(int deviceFd);
  // Ends the thread and closes the eventfd; `deviceFd` may be closed afterwards.
  void stop();
  // Readable after a change (or a failure of the device); -1 when not started.
  int notifyFd() const { return eventFd_; }
  // Clears the readable state of notifyFd().
  void acknowledge();

 private:
  void run(int deviceFd);
  void notify();
  bool waitExit(int ms);

  Wait wait_;
  int eventFd_ = -1;
  std::thread thread_;
  std::atomic<bool> stopping_{false};
  std::mutex mutex_;
  std::condition_variable exitedCv_;
  bool exited_ = false;
};

}  // namespace zelkora
