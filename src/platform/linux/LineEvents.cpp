#include "platform/linux/LineEvents.h"

#include <sys/ioctl.h>

#include "platform/CommPort.h"

namespace zelkora {

std::vector<int> LineEvents::lineChanges(int linesBefore, int linesNow, const LineCounters& before,
                                         const LineCounters& now) {
  const int flipped = linesBefore ^ linesNow;
  std::vector<int> events;
  if ((flipped & TIOCM_CTS) != 0 || now.cts != before.cts) events.push_back(comm::comEvCTS);
  if ((flipped & TIOCM_DSR) != 0 || now.dsr != before.dsr) events.push_back(comm::comEvDSR);
  if ((flipped & TIOCM_CD) != 0 || now.dcd != before.dcd) events.push_back(comm::comEvCD);
  if ((flipped & TIOCM_RNG) != 0 || now.rng != before.rng) events.push_back(comm::comEvRing);
  return events;
}

std::vector<int> LineEvents::errors(const LineCounters& before, const LineCounters& now) {
  std::vector<int> events;
  if (now.frame != before.frame) events.push_back(comm::comEventFrame);
  if (now.overrun != before.overrun) events.push_back(comm::comEventOverrun);
  if (now.bufOverrun != before.bufOverrun) events.push_back(comm::comEventRxOver);
  if (now.parity != before.parity) events.push_back(comm::comEventRxParity);
  if (now.brk != before.brk) events.push_back(comm::comEventBreak);
  return events;
}

}  // namespace zelkora
