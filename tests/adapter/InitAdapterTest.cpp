// Detection of the adapter: the probe's register traffic, its failures with the
// operator's three answers, and the pauses between a probe write and its read.

#include <gtest/gtest.h>

#include <functional>

#include "adapter/AdapterRig.h"
#include "adapter/ProbeTable.h"

namespace zelkora::test {
namespace {

using namespace probe;
using Fault = sim::SimAdapter::StatusFault;

void ExpectDetectionBox(const Message& m, const std::string& text) {
  EXPECT_EQ(m.text, text);
  EXPECT_EQ(m.title, kTitle);
  EXPECT_EQ(m.buttons, MsgButtons::AbortRetryIgnore);
  EXPECT_EQ(m.icon, MsgIcon::Critical);
  EXPECT_EQ(m.defaultButton, 2);
}

TEST(InitAdapter, AnsweringAdapterGetsExactlyTheProbeTableAndEndsAt0x01) {
  AdapterRig rig;
  rig.portsOpen();
  EXPECT_EQ(rig.program.hardware.InitAdapter(), AdapterResult::AdapterReady);
  EXPECT_EQ(rig.adapter.traffic, SuccessfulTraffic());
  EXPECT_EQ(rig.adapter.latch(), 0x01);
  EXPECT_FALSE(rig.program.run.AdapterBusy);
  EXPECT_TRUE(rig.op.messages.empty());
}

TEST(InitAdapter, AdapterBusyHoldsThroughEveryPause) {
  AdapterRig rig;
  rig.portsOpen();
  std::vector<bool> busy;
  rig.adapter.onAccess = [&](const Access&) { busy.push_back(rig.program.run.AdapterBusy); };
  rig.program.hardware.InitAdapter();
  ASSERT_EQ(busy.size(), SuccessfulTraffic().size());
  // The initial reset clears it; the probe keeps it until the initialised write.
  EXPECT_FALSE(busy.front());
  for (size_t i = 1; i < busy.size(); ++i) EXPECT_TRUE(busy[i]) << i;
  EXPECT_FALSE(rig.program.run.AdapterBusy);
}

// Events that became due before a probe write run between the write and its read.
TEST(InitAdapter, PauseDispatchesPendingEventsBeforeTheRead) {
  AdapterRig rig;
  rig.portsOpen();
  std::vector<size_t> ranAt;
  rig.adapter.onAccess = [&](const Access& a) {
    if (a.write && a.value == 0x04 && ranAt.empty()) {
      rig.loop.post([&] { ranAt.push_back(rig.adapter.traffic.size()); });
    }
  };
  rig.program.hardware.InitAdapter();
  // Reset, read, write 0x04: the posted call runs before the status read (index 3).
  EXPECT_EQ(ranAt, std::vector<size_t>{3});
}

struct PauseCase {
  const char* name;
  int64_t yieldCostUs;
  int yieldsPerPause;
};

class Pauses : public ::testing::TestWithParam<PauseCase> {};

// An idle loop gets all 500 passes; passes that take loop time stop at the bound.
TEST_P(Pauses, FiveHundredPassesOrTheTimeBound) {
  AdapterRig rig;
  rig.portsOpen();
  rig.loop.yieldCostUs = GetParam().yieldCostUs;
  EXPECT_EQ(rig.program.hardware.InitAdapter(), AdapterResult::AdapterReady);
  EXPECT_EQ(rig.loop.yields, 16 * GetParam().yieldsPerPause);
}

INSTANTIATE_TEST_SUITE_P(InitAdapter, Pauses,
                         ::testing::Values(PauseCase{"IdleLoop", 0, 500},
                                           PauseCase{"TenMicrosecondPasses", 10, 500},
                                           PauseCase{"OneMillisecondPasses", 1000, 5},
                                           PauseCase{"SlowPasses", 40000, 1}),
                         [](const auto& p) { return std::string(p.param.name); });

struct FailureCase {
  const char* name;
  std::function<void(AdapterRig&)> arrange;
  bool notFound;                 // else not connected
  std::vector<uint8_t> written;  // data-register writes up to the failure's 0x00
};

std::vector<uint8_t> PresenceThen(const std::vector<uint8_t>& cable) {
  std::vector<uint8_t> w;
  w.push_back(0x00);
  for (uint8_t b : kPresence) w.push_back(b);
  w.push_back(0x00);
  for (uint8_t b : cable) w.push_back(b);
  return w;
}

// The bytes written to the address the program uses as the data register.
std::vector<uint8_t> Written(const AdapterRig& rig) {
  std::vector<uint8_t> bytes;
  for (const Access& a : rig.adapter.traffic) {
    if (a.write && a.address == rig.program.run.AdapterBase) bytes.push_back(a.value);
  }
  return bytes;
}

class Failures : public ::testing::TestWithParam<FailureCase> {};

TEST_P(Failures, FailAtTheirStepWithTheirMessageAndAbortStops) {
  const FailureCase& c = GetParam();
  AdapterRig rig;
  rig.portsOpen();
  c.arrange(rig);
  rig.op.messageScripts.push_back([&](const Message&) {
    // The outputs are low before the question is asked.
    EXPECT_EQ(Written(rig), c.written);
    EXPECT_EQ(rig.adapter.latch(), 0x00);
    EXPECT_TRUE(rig.program.run.AdapterBusy);
    return MsgAnswer::Abort;
  });
  EXPECT_EQ(rig.program.hardware.InitAdapter(), AdapterResult::AdapterStopped);
  ASSERT_EQ(rig.op.messages.size(), 1u);
  ExpectDetectionBox(rig.op.messages[0], c.notFound ? kNotFound : NotConnected("COM3"));
  // Abort resets once more.
  std::vector<uint8_t> afterAbort = c.written;
  afterAbort.push_back(0x00);
  EXPECT_EQ(Written(rig), afterAbort);
  EXPECT_FALSE(rig.program.run.AdapterBusy);
  EXPECT_TRUE(rig.program.settings.HWUse);
}

INSTANTIATE_TEST_SUITE_P(
    InitAdapter, Failures,
    ::testing::Values(
        FailureCase{"StatusStuckHighFailsStep2",
                    [](AdapterRig& r) { r.adapter.setStatusFault(Fault::StuckHigh); },
                    true,
                    {0x00, 0x04, 0x01, 0x00}},
        FailureCase{"StatusStuckLowFailsStep1",
                    [](AdapterRig& r) { r.adapter.setStatusFault(Fault::StuckLow); },
                    true,
                    {0x00, 0x04, 0x00}},
        FailureCase{"ParallelConnectorOutFloatsHighAndFailsStep2",
                    [](AdapterRig& r) { r.adapter.setParallelPlugged(false); },
                    true,
                    {0x00, 0x04, 0x01, 0x00}},
        // Nothing answers at 0x278: reads float at 0xFF, so step 1 expects a clear bit.
        FailureCase{"WrongBaseAddressFailsStep1",
                    [](AdapterRig& r) { r.program.run.AdapterBase = 0x278; },
                    true,
                    {0x00, 0xFB, 0x00}},
        FailureCase{"SerialConnectorOutFailsCableStep1",
                    [](AdapterRig& r) { r.adapter.setSerialPlugged(false); }, false,
                    PresenceThen({0x50, 0x00})},
        FailureCase{"Port2CarrierHeldOnFailsCableStep2",
                    [](AdapterRig& r) { r.port2CarrierHeld = true; }, false,
                    PresenceThen({0x50, 0x01, 0x00})}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(InitAdapter, NotConnectedNamesPort2FromItsLabel) {
  AdapterRig rig;
  rig.program.settings.port(2).Port = 6;
  rig.program.params.ApplySettings();
  rig.portsOpen();
  rig.adapter.setSerialPlugged(false);
  rig.op.defaultMessage = [](const Message&) { return MsgAnswer::Abort; };
  rig.program.hardware.InitAdapter();
  ASSERT_EQ(rig.op.messages.size(), 1u);
  EXPECT_EQ(rig.op.messages[0].text, NotConnected("COM7"));
}

TEST(InitAdapter, RetryRunsThePresencePhaseAgainBeforeTheCable) {
  AdapterRig rig;
  rig.portsOpen();
  rig.adapter.setSerialPlugged(false);
  size_t retryFrom = 0;
  rig.op.messageScripts.push_back([&](const Message&) {
    rig.adapter.setSerialPlugged(true);
    retryFrom = rig.adapter.traffic.size();
    return MsgAnswer::Retry;
  });
  EXPECT_EQ(rig.program.hardware.InitAdapter(), AdapterResult::AdapterReady);
  EXPECT_EQ(rig.op.messages.size(), 1u);
  const std::vector<Access> again(rig.adapter.traffic.begin() + static_cast<long>(retryFrom),
                                  rig.adapter.traffic.end());
  EXPECT_EQ(again, SuccessfulTraffic());
}

TEST(InitAdapter, RetryAsksAgainWhileTheFaultStays) {
  AdapterRig rig;
  rig.portsOpen();
  rig.adapter.setStatusFault(Fault::StuckLow);
  rig.op.messageScripts.push_back([](const Message&) { return MsgAnswer::Retry; });
  rig.op.messageScripts.push_back([](const Message&) { return MsgAnswer::Retry; });
  rig.op.messageScripts.push_back([](const Message&) { return MsgAnswer::Abort; });
  EXPECT_EQ(rig.program.hardware.InitAdapter(), AdapterResult::AdapterStopped);
  EXPECT_EQ(rig.op.messages.size(), 3u);
  EXPECT_EQ(rig.adapter.dataWrites(),
            (std::vector<uint8_t>{0x00, 0x04, 0x00, 0x00, 0x04, 0x00, 0x00, 0x04, 0x00, 0x00}));
}

TEST(InitAdapter, IgnoreDropsTheAdapterWithoutTouchingTheRegisterAgain) {
  AdapterRig rig;
  rig.portsOpen();
  rig.adapter.setStatusFault(Fault::StuckHigh);
  size_t atAnswer = 0;
  rig.op.messageScripts.push_back([&](const Message&) {
    atAnswer = rig.adapter.traffic.size();
    return MsgAnswer::Ignore;
  });
  EXPECT_EQ(rig.program.hardware.InitAdapter(), AdapterResult::AdapterSkipped);
  EXPECT_FALSE(rig.program.settings.HWUse);
  EXPECT_FALSE(rig.program.run.AdapterBusy);
  EXPECT_EQ(rig.adapter.traffic.size(), atAnswer);
  EXPECT_EQ(rig.program.frmMain.lblParams[1], (TextLook{"9600,8N1,H/W", {0, 0, 0}, 0}));
}

// A carrier that port 1 had before the relay came on, or that changed while the probe
// dropped carrier events, reaches port 2 once the adapter is initialised.
TEST(InitAdapter, Port2GetsPort1sPresentCarrierWhenTheModeCarriesIt) {
  for (const uint8_t mode : {uint8_t{0}, uint8_t{1}, uint8_t{2}}) {
    AdapterRig rig;
    rig.program.settings.HWMode = mode;
    rig.portsOpen();
    rig.com1.carrier = true;
    EXPECT_EQ(rig.program.hardware.InitAdapter(), AdapterResult::AdapterReady);
    EXPECT_EQ(rig.adapter.latch(), mode == 2 ? 0x01 : 0x59) << int(mode);
    EXPECT_EQ(rig.adapter.carrierDetect(), mode != 2);
  }
}

}  // namespace
}  // namespace zelkora::test
