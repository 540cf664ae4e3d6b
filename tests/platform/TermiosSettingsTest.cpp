// The translation of the settings text and flow control into the kernel's terminal
// settings, checked against the kernel's own constants.
#include <asm/termbits.h>
#include <gtest/gtest.h>

#include "platform/CommPort.h"
#include "platform/linux/SettingsText.h"
#include "platform/linux/TermiosSettings.h"

namespace zelkora::test {
namespace {

TEST(SettingsText, RefusesWhatTheLineCannotTake) {
  for (const char* text :
       {"9600,N,4,1", "9600,N,8,1.5", "9600,N,6,1.5", "9600,N,5,2", "9600,E,8,1", "9600,O,8,1",
        "abc", "", "0,N,8,1", "-9600,N,8,1", "9600,N,9,1", "9600,N,8", "9600,N,8,1,1", "9600,,8,1",
        "96x0,N,8,1", " 9600,N,8,1", "9600,N,8,3"}) {
    EXPECT_FALSE(LineSettings::parse(text).has_value()) << text;
  }
}

TEST(SettingsText, ReadsSpeedDataAndStopBits) {
  struct Case {
    const char* text;
    uint32_t baud;
    int dataBits;
    int stopHalfBits;
    int halfBitsPerCharacter;
  };
  for (const Case& c :
       {Case{"9600,N,8,1", 9600, 8, 2, 20}, Case{"110,N,7,2", 110, 7, 4, 20},
        Case{"115200,N,5,1.5", 115200, 5, 3, 15}, Case{"56000,N,6,1", 56000, 6, 2, 16},
        Case{"14400,N,8,2", 14400, 8, 4, 22}, Case{"28800,N,5,1", 28800, 5, 2, 14}}) {
    const std::optional<LineSettings> s = LineSettings::parse(c.text);
    ASSERT_TRUE(s.has_value()) << c.text;
    EXPECT_EQ(s->baud, c.baud) << c.text;
    EXPECT_EQ(s->dataBits, c.dataBits) << c.text;
    EXPECT_EQ(s->stopHalfBits, c.stopHalfBits) << c.text;
    EXPECT_EQ(s->halfBitsPerCharacter(), c.halfBitsPerCharacter) << c.text;
  }
}

// What a freshly opened terminal looks like: cooked, echoing, 38400 7E1 with flow control.
TermiosImage cookedTerminal() {
  TermiosImage t;
  t.iflag = ICRNL | IXON | IXANY | BRKINT | INPCK | ISTRIP | IMAXBEL;
  t.oflag = OPOST | ONLCR;
  t.cflag = B38400 | CS7 | PARENB | PARODD | CRTSCTS | HUPCL;
  t.lflag = ICANON | ECHO | ECHOE | ISIG | IEXTEN;
  t.cc[VMIN] = 0;
  t.cc[VTIME] = 5;
  t.ispeed = t.ospeed = 38400;
  return t;
}

TEST(TermiosSettings, TranslatesLineAndFlowControl) {
  struct Case {
    const char* text;
    int handshaking;
    uint32_t size;
    bool longStop;
    bool rtsCts;
    bool xonXoff;
  };
  for (const Case& c : {Case{"9600,N,8,1", comm::comNone, CS8, false, false, false},
                        Case{"14400,N,7,1", comm::comXOnXoff, CS7, false, false, true},
                        Case{"28800,N,6,2", comm::comRTS, CS6, true, true, false},
                        Case{"56000,N,5,1.5", comm::comRTSXOnXOff, CS5, true, true, true},
                        Case{"115200,N,5,1", comm::comNone, CS5, false, false, false},
                        Case{"110,N,8,2", comm::comXOnXoff, CS8, true, false, true}}) {
    SCOPED_TRACE(c.text);
    const LineSettings line = *LineSettings::parse(c.text);
    const TermiosImage t = TermiosSettings::configure(cookedTerminal(), line, c.handshaking);
    EXPECT_EQ(t.cflag & CSIZE, c.size);
    EXPECT_EQ((t.cflag & CSTOPB) != 0, c.longStop);
    EXPECT_EQ((t.cflag & CRTSCTS) != 0, c.rtsCts);
    EXPECT_EQ(t.iflag & (IXON | IXOFF), c.xonXoff ? (IXON | IXOFF) : 0u);
    EXPECT_EQ(t.cflag & (PARENB | PARODD | CMSPAR), 0u);
    // The rate travels as a number, in both directions.
    EXPECT_EQ(t.cflag & CBAUD, static_cast<uint32_t>(BOTHER));
    EXPECT_EQ((t.cflag & CIBAUD) >> IBSHIFT, static_cast<uint32_t>(BOTHER));
    EXPECT_EQ(t.ospeed, line.baud);
    EXPECT_EQ(t.ispeed, line.baud);
    // Raw: nothing translated, echoed or interpreted; reads wait for a byte, no timer.
    EXPECT_EQ(t.cflag & (CREAD | CLOCAL), static_cast<uint32_t>(CREAD | CLOCAL));
    EXPECT_EQ(t.iflag & (ICRNL | IXANY | BRKINT | INPCK | ISTRIP | IMAXBEL), 0u);
    EXPECT_NE(t.iflag & IGNBRK, 0u);
    EXPECT_EQ(t.oflag & OPOST, 0u);
    EXPECT_EQ(t.lflag & (ICANON | ECHO | ECHOE | ISIG | IEXTEN), 0u);
    EXPECT_EQ(t.cc[VMIN], 1);
    EXPECT_EQ(t.cc[VTIME], 0);
    EXPECT_NE(t.cflag & HUPCL, 0u);  // left as the device had it
  }
}

TEST(TermiosSettings, JudgesWhetherTheDeviceTookTheSettings) {
  const LineSettings line = *LineSettings::parse("56000,N,5,1.5");
  const TermiosImage wanted = TermiosSettings::configure(cookedTerminal(), line, comm::comRTS);

  EXPECT_TRUE(TermiosSettings::took(wanted, wanted));
  TermiosImage rounded = wanted;  // a driver that reports the rate its clock gives
  rounded.ispeed = rounded.ospeed = 57600;
  EXPECT_TRUE(TermiosSettings::took(wanted, rounded));
  TermiosImage sameInput = wanted;  // input speed 0: the same as the output
  sameInput.ispeed = 0;
  EXPECT_TRUE(TermiosSettings::took(wanted, sameInput));

  TermiosImage fellBack = wanted;  // a driver that refused the rate and kept 9600
  fellBack.ispeed = fellBack.ospeed = 9600;
  EXPECT_FALSE(TermiosSettings::took(wanted, fellBack));
  TermiosImage noFiveBits = wanted;
  noFiveBits.cflag = (noFiveBits.cflag & ~static_cast<uint32_t>(CSIZE)) | CS8;
  EXPECT_FALSE(TermiosSettings::took(wanted, noFiveBits));
  TermiosImage shortStop = wanted;
  shortStop.cflag &= ~static_cast<uint32_t>(CSTOPB);
  EXPECT_FALSE(TermiosSettings::took(wanted, shortStop));
  TermiosImage noHardwareFlow = wanted;
  noHardwareFlow.cflag &= ~static_cast<uint32_t>(CRTSCTS);
  EXPECT_FALSE(TermiosSettings::took(wanted, noHardwareFlow));
}

}  // namespace
}  // namespace zelkora::test
