#include "platform/linux/LineEvents.h"

#include <gtest/gtest.h>
#include <sys/ioctl.h>

#include "platform/CommPort.h"

namespace zelkora::test {
namespace {

using Events = std::vector<int>;

TEST(LineEvents, EachInputLineHasItsEvent) {
  const LineCounters same;
  struct Case {
    int before, now;
    Events expected;
  };
  for (const Case& c :
       {Case{0, 0, {}}, Case{0, TIOCM_CTS, {comm::comEvCTS}}, Case{TIOCM_DSR, 0, {comm::comEvDSR}},
        Case{0, TIOCM_CD, {comm::comEvCD}}, Case{0, TIOCM_RNG, {comm::comEvRing}},
        Case{TIOCM_CTS | TIOCM_CD, TIOCM_DSR | TIOCM_CD, {comm::comEvCTS, comm::comEvDSR}},
        // Outputs are not events.
        Case{0, TIOCM_DTR | TIOCM_RTS, {}}}) {
    EXPECT_EQ(LineEvents::lineChanges(c.before, c.now, same, same), c.expected)
        << c.before << " -> " << c.now;
  }
}

TEST(LineEvents, ALineThatWentAndCameBackStillCounts) {
  LineCounters before;
  LineCounters now;
  now.dcd = 2;  // carrier dropped and returned between two looks
  now.rng = 1;  // the trailing edge of a ring, the line low again
  EXPECT_EQ(LineEvents::lineChanges(TIOCM_CD, TIOCM_CD, before, now),
            (Events{comm::comEvCD, comm::comEvRing}));
}

TEST(LineEvents, GrownErrorCountersGiveTheirCodes) {
  LineCounters before;
  before.frame = 3;
  LineCounters now = before;
  EXPECT_TRUE(LineEvents::errors(before, now).empty());
  now.frame = 4;
  now.overrun = 1;
  now.bufOverrun = 2;
  EXPECT_EQ(LineEvents::errors(before, now),
            (Events{comm::comEventFrame, comm::comEventOverrun, comm::comEventRxOver}));
  LineCounters quiet = before;
  quiet.parity = 1;
  quiet.brk = 1;
  quiet.cts = 5;  // line changes are not errors
  EXPECT_EQ(LineEvents::errors(before, quiet),
            (Events{comm::comEventRxParity, comm::comEventBreak}));
}

}  // namespace
}  // namespace zelkora::test
