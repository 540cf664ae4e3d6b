#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "relay/AboutDialog.h"
#include "relay/Version.h"
#include "support/OfflineProgram.h"

namespace zelkora {
namespace {

using test::OfflineProgram;

class AboutDialogTest : public ::testing::Test {
 protected:
  AboutDialog& show() {
    about.Form_Load();
    about.Form_Activate();
    return about;
  }
  // Opens the box from the panel; `act` runs while it is open.
  void openFromPanel(std::function<void()> act) {
    world.op.dialogScripts.push_back([act = std::move(act)](ModalDialog&) { act(); });
    world->panel.cmdAbout_Click();
  }
  void switchRelayOn() {
    world->relay.cmdON_Click();
    ASSERT_TRUE(world->run.RelayOn);
  }

  OfflineProgram world;
  AboutDialog about{*world};
};

TEST_F(AboutDialogTest, CaptionAndTheVersionLineTheSplashShowsToo) {
  EXPECT_STREQ(AboutDialog::Caption, "О Программе  \"Zelkora® - Коммуникационный ретранслятор\"");
  EXPECT_EQ(show().lblVer.caption, "v1.000.073/Stable  Eng.v2.21b  H/W Rev1.5C");
  EXPECT_EQ(about.lblVer.caption, version::VersionLine());
}

TEST_F(AboutDialogTest, FileTimeOfTheProgramInBothLabels) {
  std::tm time{};
  time.tm_year = 2004 - 1900;
  time.tm_mon = 1;
  time.tm_mday = 3;
  time.tm_hour = 9;
  time.tm_min = 7;
  time.tm_sec = 5;
  world.system.mtime = time;
  show();
  EXPECT_EQ(world.system.lastTimeAsked, world.system.exe);
  EXPECT_EQ(about.lblDate[0].caption, "03.02.2004 , 09:07:05");
  EXPECT_EQ(about.lblDate[1].caption, about.lblDate[0].caption);

  time.tm_hour = 23;
  time.tm_mon = 11;
  time.tm_mday = 31;
  EXPECT_EQ(AboutDialog::FileTimeText(time), "31.12.2004 , 23:07:05");

  world.system.mtime.reset();
  about.Form_Activate();
  EXPECT_EQ(about.lblDate[0].caption, "") << "an unreadable time empties both labels";
  EXPECT_EQ(about.lblDate[1].caption, "");
}

TEST_F(AboutDialogTest, LinksOpenThroughTheDesktop) {
  show();
  EXPECT_EQ(about.lblURL.caption, AboutDialog::WebPage);
  EXPECT_EQ(about.lblICQ.caption, std::string("ICQ: ") + AboutDialog::AuthorIcq);
  EXPECT_EQ(about.lblMail.caption, std::string("E-Mail: ") + AboutDialog::AuthorMail);
  EXPECT_TRUE(about.linkCursorSet);

  const std::string mail = "mailto: Ivan Zelenov <iz@zk.example>";
  world.shell.answers[mail] = Shell::NoAssociation;
  about.lblURL_Click();
  about.lblMail_Click();
  EXPECT_EQ(world.shell.opened, (std::vector<std::string>{AboutDialog::WebPage, mail}));
  ASSERT_EQ(world.op.messages.size(), 1u);
  EXPECT_EQ(world.op.messages[0].title, mail) << "the link's own text is the caption";
  EXPECT_EQ(world.op.messages[0].icon, MsgIcon::Exclamation);
}

TEST_F(AboutDialogTest, MessengerNumberToTheClipboardOnlyOnOk) {
  world.clipboard.text = "what was there";
  show();
  world.op.messageScripts.push_back([](const Message&) { return MsgAnswer::Cancel; });
  about.lblICQ_Click();
  EXPECT_EQ(world.clipboard.text, "what was there");
  EXPECT_TRUE(world.clipboard.calls.empty());
  ASSERT_EQ(world.op.messages.size(), 1u);
  const Message& question = world.op.messages[0];
  EXPECT_EQ(question.text, "Скопировать ICQ UIN автора в буфер обмена?");
  EXPECT_EQ(question.buttons, MsgButtons::OKCancel);
  EXPECT_EQ(question.icon, MsgIcon::Question);

  about.lblICQ_Click();
  EXPECT_EQ(world.clipboard.text, AboutDialog::AuthorIcq);
  EXPECT_EQ(world.clipboard.calls, (std::vector<std::string>{"clear", "setText"}));
  ASSERT_EQ(world.op.messages.size(), 3u);
  EXPECT_EQ(world.op.messages[2].text, "ICQ UIN автора скопирован в буфер обмена.");
  EXPECT_EQ(world.op.messages[2].icon, MsgIcon::Information);
}

TEST_F(AboutDialogTest, RunningRelayPausesWhileTheBoxIsOpen) {
  switchRelayOn();
  openFromPanel([this] {
    EXPECT_TRUE(world->run.Paused);
    EXPECT_FALSE(world->TrayReady);
  });
  EXPECT_TRUE(world->run.RelayOn);
  EXPECT_FALSE(world->run.Paused);
  EXPECT_TRUE(world->TrayReady);
}

TEST_F(AboutDialogTest, PausedRelayStaysPaused) {
  switchRelayOn();
  world->relay.cmdPause_Click();
  openFromPanel([] {});
  EXPECT_TRUE(world->run.Paused);
}

TEST_F(AboutDialogTest, RelaySwitchedOffMeanwhileIsNotResumed) {
  switchRelayOn();
  openFromPanel([this] { world->relay.Disconnect(); });
  const size_t breaks = world.com1.breaks.size();
  EXPECT_FALSE(world->run.RelayOn);
  EXPECT_FALSE(world->run.Paused);
  EXPECT_EQ(world.com1.breaks.size(), breaks);
  EXPECT_TRUE(world->TrayReady);
}

TEST_F(AboutDialogTest, RelayRestartedMeanwhileIsNotPausedAfterwards) {
  switchRelayOn();
  openFromPanel([this] {
    world->relay.Disconnect();
    world->relay.cmdON_Click();
  });
  EXPECT_TRUE(world->run.RelayOn);
  EXPECT_FALSE(world->run.Paused);
}

}  // namespace
}  // namespace zelkora
