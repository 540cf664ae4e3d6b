#include <gtest/gtest.h>

#include "support/OfflineProgram.h"

namespace zelkora::test {
namespace {

class PortParametersTest : public ::testing::Test {
 protected:
  OfflineProgram p;
  Settings& s = p->settings;
  PortParameters& params = p->params;
  const PanelModel& m = p->frmMain;
};

TEST_F(PortParametersTest, TextsOfTheThreeForms) {
  struct Case {
    uint8_t speed, dataBits, stopBits, handShake, bufSize;
    const char *form1, *form2, *form3;
    double in, out;
  };
  const Case cases[] = {
      {6, 4, 0, 1, 2, "9600,N,8,1", "9600,8N1,H/W", "9600", 2048, 4096},
      {1, 3, 2, 0, 0, "300,N,7,2", "300,7N2,S/W", "300", 512, 1024},
      {13, 1, 1, 1, 6, "115200,N,5,1.5", "115200,5N1.5,H/W", "115200", 16384, 32767},
      {11, 0, 0, 0, 5, "56000,N,4,1", "56000,4N1,S/W", "56000", 12288, 24576},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.form1);
    s.port(1) = {1, c.speed, c.dataBits, c.stopBits, c.handShake, true};
    s.BufSize = c.bufSize;
    double in = 0, out = 0;
    EXPECT_EQ(params.PortSettingsText(1, 1, in, out), c.form1);
    EXPECT_EQ(in, c.in);
    EXPECT_EQ(out, c.out);
    in = out = 0;
    EXPECT_EQ(params.PortSettingsText(1, 2, in, out), c.form2);
    EXPECT_EQ(out, c.out) << "every form stores the sizes";
    EXPECT_EQ(params.PortSettingsText(1, 3), c.form3);
    EXPECT_EQ(params.PortSettingsText(1, 7), c.form3);
  }
}

TEST_F(PortParametersTest, DeviceNamesFollowThePortIndex) {
  s.port(1).Port = 0;
  s.port(2).Port = 15;
  EXPECT_EQ(params.DeviceName(1), "COM1");
  EXPECT_EQ(params.DeviceName(2), "COM16");
}

TEST_F(PortParametersTest, ApplyPaintsPortsParametersAndDirections) {
  s.port(1).Port = 0;
  s.port(2).Port = 2;
  s.port(1).Speed = 13;
  s.port(2).Speed = 6;
  s.Duplex = 2;
  s.SmoothBuf = false;
  s.UpdateRate = 6;
  params.ApplySettings();
  EXPECT_EQ(m.lblCOM[0], "COM1");
  EXPECT_EQ(m.lblCOMGroup[0], "COM1");
  EXPECT_EQ(m.lblCOM[1], "COM3");
  EXPECT_EQ(m.lblCOMGroup[1], "COM3");
  EXPECT_EQ(m.lblParams[0].text, "115200,8N1,H/W");
  EXPECT_EQ(m.lblParams[0].colour, (Rgb{0, 0, 0}));
  EXPECT_EQ(p->run.ConnectionSpeed, 9600) << "the lower of the two";
  EXPECT_FALSE(m.pipe1TO2);
  EXPECT_TRUE(m.pipe2TO1);
  EXPECT_FALSE(m.proInBuffer[0].enabled);
  EXPECT_FALSE(m.proOutBuffer[1].enabled);
  EXPECT_TRUE(m.proInBuffer[1].enabled);
  EXPECT_TRUE(m.proOutBuffer[0].enabled);
  EXPECT_FALSE(m.smoothGauges);
  EXPECT_EQ(p->tmrBuffers->interval(), 167);
  EXPECT_EQ(p.process.classes.back(), PriorityClass::High);

  s.Duplex = 1;
  s.port(2).Speed = 13;
  params.ApplySettings();
  EXPECT_TRUE(m.pipe1TO2);
  EXPECT_FALSE(m.pipe2TO1);
  EXPECT_EQ(p->run.ConnectionSpeed, 115200) << "equal steps: the common speed";
}

TEST_F(PortParametersTest, AdapterInUseShowsKorvaneInBlueUntilDropped) {
  s.HWUse = true;
  params.ApplySettings();
  EXPECT_EQ(m.lblParams[1].text, "Korvane™");
  EXPECT_EQ(m.lblParams[1].colour, (Rgb{0, 0, 255}));
  EXPECT_EQ(p->run.AdapterBase, 0x378);
  s.HWUse = false;
  params.ApplySettings();
  EXPECT_EQ(m.lblParams[1].text, "9600,8N1,H/W");
  EXPECT_EQ(m.lblParams[1].colour, (Rgb{0, 0, 0}));
}

TEST_F(PortParametersTest, ApplyLeavesOpenPortsAlone) {
  p.com1.isOpen = true;
  p.com1.settingsText = "1200,N,7,1";
  s.port(1).Speed = 13;
  params.ApplySettings();
  EXPECT_EQ(p.com1.settingsText, "1200,N,7,1");
  EXPECT_TRUE(p.com1.isOpen);
}

}  // namespace
}  // namespace zelkora::test
