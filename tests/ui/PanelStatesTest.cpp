// The four looks of the relay state on the real control panel, driven by its buttons, with
// the tray icon, its tooltip and the counters as rendered.

#include <gtest/gtest.h>

#include <QLabel>
#include <QProgressBar>

#include "UiWorld.h"
#include "WidgetProbe.h"
#include "support/BytePattern.h"
#include "ui/UiLook.h"

namespace zelkora::test {
namespace {

struct Look {
  const char* state;
  const char* caption;
  const char* lblON;
  int pointSize;
  QColor colour;
  int icon;
  std::vector<const char*> enabled;
  const char* trayTip;
};

const char* const kButtons[] = {"cmdON",    "cmdPause", "cmdOFF", "cmdConfig",
                                "cmdAbout", "cmdHelp",  "cmdHide"};

void expectLook(UiWorld& world, const Look& look) {
  SCOPED_TRACE(look.state);
  frmMain& w = world.painted();
  EXPECT_EQ(w.windowTitle().toStdString(), look.caption);
  auto* lblON = w.findChild<QLabel*>("lblON");
  EXPECT_EQ(lblON->text().toStdString(), look.lblON);
  EXPECT_EQ(lblON->font().pointSize(), look.pointSize);
  EXPECT_TRUE(lblON->font().bold());
  EXPECT_EQ(lblON->font().family(), UiLook::family());
  EXPECT_TRUE(showsColour(*lblON, look.colour)) << look.colour.name().toStdString();
  for (const char* name : kButtons) {
    const bool expected =
        std::string(name) == "cmdHide" ||
        std::find_if(look.enabled.begin(), look.enabled.end(),
                     [&](const char* e) { return std::string(e) == name; }) != look.enabled.end();
    EXPECT_EQ(world.button(name).isEnabled(), expected) << name;
  }
  EXPECT_TRUE(sameIcon(w.windowIcon(), UiLook::stateIcon(look.icon)));
  EXPECT_EQ(world.trayIcon().shownIcon(), look.icon);
  EXPECT_EQ(world.trayIcon().toolTip().toStdString(), look.trayTip);
}

TEST(PanelStates, FourLooksOfTheRelayStateFollowTheButtons) {
  UiWorld world;
  world.settings().SaveCplON = false;
  world.settings().CplON = true;
  ASSERT_TRUE(world.start());
  ASSERT_TRUE(world.panelWindow().isVisible());

  const QColor blue(0, 0, 255), purple(192, 0, 192), green(0, 128, 0), darkBlue(0, 0, 192);
  expectLook(world, {"off, first paint",
                     "Zelkora®  v1.000 Stable",
                     "Zelkora",
                     26,
                     blue,
                     1,
                     {"cmdON", "cmdConfig", "cmdAbout", "cmdHelp"},
                     "Zelkora®  v1.000 Stable  ( COM2 vs COM3 )"});
  ASSERT_TRUE(world.press("cmdON"));
  expectLook(world, {"running",
                     "Zelkora® - В К Л",
                     "9600",
                     35,
                     purple,
                     2,
                     {"cmdOFF", "cmdPause", "cmdAbout", "cmdHelp"},
                     "Zelkora® - В К Л  ( COM2 vs COM3  at 9600 )"});
  ASSERT_TRUE(world.press("cmdPause"));
  expectLook(world, {"paused",
                     "Zelkora® - В К Л  [Пауза]",
                     "Пауза",
                     34,
                     green,
                     3,
                     {"cmdOFF", "cmdPause", "cmdAbout", "cmdHelp"},
                     "Zelkora® - В К Л  [Пауза]  ( COM2 vs COM3  at Пауза )"});
  ASSERT_TRUE(world.press("cmdPause"));
  ASSERT_TRUE(world.press("cmdOFF"));  // FlushingBUF: a drain first
  expectLook(world, {"draining",
                     "Zelkora® - В К Л  [Слив]",
                     "Слив...",
                     36,
                     darkBlue,
                     4,
                     {"cmdOFF"},
                     "Zelkora® - В К Л  [Слив]  ( COM2 vs COM3  at Слив... )"});
  world.advance(100);  // both output buffers are empty: the drain ends
  expectLook(world, {"off, later",
                     "Zelkora® - ВЫКЛ",
                     "Zelkora",
                     26,
                     blue,
                     1,
                     {"cmdON", "cmdConfig", "cmdAbout", "cmdHelp"},
                     "Zelkora® - ВЫКЛ  ( COM2 vs COM3 )"});
}

TEST(PanelStates, AdapterInUseNamesItInTheCaptionAndTheParameters) {
  sim::SimAdapter adapter(0x378);
  UiWorld world(&adapter);
  world.wireAdapter(adapter);
  world.settings().HWUse = true;
  world.settings().HWPortSel = 1;
  ASSERT_TRUE(world.start());
  ASSERT_TRUE(world.on());
  frmMain& w = world.painted();
  EXPECT_EQ(w.windowTitle().toStdString(), "Zelkora®+Korvane™ - В К Л");
  auto* params2 = w.findChild<QLabel*>("lblParams2");
  EXPECT_EQ(params2->text().toStdString(), "Korvane™");
  EXPECT_TRUE(showsColour(*params2, QColor(0, 0, 255), 48));
  EXPECT_FALSE(showsColour(*w.findChild<QLabel*>("lblParams1"), QColor(0, 0, 255), 48));
  EXPECT_EQ(w.findChild<QLabel*>("lblParams1")->text().toStdString(), "9600,8N1,H/W");
}

TEST(PanelStates, CountersShowMegabytesWithThreeDecimals) {
  const std::pair<double, const char*> cases[] = {{0, "0.000 Мб"},
                                                  {1048576, "1.000 Мб"},
                                                  {1572864, "1.500 Мб"},
                                                  {1048576.0 * 12345.6789, "12345.679 Мб"}};
  UiWorld world;
  ASSERT_TRUE(world.start());
  for (const auto& [bytes, shown] : cases) {
    world.run().transferred(1) = bytes;
    world.run().transferred(2) = bytes / 2;
    world.program.status.RefreshCounters(false);
    frmMain& w = world.painted();
    EXPECT_EQ(w.findChild<QLabel*>("lblThrough1")->text().toStdString(), shown);
  }
  // The gauge tick leaves the counters alone.
  world.run().transferred(1) = 0;
  world.program.status.RefreshCounters(true);
  EXPECT_EQ(world.painted().findChild<QLabel*>("lblThrough1")->text().toStdString(),
            "12345.679 Мб");
}

TEST(PanelStates, RelayedBytesReachTheCounterAndTheLampsLightWithTheLines) {
  UiWorld world;
  ASSERT_TRUE(world.start());
  ASSERT_TRUE(world.on());
  world.modem.send(bytePattern(4096, 7));
  world.advance(10000);
  frmMain& w = world.painted();
  EXPECT_EQ(w.findChild<QLabel*>("lblThrough1")->text().toStdString(), "0.004 Мб");
  // Port 1 faces a powered modem (CTS, DSR) and raises DTR and RTS itself.
  for (const char* lit : {"sta1CTS", "sta1DSR", "sta1DTR", "sta1RTS"}) {
    EXPECT_TRUE(w.findChild<QLabel*>(lit)->isEnabled()) << lit;
  }
  EXPECT_FALSE(w.findChild<QLabel*>("sta1CD")->isEnabled());
  world.modem.setCarrier(true);
  world.advance(10);
  EXPECT_TRUE(world.painted().findChild<QLabel*>("sta1CD")->isEnabled());
  world.press("cmdPause");
  world.press("cmdOFF");
  world.advance(1000);
  for (const char* lamp : {"sta1CD", "sta1CTS", "sta2DTR"}) {
    EXPECT_FALSE(world.painted().findChild<QLabel*>(lamp)->isEnabled()) << lamp;
  }
}

TEST(PanelStates, DirectionMarksAndGaugesFollowTheTransferMode) {
  struct Case {
    uint8_t duplex;
    bool oneToTwo, twoToOne;
  };
  for (const Case& c : {Case{0, true, true}, Case{1, true, false}, Case{2, false, true}}) {
    SCOPED_TRACE(c.duplex);
    UiWorld world;
    world.settings().Duplex = c.duplex;
    world.settings().SmoothBuf = c.duplex != 1;
    ASSERT_TRUE(world.start());
    frmMain& w = world.painted();
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(w.findChild<QLabel*>(QString("lbl1TO2Pipe%1").arg(i))->isEnabled(), c.oneToTwo);
      EXPECT_EQ(w.findChild<QLabel*>(QString("lbl2TO1Pipe%1").arg(i))->isEnabled(), c.twoToOne);
    }
    EXPECT_EQ(w.findChild<QProgressBar*>("proInBuffer1")->isEnabled(), c.oneToTwo);
    EXPECT_EQ(w.findChild<QProgressBar*>("proOutBuffer2")->isEnabled(), c.oneToTwo);
    EXPECT_EQ(w.findChild<QProgressBar*>("proInBuffer2")->isEnabled(), c.twoToOne);
    EXPECT_EQ(w.findChild<QProgressBar*>("proOutBuffer1")->isEnabled(), c.twoToOne);
    EXPECT_EQ(w.findChild<QProgressBar*>("proInBuffer1")->styleSheet(),
              UiLook::gaugeCss(c.duplex != 1));
  }
}

}  // namespace
}  // namespace zelkora::test
