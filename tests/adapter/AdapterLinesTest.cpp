// The bit operations, the base-address table and the two line operations on the register.

#include <gtest/gtest.h>

#include "adapter/AdapterRig.h"
#include "adapter/mdlBiT_IO.h"

namespace zelkora::test {
namespace {

using Access = sim::SimAdapter::Access;

TEST(mdlBiT_IO, SetBitFalseOnAClearBitLeavesTheByte) {
  uint8_t b = 0x5A;
  mdlBiT_IO::SetBit(b, 1, false);
  EXPECT_EQ(b, 0x5A);
  mdlBiT_IO::SetBit(b, 2, false);
  EXPECT_EQ(b, 0x58);
  mdlBiT_IO::SetBit(b, 8, true);
  EXPECT_EQ(b, 0xD8);
  mdlBiT_IO::SetBit(b, 8, true);
  EXPECT_EQ(b, 0xD8);
}

TEST(mdlBiT_IO, BitNumbersStartAtOne) {
  EXPECT_TRUE(mdlBiT_IO::TestBit(0x40, 7));
  EXPECT_FALSE(mdlBiT_IO::TestBit(0x40, 6));
  EXPECT_FALSE(mdlBiT_IO::TestBit(0x40, 8));
  EXPECT_TRUE(mdlBiT_IO::TestBit(0x01, 1));
  EXPECT_TRUE(mdlBiT_IO::TestBit(0x80, 8));
  uint8_t b = 0x05;
  mdlBiT_IO::ToggleBit(b, 3);
  EXPECT_EQ(b, 0x01);
  mdlBiT_IO::ToggleBit(b, 3);
  EXPECT_EQ(b, 0x05);
}

TEST(SetAdapterBase, TableAndOverride) {
  struct Case {
    uint8_t sel;
    int32_t override_;
    int32_t before;
    int32_t expected;
  };
  const Case cases[] = {{1, 0x178, 0, 0x378},    {2, 0x2F0, 0, 0x278}, {3, 0x178, 0, 0x3BC},
                        {4, 0x178, 0, 0x178},    {4, 0x3E0, 0, 0x3E0}, {0, 0x178, 0x278, 0x278},
                        {5, 0x178, 0x3BC, 0x3BC}};
  for (const Case& c : cases) {
    AdapterRig rig;
    rig.program.settings.HWPortSel = c.sel;
    rig.program.settings.HWPortOverride = c.override_;
    rig.program.run.AdapterBase = c.before;
    rig.program.hardware.SetAdapterBase();
    EXPECT_EQ(rig.program.run.AdapterBase, c.expected) << int(c.sel);
    EXPECT_TRUE(rig.adapter.traffic.empty());
  }
}

TEST(SetAdapterLine, ChangesOnlyItsGroupByReadModifyWrite) {
  struct Case {
    int line;
    bool state;
    uint8_t before;
    uint8_t after;
  };
  const Case cases[] = {
      {1, false, 0x59, 0x01}, {1, true, 0x01, 0x59},  {1, true, 0xA3, 0xFB}, {2, true, 0x01, 0xA1},
      {2, false, 0xFB, 0x5B}, {2, false, 0x01, 0x01}, {3, true, 0xA1, 0xA3}, {3, false, 0xFF, 0xFD},
      {0, true, 0x5A, 0x5A},  {4, false, 0xA5, 0xA5},
  };
  for (const Case& c : cases) {
    AdapterRig rig;
    rig.adapter.preset(c.before);
    rig.program.hardware.SetAdapterLine(c.line, c.state);
    EXPECT_EQ(rig.adapter.traffic,
              (std::vector<Access>{{0x378, false, c.before}, {0x378, true, c.after}}))
        << c.line << " " << c.state << " " << int(c.before);
  }
}

TEST(ResetAdapter, InUseLowersEverythingAndClearsBusy) {
  AdapterRig rig;
  rig.adapter.preset(0xFB);
  rig.program.run.AdapterBusy = true;
  const int releases = rig.adapter.releases;
  rig.program.hardware.ResetAdapter();
  EXPECT_EQ(rig.adapter.traffic, (std::vector<Access>{{0x378, true, 0x00}}));
  EXPECT_FALSE(rig.program.run.AdapterBusy);
  EXPECT_EQ(rig.adapter.releases, releases + 1);
}

TEST(ResetAdapter, NotInUseWritesNothingAndLeavesBusy) {
  AdapterRig rig;
  rig.program.settings.HWUse = false;
  rig.adapter.preset(0xA1);
  rig.program.run.AdapterBusy = true;
  rig.program.hardware.ResetAdapter();
  EXPECT_TRUE(rig.adapter.traffic.empty());
  EXPECT_EQ(rig.adapter.latch(), 0xA1);
  EXPECT_TRUE(rig.program.run.AdapterBusy);
}

}  // namespace
}  // namespace zelkora::test
