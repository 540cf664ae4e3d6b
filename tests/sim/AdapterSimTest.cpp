// The adapter in the simulated world: detection when the relay comes on, its failures
// and the operator's answers, faults and restarts inside its pauses, and the modem's
// carrier and ring reaching the device on port 2 through the Korvane cable.

#include <gtest/gtest.h>

#include "adapter/ProbeTable.h"
#include "relay/AutoStartDialog.h"
#include "sim/support/World.h"

namespace zelkora::sim {
namespace {

using namespace test::probe;

struct AdapterWorld {
  explicit AdapterWorld(uint8_t mode = 0) {
    w.wireAdapter(adapter);
    Settings& s = w.settings();
    s.HWUse = true;
    s.HWPortSel = 1;
    s.HWMode = mode;
    s.FlushingBUF = false;
  }
  // Start-up resets the adapter; the traffic recorded starts after it.
  bool start() {
    const bool started = w.start();
    adapter.traffic.clear();
    return started;
  }
  bool lamp(int port, Lamp which) const { return w.model().lamps[PanelModel::at(port)][which]; }
  bool terminalSees(Signal s) const { return w.terminal.end().input(s); }

  SimAdapter adapter{0x378};
  World w{&adapter};
};

TEST(AdapterSim, RelayOnRunsTheProbeTableAndLeavesEveryLineLow) {
  AdapterWorld a;
  ASSERT_TRUE(a.start());
  ASSERT_TRUE(a.w.on());
  EXPECT_EQ(a.adapter.traffic, SuccessfulTraffic());
  EXPECT_EQ(a.adapter.latch(), 0x01);
  EXPECT_TRUE(a.w.op.messages.empty());
  EXPECT_FALSE(a.w.run().AdapterBusy);
  // The probe's own carrier pulses on port 2 left no trace.
  a.w.loop.settle();
  EXPECT_FALSE(a.w.com2.CDHolding());
  EXPECT_FALSE(a.terminalSees(Signal::CD));
  EXPECT_FALSE(a.lamp(2, LampCD));
}

struct WorldFailure {
  const char* name;
  std::function<void(AdapterWorld&)> arrange;
  bool notFound;
};

class AdapterSimFailures : public ::testing::TestWithParam<WorldFailure> {};

TEST_P(AdapterSimFailures, StopLeavesTheRelayOffWithBothMessages) {
  AdapterWorld a;
  GetParam().arrange(a);
  ASSERT_TRUE(a.start());
  a.w.op.messageScripts.push_back([](const Message&) { return MsgAnswer::Abort; });
  EXPECT_FALSE(a.w.on());
  ASSERT_EQ(a.w.op.messages.size(), 2u);
  const Message& box = a.w.op.messages[0];
  EXPECT_EQ(box.text, GetParam().notFound ? kNotFound : NotConnected("COM3"));
  EXPECT_EQ(box.title, kTitle);
  EXPECT_EQ(box.buttons, MsgButtons::AbortRetryIgnore);
  EXPECT_EQ(box.icon, MsgIcon::Critical);
  EXPECT_EQ(box.defaultButton, 2);
  const Message& after = a.w.op.messages[1];
  EXPECT_EQ(after.text, kNotEstablished);
  EXPECT_EQ(after.icon, MsgIcon::Exclamation);
  EXPECT_EQ(after.buttons, MsgButtons::OK);
  EXPECT_EQ(a.w.state(), RelayState::Off);
  EXPECT_FALSE(a.w.com1.PortOpen());
  EXPECT_FALSE(a.w.com2.PortOpen());
  EXPECT_EQ(a.adapter.latch(), 0x00);
  EXPECT_FALSE(a.w.run().AdapterBusy);
  EXPECT_TRUE(a.w.settings().HWUse);
}

INSTANTIATE_TEST_SUITE_P(
    AdapterSim, AdapterSimFailures,
    ::testing::Values(
        WorldFailure{
            "StatusStuckHigh",
            [](AdapterWorld& a) { a.adapter.setStatusFault(SimAdapter::StatusFault::StuckHigh); },
            true},
        WorldFailure{
            "StatusStuckLow",
            [](AdapterWorld& a) { a.adapter.setStatusFault(SimAdapter::StatusFault::StuckLow); },
            true},
        WorldFailure{"ParallelConnectorOut",
                     [](AdapterWorld& a) { a.adapter.setParallelPlugged(false); }, true},
        WorldFailure{"SerialConnectorOut",
                     [](AdapterWorld& a) { a.adapter.setSerialPlugged(false); }, false},
        // The terminal's DTR drives port 2's carrier detect through the cable.
        WorldFailure{"DeviceOnPort2HoldsCarrier",
                     [](AdapterWorld& a) { a.w.korvaneLine.setDtrDrivesCd(true); }, false}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(AdapterSim, IgnoreRunsTheRelayWithoutTheAdapter) {
  AdapterWorld a;
  a.adapter.setStatusFault(SimAdapter::StatusFault::StuckLow);
  ASSERT_TRUE(a.start());
  ASSERT_EQ(a.w.model().lblParams[1], (TextLook{"Korvane™", {0, 0, 255}, 0}));
  size_t atAnswer = 0;
  a.w.op.messageScripts.push_back([&](const Message&) {
    atAnswer = a.adapter.traffic.size();
    return MsgAnswer::Ignore;
  });
  ASSERT_TRUE(a.w.on());
  EXPECT_EQ(a.w.state(), RelayState::On);
  EXPECT_EQ(a.w.op.messages.size(), 1u);
  EXPECT_FALSE(a.w.settings().HWUse);
  EXPECT_EQ(a.w.model().lblParams[1], (TextLook{"9600,8N1,H/W", {0, 0, 0}, 0}));

  // Carrier and ring stay on port 1; the register is never touched again.
  a.w.modem.setCarrier(true);
  a.w.modem.ring(1000);
  a.w.advance(1500);
  EXPECT_TRUE(a.lamp(1, LampCD));
  EXPECT_FALSE(a.w.com2.CDHolding());
  EXPECT_FALSE(a.terminalSees(Signal::RI));
  EXPECT_FALSE(a.lamp(2, LampRI));
  EXPECT_EQ(a.adapter.traffic.size(), atAnswer);
}

TEST(AdapterSim, PortFaultInAPauseReportsOnlyTheFault) {
  AdapterWorld a;
  ASSERT_TRUE(a.start());
  AfterWrite(a.adapter, 6, [&] { a.w.com2.injectEvent(comm::comEventFrame); });
  EXPECT_FALSE(a.w.on());
  ASSERT_EQ(a.w.op.messages.size(), 1u);
  EXPECT_EQ(a.w.op.messages[0].title, "Фатальная ошибка порта COM3 ! Связь прервана!");
  EXPECT_EQ(a.w.state(), RelayState::Off);
  EXPECT_FALSE(a.w.run().AdapterBusy);
  // Disconnect's reset is the last access: the interrupted probe read nothing more.
  EXPECT_EQ(a.adapter.traffic.back(), (Access{kData, true, 0x00}));
  EXPECT_EQ(a.adapter.dataWrites(),
            (std::vector<uint8_t>{0x00, 0x04, 0x01, 0x05, 0x00, 0x04, 0x00}));
}

TEST(AdapterSim, CountdownRestartInsideAPauseDetectsAfreshAndRelays) {
  AdapterWorld a;
  a.w.settings().AutoStart = true;
  a.w.settings().AutoStartTime = 1;
  ASSERT_TRUE(a.start());
  size_t faultAt = 0;
  AfterWrite(a.adapter, 14, [&] {
    faultAt = a.adapter.traffic.size();
    a.w.com1.injectEvent(comm::comEventOverrun);
  });
  a.w.on();
  ASSERT_NE(faultAt, 0u);
  EXPECT_EQ(a.w.op.dialogs, std::vector<ModalDialog::Kind>{ModalDialog::Kind::AutoStart});
  EXPECT_EQ(a.w.state(), RelayState::On);
  EXPECT_TRUE(a.w.op.messages.empty());
  EXPECT_FALSE(a.w.run().AdapterBusy);
  // Disconnect's reset, then the new relay's whole detection, and nothing of the old one.
  std::vector<Access> expected{{kData, true, 0x00}};
  for (const Access& x : SuccessfulTraffic()) expected.push_back(x);
  EXPECT_EQ(std::vector<Access>(a.adapter.traffic.begin() + static_cast<long>(faultAt),
                                a.adapter.traffic.end()),
            expected);
  a.w.modem.setCarrier(true);
  a.w.loop.settle();
  EXPECT_TRUE(a.terminalSees(Signal::CD));
}

class AdapterSimModes : public ::testing::TestWithParam<uint8_t> {};

TEST_P(AdapterSimModes, CarrierReachesPort2AtOnceUnlessRingOnly) {
  const uint8_t mode = GetParam();
  AdapterWorld a(mode);
  ASSERT_TRUE(a.start());
  ASSERT_TRUE(a.w.on());
  const bool carried = mode != 2;
  a.w.modem.setCarrier(true);
  a.w.loop.settle();
  EXPECT_TRUE(a.lamp(1, LampCD));
  EXPECT_EQ(a.w.com2.CDHolding(), carried);
  EXPECT_EQ(a.terminalSees(Signal::CD), carried);
  EXPECT_EQ(a.adapter.latch(), carried ? 0x59 : 0x01);
  a.w.modem.setCarrier(false);
  a.w.loop.settle();
  EXPECT_FALSE(a.w.com2.CDHolding());
  EXPECT_EQ(a.adapter.latch(), 0x01);
}

TEST_P(AdapterSimModes, RingBlinksBothLampsAndPulsesPort2UnlessCarrierOnly) {
  const uint8_t mode = GetParam();
  AdapterWorld a(mode);
  ASSERT_TRUE(a.start());
  ASSERT_TRUE(a.w.on());
  a.w.modem.ring(1000);
  a.w.loop.settle();
  const int64_t ringAt = a.w.loop.nowMs();
  std::string lamp1, lamp2, ringLampBit;
  std::vector<int64_t> edges;
  bool ri = false;
  for (int ms = 10; ms <= 5500; ms += 10) {
    a.w.advance(10);
    if (a.terminalSees(Signal::RI) != ri) {
      ri = !ri;
      edges.push_back(a.w.loop.nowMs() - ringAt);
    }
    if (ms % 250 == 0) {
      lamp1 += a.lamp(1, LampRI) ? '*' : '.';
      lamp2 += a.lamp(2, LampRI) ? '*' : '.';
      ringLampBit += (a.adapter.latch() & 0x02) != 0 ? '*' : '.';
    }
  }
  const std::string blinking = "*.*.*.*.*.*.*.*.*.*...";
  const std::string dark(blinking.size(), '.');
  const bool carried = mode != 1;
  EXPECT_EQ(lamp1, blinking);
  EXPECT_EQ(lamp2, carried ? blinking : dark);
  EXPECT_EQ(ringLampBit, carried ? blinking : dark);
  const std::vector<int64_t> pulse{250, 1000};
  EXPECT_EQ(edges, carried ? pulse : std::vector<int64_t>());
  EXPECT_EQ(a.adapter.latch(), 0x01);
  EXPECT_FALSE(a.w.program.ring(1).enabled());
  EXPECT_FALSE(a.w.program.ring(2).enabled());
}

INSTANTIATE_TEST_SUITE_P(AdapterSim, AdapterSimModes, ::testing::Values(0, 1, 2),
                         [](const auto& p) { return "HWMode" + std::to_string(p.param); });

TEST(AdapterSim, SwitchingOffDuringARingLowersEverythingAtOnce) {
  AdapterWorld a;
  ASSERT_TRUE(a.start());
  ASSERT_TRUE(a.w.on());
  a.w.modem.setCarrier(true);
  a.w.modem.ring(1000);
  a.w.advance(300);
  ASSERT_TRUE(a.terminalSees(Signal::RI));
  ASSERT_TRUE(a.lamp(1, LampRI));
  ASSERT_TRUE(a.lamp(2, LampRI));
  ASSERT_TRUE(a.w.click(World::Button::OFF));
  EXPECT_EQ(a.adapter.latch(), 0x00);
  EXPECT_FALSE(a.terminalSees(Signal::RI));
  EXPECT_FALSE(a.terminalSees(Signal::CD));
  EXPECT_FALSE(a.lamp(1, LampRI));
  EXPECT_FALSE(a.lamp(2, LampRI));
  const size_t accesses = a.adapter.traffic.size();
  a.w.advance(250);
  EXPECT_FALSE(a.w.program.ring(1).enabled());
  EXPECT_FALSE(a.w.program.ring(2).enabled());
  EXPECT_EQ(a.w.program.ringTicks(1), 0);
  EXPECT_FALSE(a.lamp(1, LampRI));
  EXPECT_FALSE(a.lamp(2, LampRI));
  EXPECT_EQ(a.adapter.traffic.size(), accesses);
}

// Carrier events are dropped while the probe runs; the carrier is passed on once the
// adapter is initialised.
TEST(AdapterSim, CarrierRisingDuringDetectionReachesPort2AfterIt) {
  AdapterWorld a;
  ASSERT_TRUE(a.start());
  bool lampLitDuringDetection = false;
  int writes = 0;
  a.adapter.onAccess = [&](const Access& x) {
    if (a.w.run().AdapterBusy && a.lamp(1, LampCD)) lampLitDuringDetection = true;
    if (x.write && ++writes == 5) a.w.modem.setCarrier(true);
  };
  ASSERT_TRUE(a.w.on());
  EXPECT_FALSE(lampLitDuringDetection);
  EXPECT_TRUE(a.lamp(1, LampCD));
  EXPECT_EQ(a.adapter.latch(), 0x59);
  EXPECT_TRUE(a.terminalSees(Signal::CD));
}

}  // namespace
}  // namespace zelkora::sim
