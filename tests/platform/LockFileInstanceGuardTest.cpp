#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/linux/LockFileInstanceGuard.h"
#include "support/ProgramProcess.h"

namespace zelkora::test {
namespace {

TEST(InstanceGuard, OneHolderAtATimeUntilItEnds) {
  TempDir runtime;
  auto first = std::make_unique<LockFileInstanceGuard>(runtime.path());
  EXPECT_TRUE(first->acquire("Menu for Zelkora"));
  EXPECT_EQ(first->lockPath("Menu for Zelkora"), runtime.file("Menu_for_Zelkora.lock"));
  LockFileInstanceGuard second(runtime.path());
  EXPECT_FALSE(second.acquire("Menu for Zelkora"));
  LockFileInstanceGuard other(runtime.path());
  EXPECT_TRUE(other.acquire("Menu for Something Else"));
  first.reset();
  LockFileInstanceGuard third(runtime.path());
  EXPECT_TRUE(third.acquire("Menu for Zelkora"));
}

TEST(InstanceGuard, FolderOthersCanWriteIsNotTrusted) {
  TempDir base;
  const std::string shared = base.file("shared");
  ASSERT_EQ(::mkdir(shared.c_str(), 0700), 0);
  ASSERT_EQ(::chmod(shared.c_str(), 0777), 0);
  LockFileInstanceGuard holder(shared);
  EXPECT_TRUE(holder.acquire("Menu for Zelkora"));
  // A lock in such a folder proves nothing: the second start runs rather than being
  // kept out by whoever holds that file.
  LockFileInstanceGuard second(shared);
  EXPECT_TRUE(second.acquire("Menu for Zelkora"));
  EXPECT_FALSE(FileExists(holder.lockPath("Menu for Zelkora")));
}

}  // namespace
}  // namespace zelkora::test
