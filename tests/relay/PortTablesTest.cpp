#include <gtest/gtest.h>

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
}

TEST(Version, LineAndShortForm) {
  EXPECT_EQ(version::VersionLine(), "v1.000.073/Stable  Eng.v2.21b  H/W Rev1.5C");
  EXPECT_EQ(version::VersionLine(1, 5, 7), "v1.005.007/Stable  Eng.v2.21b  H/W Rev1.5C");
  EXPECT_EQ(version::ShortVersion(), "1.000");
}

}  // namespace
}  // namespace zelkora
