// The built program when the cable of one port goes away: the relay stops with the fault
// of a vanished device and closes the other port too; the program stays up (its fault
// message waits for the operator), ends in order on request and saves its settings. With
// the automatic restart, the relay comes on again after the countdown once a cable is
// back.

#include <gtest/gtest.h>
#include <signal.h>

#include <sstream>

#include "support/BytePattern.h"
#include "support/FarEndTransfer.h"
#include "support/RelayRig.h"

namespace zelkora::test {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr auto kRelayComesOn = 20s;

bool HasLine(const std::string& text, const std::string& wanted) {
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (line == wanted) return true;
  }
  return false;
}

// The settings are written back only at an orderly end; the start command and the
// desktop entry are written nowhere else.
void ExpectSettingsSaved(const RelayRig& rig, const std::string& registryPath) {
  const std::string saved = ReadFile(registryPath);
  EXPECT_TRUE(
      HasLine(saved, "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run]"));
  EXPECT_TRUE(HasLine(saved, "\"Zelkora\"=\"\""));
  EXPECT_TRUE(HasLine(saved, "\"MeON\"=dword:00000001"));
  EXPECT_TRUE(FileExists(rig.home().file("config/autostart/zelkora.desktop")));
}

void EndInOrder(RelayRig& rig) {
  ASSERT_TRUE(rig.program().running());
  rig.program().signal(SIGTERM);
  ASSERT_EQ(rig.program().wait(20s), 0);
  ExpectSettingsSaved(rig, rig.program().registryPath());
}

class FarEndGoneTest : public ::testing::TestWithParam<int> {};

TEST_P(FarEndGoneTest, RelayStopsAndTheOtherPortIsClosed) {
  const int gone = GetParam();
  const int other = 3 - gone;
  RelayRig rig(ZELKORA_EXE);
  rig.start();
  ASSERT_TRUE(rig.waitUntilRelaying(other, kRelayComesOn));
  const std::string registry = rig.program().registryPath();
  ASSERT_FALSE(FileExists(rig.home().file("config/autostart/zelkora.desktop")));

  rig.farEnd(gone).closeMaster();
  EXPECT_TRUE(rig.waitForHangUp(other, 10s));
  EndInOrder(rig);
}

INSTANTIATE_TEST_SUITE_P(Port, FarEndGoneTest, ::testing::Values(1, 2),
                         [](const auto& test) { return "Port" + std::to_string(test.param); });

TEST(AutomaticRestart, RelayComesBackAfterTheCountdownOnANewCable) {
  RelayRig rig(ZELKORA_EXE, {.autoStart = true, .autoStartTime = 1});
  rig.start();
  ASSERT_TRUE(rig.waitUntilRelaying(1, kRelayComesOn));

  const auto fault = Clock::now();
  rig.farEnd(1).closeMaster();
  ASSERT_TRUE(rig.waitForHangUp(2, 10s));
  rig.replaceFarEnd(1);
  ASSERT_TRUE(rig.waitUntilRelaying(1, 20s));
  // One countdown step is 5 s; the relay stays off until it has run out.
  EXPECT_GE(Clock::now() - fault, 4500ms);

  FarEndTransfer there(rig.farEnd(1).master(), rig.farEnd(2).master(), bytePattern(1 << 20, 41));
  FarEndTransfer back(rig.farEnd(2).master(), rig.farEnd(1).master(), bytePattern(1 << 20, 42));
  there.start(20s);
  back.start(20s);
  for (FarEndTransfer* t : {&there, &back}) {
    const FarEndTransfer::Result r = t->finish();
    EXPECT_EQ(r.received, t->data().size());
    EXPECT_FALSE(r.firstMismatch.has_value());
  }
  EndInOrder(rig);
}

}  // namespace
}  // namespace zelkora::test
