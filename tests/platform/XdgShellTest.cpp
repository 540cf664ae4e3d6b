#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/linux/XdgShell.h"
#include "support/ProgramProcess.h"

namespace zelkora::test {
namespace {

// Runs from a folder of its own, so that the current directory is part of the fixture.
class XdgShellTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char here[4096];
    ASSERT_NE(::getcwd(here, sizeof here), nullptr);
    previous = here;
    ASSERT_EQ(::chdir(cwd.path().c_str()), 0);
  }
  void TearDown() override { ASSERT_EQ(::chdir(previous.c_str()), 0); }

  TempDir cwd, beside, data;
  std::string previous;
};

TEST_F(XdgShellTest, BareNameFromCurrentFolderThenProgramFolders) {
  XdgShell shell({beside.path(), data.path()}, "true");
  EXPECT_EQ(shell.Resolve("Zelkora.txt"), "");
  EXPECT_EQ(shell.open("Zelkora.txt"), Shell::FileNotFound);

  WriteFile(data.file("Zelkora.txt"), "data");
  EXPECT_EQ(shell.Resolve("Zelkora.txt"), data.file("Zelkora.txt"));
  WriteFile(beside.file("Zelkora.txt"), "beside");
  EXPECT_EQ(shell.Resolve("Zelkora.txt"), beside.file("Zelkora.txt"));
  WriteFile(cwd.file("Zelkora.txt"), "here");
  EXPECT_EQ(shell.Resolve("Zelkora.txt"), "Zelkora.txt");
  EXPECT_EQ(shell.open("Zelkora.txt"), Shell::Opened);
}

TEST_F(XdgShellTest, NamesWithAFolderAreNotSearchedFor) {
  WriteFile(data.file("Zelkora.txt"), "data");
  XdgShell shell({data.path()}, "true");
  EXPECT_EQ(shell.open("docs/Zelkora.txt"), Shell::FileNotFound);
  EXPECT_EQ(shell.open(data.file("Zelkora.txt")), Shell::Opened);
}

TEST_F(XdgShellTest, AddressesGoToTheOpenerAndItsVerdictCounts) {
  EXPECT_TRUE(XdgShell::HasScheme("http://zelkora.example/"));
  EXPECT_TRUE(XdgShell::HasScheme("mailto: Ivan <iz@zk.example>"));
  EXPECT_FALSE(XdgShell::HasScheme("Zelkora.txt"));
  EXPECT_FALSE(XdgShell::HasScheme("C:\\Zelkora.txt"));
  EXPECT_EQ(XdgShell({}, "true").open("http://zelkora.example/"), Shell::Opened);
  EXPECT_EQ(XdgShell({}, "no-such-opener-here").open("http://zelkora.example/"),
            Shell::NoAssociation);
  WriteFile(cwd.file("opener"), "#!/bin/sh\nexit 3\n");
  ASSERT_EQ(::chmod(cwd.file("opener").c_str(), 0755), 0);
  EXPECT_EQ(XdgShell({}, cwd.file("opener")).open("mailto:x@y"), Shell::NoAssociation);
}

}  // namespace
}  // namespace zelkora::test
