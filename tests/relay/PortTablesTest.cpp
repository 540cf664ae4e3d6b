#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "relay/PortParameters.h"
#include "relay/StartupShutdown.h"
#include "relay/StatusDisplay.h"
#include "relay/Version.h"

namespace zelkora {
namespace {

TEST(PortTables, SpeedsOfEveryStep) {
  const int32_t expected[] = {110,   300,   600,   1200,  2400,  4800,  9600,
                              14400, 19200, 28800, 38400, 56000, 57600, 115200};
  for (uint8_t step = 0; step < 14; ++step) {
    EXPECT_EQ(PortParameters::SpeedOf(step), expected[step]) << int(step);
  }
}

TEST(PortTables, BufferSizesDoubleButStopAt32767) {
  const int16_t in[] = {512, 1024, 2048, 4096, 8192, 12288, 16384};
  const int16_t out[] = {1024, 2048, 4096, 8192, 16384, 24576, 32767};
  for (uint8_t step = 0; step < 7; ++step) {
    EXPECT_EQ(PortParameters::InBufferSizeOf(step), in[step]);
    EXPECT_EQ(PortParameters::OutBufferSizeOf(step), out[step]);
  }
}

TEST(PortTables, GaugeIntervalIsRounded) {
  const int expected[] = {1000, 500, 333, 250, 200, 167, 143, 125, 111, 100};
  for (int16_t rate = 1; rate <= 10; ++rate) {
    EXPECT_EQ(PortParameters::GaugeInterval(rate), expected[rate - 1]);
  }
}

TEST(AutoStartSwitch, OnlyTheSixExactArgumentStrings) {
  for (const char* yes : {"/A", "/a", "-A", "-a", "a", "A"}) {
    EXPECT_TRUE(StartupShutdown::IsAutoStartSwitch(yes)) << yes;
  }
  for (const char* no : {"", " /a", "/a ", "/a /b", "/auto", "aa", "-", "/", "b", "/A/A"}) {
    EXPECT_FALSE(StartupShutdown::IsAutoStartSwitch(no)) << '"' << no << '"';
  }
}

TEST(Counters, MegabytesWithThreeDecimals) {
  EXPECT_EQ(StatusDisplay::MegabytesText(0), "0.000 Мб");
  EXPECT_EQ(StatusDisplay::MegabytesText(1048576), "1.000 Мб");
  EXPECT_EQ(StatusDisplay::MegabytesText(1572864), "1.500 Мб");
  EXPECT_EQ(StatusDisplay::MegabytesText(100), "0.000 Мб");
  EXPECT_EQ(StatusDisplay::MegabytesText(524), "0.000 Мб");
  EXPECT_EQ(StatusDisplay::MegabytesText(525), "0.001 Мб");
  EXPECT_EQ(StatusDisplay::MegabytesText(123456.0 * 1048576), "123456.000 Мб");
  // Exact ties go to the even neighbour, as printf rounds them.
  EXPECT_EQ(StatusDisplay::MegabytesText(65536), "0.062 Мб");
  EXPECT_EQ(StatusDisplay::MegabytesText(3 * 65536), "0.188 Мб");
}

// Whole counts take a path of their own; it agrees with printf everywhere, also where
// printf takes over (fractions, counts too large for it).
TEST(Counters, MegabytesAgreeWithPrintf) {
  auto printed = [](double bytes) {
    char text[64];
    std::snprintf(text, sizeof text, "%.3f", bytes / 1048576.0);
    return std::string(text) + " Мб";
  };
  std::vector<double> counts{1, 523, 524, 525, 1048575, 1048576, 1048577, 0.5, 1e15, 3e15};
  for (double tie = 65536; tie < 1e12; tie *= 3) counts.push_back(tie);
  uint64_t x = 12345;
  for (int i = 0; i < 20000; ++i) {
    x = x * 6364136223846793005ull + 1442695040888963407ull;
    counts.push_back(static_cast<double>(x >> (i % 40 + 14)));
  }
  for (double bytes : counts)
    EXPECT_EQ(StatusDisplay::MegabytesText(bytes), printed(bytes)) << bytes;
}

TEST(Version, LineAndShortForm) {
  EXPECT_EQ(version::VersionLine(), "v1.000.073/Stable  Eng.v2.21b  H/W Rev1.5C");
  EXPECT_EQ(version::VersionLine(1, 5, 7), "v1.005.007/Stable  Eng.v2.21b  H/W Rev1.5C");
  EXPECT_EQ(version::ShortVersion(), "1.000");
}

}  // namespace
}  // namespace zelkora
