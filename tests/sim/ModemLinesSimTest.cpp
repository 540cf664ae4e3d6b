// The line lamps and the ring blink in the simulated world (without the adapter).

#include <gtest/gtest.h>

#include "sim/support/World.h"

namespace zelkora::sim {
namespace {

using Lamps = std::array<bool, LampCount>;

Lamps lamps(const World& w, int n) {
  return w.model().lamps[PanelModel::at(n)];
}

TEST(ModemLinesSim, LampsFollowTheLinesOfBothPorts) {
  World w;
  w.settings().port(2).TrapDTR = false;
  ASSERT_TRUE(w.start());
  ASSERT_TRUE(w.on());
  //                RI     CD     CTS   RTS   DSR   DTR
  EXPECT_EQ(lamps(w, 1), (Lamps{false, false, true, true, true, true}));
  EXPECT_EQ(lamps(w, 2), (Lamps{false, true, true, true, true, false}));

  w.modem.setCarrier(true);
  w.modem.setDSR(false);
  w.terminal.setReady(false);  // the terminal's RTS: port 2's CTS
  w.loop.settle();
  EXPECT_EQ(lamps(w, 1), (Lamps{false, true, true, true, false, true}));
  EXPECT_EQ(lamps(w, 2), (Lamps{false, true, false, true, true, false}));

  w.settings().FlushingBUF = false;
  ASSERT_TRUE(w.click(World::Button::OFF));
  EXPECT_EQ(lamps(w, 1), Lamps{});
  EXPECT_EQ(lamps(w, 2), Lamps{});
}

TEST(ModemLinesSim, ARingBlinksTheRingLampTenTimesInFiveSeconds) {
  World w;
  ASSERT_TRUE(w.start());
  ASSERT_TRUE(w.on());
  w.modem.ring(2000);
  w.loop.settle();
  std::string seen;
  for (int tick = 0; tick < 22; ++tick) {
    w.advance(250);
    seen += lamps(w, 1)[LampRI] ? '*' : '.';
    EXPECT_FALSE(lamps(w, 2)[LampRI]);  // nothing reaches port 2 without the adapter
  }
  EXPECT_EQ(seen, "*.*.*.*.*.*.*.*.*.*...");
  EXPECT_FALSE(w.program.ring(1).enabled());

  // A second ring while the first still blinks does not lengthen the blink.
  w.modem.ring(500);
  w.advance(1000);
  w.modem.ring(500);
  w.advance(4100);
  EXPECT_TRUE(w.program.ring(1).enabled());
  w.advance(200);  // 5.3 s after the first ring
  EXPECT_FALSE(w.program.ring(1).enabled());
}

TEST(ModemLinesSim, SwitchingOffDuringARingDarkensTheLampWithinATick) {
  World w;
  w.settings().FlushingBUF = false;
  ASSERT_TRUE(w.start());
  ASSERT_TRUE(w.on());
  w.modem.ring(1000);
  w.advance(260);
  ASSERT_TRUE(lamps(w, 1)[LampRI]);
  ASSERT_TRUE(w.click(World::Button::OFF));
  w.advance(250);
  EXPECT_FALSE(lamps(w, 1)[LampRI]);
  EXPECT_FALSE(w.program.ring(1).enabled());
  EXPECT_EQ(w.program.ringTicks(1), 0);
}

TEST(ModemLinesSim, WithTheAdapterPort2SeesTheCarrierAndA750msRingPulse) {
  SimAdapter adapter(0x378);
  World w(&adapter);
  w.wireAdapter(adapter);
  w.settings().HWUse = true;
  w.settings().HWPortSel = 1;
  w.settings().HWMode = 0;
  ASSERT_TRUE(w.start());
  ASSERT_TRUE(w.on());
  EXPECT_TRUE(w.op.messages.empty());  // the adapter answered the probe
  EXPECT_EQ(adapter.latch(), 0x01);
  EXPECT_FALSE(w.com2.CDHolding());

  w.modem.setCarrier(true);
  w.loop.settle();
  EXPECT_TRUE(w.com2.CDHolding());
  EXPECT_TRUE(w.terminal.end().input(Signal::CD));

  // RI towards port 2 rises at the first ring tick and falls three ticks later.
  std::vector<int64_t> edges;
  const int64_t ringAt = w.loop.nowMs();
  bool last = false;
  w.modem.ring(1000);
  for (int ms = 0; ms < 6000; ms += 10) {
    w.advance(10);
    const bool now = w.terminal.end().input(Signal::RI);
    if (now != last) edges.push_back(w.loop.nowMs() - ringAt);
    last = now;
  }
  EXPECT_EQ(edges, (std::vector<int64_t>{250, 1000}));
  EXPECT_TRUE(lamps(w, 2)[LampCD]);

  w.settings().FlushingBUF = false;
  ASSERT_TRUE(w.click(World::Button::OFF));
  EXPECT_EQ(adapter.latch(), 0x00);
  EXPECT_FALSE(w.terminal.end().input(Signal::CD));
}

}  // namespace
}  // namespace zelkora::sim
