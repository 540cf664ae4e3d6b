// Detection while the world moves: the relay switched off (and even on again) inside a
// pause or while the question is open, and ring ticks that change the register between
// the probe's own read-modify-writes.

#include <gtest/gtest.h>

#include "adapter/AdapterRig.h"
#include "adapter/ProbeTable.h"
#include "relay/AutoStartDialog.h"

namespace zelkora::test {
namespace {

using Access = sim::SimAdapter::Access;

// Posts `action` right after the `n`-th data-register write, so that the pause following
// that write dispatches it.
void AfterWrite(AdapterRig& rig, int n, std::function<void()> action) {
  probe::AfterWrite(rig.adapter, n, [&rig, action] { rig.loop.post(action); });
}

class SwitchedOffInAPause : public ::testing::TestWithParam<int> {};

// Writes 2..9 are the presence phase, 10 the reset between the phases, 11..18 the cable.
TEST_P(SwitchedOffInAPause, StopsAtOnceAndLeavesTheClosedRelaysRegisterAlone) {
  AdapterRig rig;
  rig.portsOpen();
  size_t afterDisconnect = 0;
  AfterWrite(rig, GetParam(), [&] {
    rig.program.relay.Disconnect();
    afterDisconnect = rig.adapter.traffic.size();
  });
  EXPECT_EQ(rig.program.hardware.InitAdapter(), AdapterResult::AdapterStopped);
  ASSERT_NE(afterDisconnect, 0u);
  EXPECT_EQ(rig.adapter.traffic.size(), afterDisconnect);
  EXPECT_EQ(rig.adapter.traffic.back(), (Access{0x378, true, 0x00}));
  EXPECT_FALSE(rig.program.run.AdapterBusy);
  EXPECT_TRUE(rig.op.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(InitAdapter, SwitchedOffInAPause, ::testing::Values(2, 5, 9, 11, 18));

TEST(InitAdapter, FaultLatchedInAPauseEndsWithoutAQuestion) {
  AdapterRig rig;
  rig.portsOpen();
  AfterWrite(rig, 4, [&] { rig.program.run.FaultLatch = true; });
  EXPECT_EQ(rig.program.hardware.InitAdapter(), AdapterResult::AdapterStopped);
  EXPECT_TRUE(rig.op.messages.empty());
  // The relay is still open: outputs low, and AdapterBusy is left to the caller's reset.
  EXPECT_EQ(rig.adapter.latch(), 0x00);
  EXPECT_TRUE(rig.program.run.AdapterBusy);
}

TEST(InitAdapter, FaultLatchedWhenAPhaseFailsAsksNothing) {
  AdapterRig rig;
  rig.portsOpen();
  rig.adapter.setStatusFault(sim::SimAdapter::StatusFault::StuckLow);
  // The status read of step 1 is the access that makes the phase fail.
  rig.adapter.onAccess = [&](const Access& a) {
    if (a.address == 0x379) rig.program.run.FaultLatch = true;
  };
  EXPECT_EQ(rig.program.hardware.InitAdapter(), AdapterResult::AdapterStopped);
  EXPECT_TRUE(rig.op.messages.empty());
  EXPECT_EQ(rig.adapter.latch(), 0x00);
}

TEST(RelayOn, PortFaultDuringDetectionReportsOnlyTheFault) {
  AdapterRig rig;
  AfterWrite(rig, 6, [&] { rig.com2.raise(comm::comEventFrame); });
  size_t closedAt = 0;
  rig.relayOn();
  for (size_t i = 0; i < rig.adapter.traffic.size(); ++i) {
    if (rig.adapter.traffic[i] == Access{0x378, true, 0x00}) closedAt = i;
  }
  EXPECT_FALSE(rig.program.run.RelayOn);
  EXPECT_FALSE(rig.com1.PortOpen());
  EXPECT_FALSE(rig.program.run.AdapterBusy);
  ASSERT_EQ(rig.op.messages.size(), 1u);
  EXPECT_EQ(rig.op.messages[0].title, "Фатальная ошибка порта COM3 ! Связь прервана!");
  EXPECT_EQ(rig.op.messages[0].text, "Произошла ошибка синхронизации !");
  // Disconnect's reset is the last access.
  EXPECT_EQ(closedAt, rig.adapter.traffic.size() - 1);
}

// The fault's countdown restarts the relay inside the first detection's pause: the new
// relay runs its own detection, and the old one must not disturb it afterwards.
TEST(RelayOn, RestartInsideAPauseLeavesTheNewRelayInitialised) {
  AdapterRig rig;
  rig.program.settings.AutoStart = true;
  rig.op.dialogScripts.push_back(
      [](ModalDialog& d) { static_cast<AutoStartDialog&>(d).cmdSTART_Click(); });
  bool faulted = false;
  size_t restartFrom = 0;
  rig.adapter.onAccess = [&](const Access& a) {
    if (!faulted && a.write && a.value == 0x51) {
      faulted = true;
      rig.loop.post([&] {
        restartFrom = rig.adapter.traffic.size();
        rig.com1.raise(comm::comEventOverrun);
      });
    }
  };
  rig.relayOn();
  ASSERT_TRUE(faulted);
  EXPECT_TRUE(rig.program.run.RelayOn);
  EXPECT_FALSE(rig.program.run.AdapterBusy);
  EXPECT_EQ(rig.adapter.latch(), 0x01);
  EXPECT_TRUE(rig.op.messages.empty());
  // Disconnect's reset, then the new detection from its own reset, and nothing after.
  std::vector<uint8_t> expected{0x00, 0x00, 0x04, 0x01, 0x05, 0x00, 0x04, 0x01, 0x05, 0x00,
                                0x00, 0x50, 0x01, 0x51, 0x00, 0x50, 0x01, 0x51, 0x00, 0x01};
  EXPECT_EQ(rig.adapter.dataWrites(restartFrom), expected);
}

TEST(InitAdapter, SwitchedOffWhileTheQuestionIsOpenIgnoresTheAnswer) {
  for (const MsgAnswer answer : {MsgAnswer::Abort, MsgAnswer::Retry, MsgAnswer::Ignore}) {
    AdapterRig rig;
    rig.portsOpen();
    rig.adapter.setStatusFault(sim::SimAdapter::StatusFault::StuckHigh);
    size_t afterDisconnect = 0;
    rig.op.messageScripts.push_back([&](const Message&) {
      rig.program.relay.Disconnect();
      afterDisconnect = rig.adapter.traffic.size();
      return answer;
    });
    EXPECT_EQ(rig.program.hardware.InitAdapter(), AdapterResult::AdapterStopped);
    EXPECT_EQ(rig.adapter.traffic.size(), afterDisconnect);
    EXPECT_EQ(rig.op.messages.size(), 1u);
    EXPECT_TRUE(rig.program.settings.HWUse);
  }
}

TEST(InitAdapter, RingTicksInPausesKeepTheirBitsThroughTheProbe) {
  AdapterRig rig;
  rig.portsOpen();
  // Every pass of the loop takes 100 ms, so each pause is one pass and the ring timer
  // (ticks at 250, 500, ... ms) fires inside the pauses.
  rig.loop.yieldCostUs = 100'000;
  rig.com1.raise(comm::comEvRing);
  EXPECT_EQ(rig.program.hardware.InitAdapter(), AdapterResult::AdapterReady);
  // Probe writes, with the ring timer's own read-modify-writes between them: RI and the
  // ring lamp at 250 ms (0xA5, 0xA7), lamp off at 500 (0xA4), on at 750 (0xA2), RI off and
  // lamp off at 1000 (0x01, 0x01), lamp on at 1250 (0x52), off at 1500 (0x51).
  const std::vector<uint8_t> expected{
      0x00,                                                        // reset
      0x04, 0x01, 0x05, 0xA5, 0xA7, 0xA2, 0xA6, 0xA4, 0xA1, 0xA5,  // presence 1..7
      0xA0, 0xA2,                                                  // presence 8
      0x00,                                                        // between the phases
      0x50, 0x01, 0x01, 0x01, 0x51, 0x00, 0x50, 0x52, 0x03, 0x53,  // cable 1..7
      0x51, 0x00,                                                  // cable 8
      0x01};                                                       // initialised
  EXPECT_EQ(rig.adapter.dataWrites(), expected);
}

}  // namespace
}  // namespace zelkora::test
