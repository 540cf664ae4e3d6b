#pragma once
// SIGTERM, SIGINT and SIGHUP as an ordinary event of the loop: they are blocked for the
// whole process and read from a signalfd, so that the handler runs on the event thread
// (inside a modal box's nested loop too) and may do anything an event handler may.

#include <functional>

#include "platform/EventLoop.h"

namespace zelkora {

class TerminationSignals {
 public:
  // Blocks the signals for the calling thread and every thread started after it: call it
  // first in main().
  static void BlockEarly();

  TerminationSignals(EventLoop& loop, std::function<void()> onSignal);
  ~TerminationSignals();
  TerminationSignals(const TerminationSignals&) = delete;
  TerminationSignals& operator=(const TerminationSignals&) = delete;

 private:
  EventLoop& loop_;
  int fd_ = -1;
  EventLoop::WatchId watch_ = 0;
};

}  // namespace zelkora
