#pragma once
// Which port events a look at the modem lines and the kernel's error counters gives,
// compared with the previous look.

#include <vector>

namespace zelkora {

// The kernel's running counts of line changes and errors (TIOCGICOUNT).
struct LineCounters {
  int cts = 0, dsr = 0, rng = 0, dcd = 0;
  int frame = 0, overrun = 0, parity = 0, brk = 0, bufOverrun = 0;
};

class LineEvents {
 public:
  // comEvCTS, comEvDSR, comEvCD, comEvRing for each input line whose state (TIOCM_* bits)
  // differs or whose counter moved: a line that went and came back between two looks
  // still counts. Ring: the kernel counts the trailing edge, the state shows the rising.
  static std::vector<int> lineChanges(int linesBefore, int linesNow, const LineCounters& before,
                                      const LineCounters& now);
  // comEventFrame, comEventOverrun, comEventRxOver (the kernel's receive buffer ran
  // over), comEventRxParity, comEventBreak for each counter that grew.
  static std::vector<int> errors(const LineCounters& before, const LineCounters& now);
};

}  // namespace zelkora
