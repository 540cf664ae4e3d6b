// The built program's start and end as an operator's desktop sees them: the settings file
// it creates and saves, the second instance, the failure of an unusable settings path.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <regex>
#include <sstream>
#include <thread>

#include "support/ProgramProcess.h"
#include "support/SettingsValueNames.h"

namespace zelkora::test {
namespace {

using namespace std::chrono_literals;

const char* const kSettingsKey = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Devodovazar\\Zelkora]";
const char* const kRunKey = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run]";

// The value lines of one key of a registry file, in file order.
std::vector<std::string> ValueLines(const std::string& file, const std::string& key) {
  std::vector<std::string> lines;
  std::istringstream in(file);
  std::string line;
  bool inside = false;
  while (std::getline(in, line)) {
    if (!line.empty() && line[0] == '[') {
      inside = line == key;
    } else if (inside && !line.empty()) {
      lines.push_back(line);
    }
  }
  return lines;
}

std::vector<std::string> Names(const std::vector<std::string>& lines) {
  std::vector<std::string> names;
  for (const std::string& l : lines) names.push_back(l.substr(1, l.find('"', 1) - 1));
  return names;
}

const std::vector<std::string>& kTableOrder = SettingsValueNames();

// The line of value `name` in `lines`, or empty.
std::string Line(const std::vector<std::string>& lines, const std::string& name) {
  for (const std::string& l : lines) {
    if (l.rfind("\"" + name + "\"=", 0) == 0) return l;
  }
  return {};
}

bool SettingsComplete(const std::string& path) {
  return ValueLines(ReadFile(path), kSettingsKey).size() == kTableOrder.size();
}

TEST(ProgramStart, FirstStartWritesDefaultsAndTermSavesThem) {
  TempDir home;
  ProgramProcess program(ZELKORA_EXE, home);
  program.start();
  ASSERT_TRUE(WaitFor([&] { return SettingsComplete(program.registryPath()); }, 20s));
  const std::vector<std::string> fresh = ValueLines(ReadFile(program.registryPath()), kSettingsKey);
  EXPECT_EQ(Names(fresh), kTableOrder);
  EXPECT_EQ(fresh[0], "\"LogoType\"=dword:00000002");
  EXPECT_EQ(fresh[1], "\"NonFirstRun\"=dword:00000000");
  EXPECT_EQ(fresh[2], "\"PosMainX\"=dword:000000c8");
  EXPECT_EQ(fresh[39], "\"HWPortOverride\"=dword:00000178");

  // The splash is up for 3 s; then the panel is shown and the first-run message waits
  // for the operator. A termination ends in order then.
  std::this_thread::sleep_for(3500ms);
  program.signal(SIGTERM);
  ASSERT_EQ(program.wait(20s), 0);
  const std::string saved = ReadFile(program.registryPath());
  const std::vector<std::string> values = ValueLines(saved, kSettingsKey);
  EXPECT_EQ(Names(values), kTableOrder);
  EXPECT_EQ(values[1], "\"NonFirstRun\"=dword:00000001");
  // A fresh installation shows the panel (SaveCplON with LastCplON), so it is saved visible.
  EXPECT_EQ(values[11], "\"LastCplON\"=dword:00000001");
  EXPECT_EQ(ValueLines(saved, kRunKey), std::vector<std::string>{"\"Zelkora\"=\"\""});
  const std::string entry = ReadFile(home.file("config/autostart/zelkora.desktop"));
  EXPECT_NE(entry.find("Hidden=true"), std::string::npos);
  EXPECT_NE(entry.find(" /a"), std::string::npos);
}

TEST(ProgramStart, AutoRunStoresTheStartCommand) {
  TempDir home;
  WriteFile(home.file("registry.reg"),
            "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Devodovazar\\Zelkora]\n"
            "\"LogoType\"=dword:00000000\n\"NonFirstRun\"=dword:00000001\n"
            "\"AutoRun\"=dword:00000001\n\"SaveCplON\"=dword:00000000\n");
  ProgramProcess program(ZELKORA_EXE, home);
  program.start();
  ASSERT_TRUE(WaitFor([&] { return SettingsComplete(program.registryPath()); }, 20s));
  program.signal(SIGINT);
  ASSERT_EQ(program.wait(20s), 0);
  const std::string saved = ReadFile(program.registryPath());
  const std::vector<std::string> run = ValueLines(saved, kRunKey);
  ASSERT_EQ(run.size(), 1u);
  EXPECT_TRUE(std::regex_match(run[0], std::regex("\"Zelkora\"=\"/.*/zelkora /a\"")))
      << run[0];
  // The settings say hidden (SaveCplON off, CplON off), but offscreen there is no
  // notification area, so the panel stayed the way to reach the program: saved visible.
  EXPECT_EQ(Line(ValueLines(saved, kSettingsKey), "LastCplON"), "\"LastCplON\"=dword:00000001");
  const std::string entry = ReadFile(home.file("config/autostart/zelkora.desktop"));
  EXPECT_NE(entry.find("Hidden=false"), std::string::npos);
  EXPECT_NE(entry.find("zelkora /a"), std::string::npos);
}

TEST(ProgramStart, SecondInstanceEndsAtOnceAndLeavesTheSettingsAlone) {
  TempDir home;
  ProgramProcess first(ZELKORA_EXE, home);
  first.start();
  ASSERT_TRUE(WaitFor([&] { return SettingsComplete(first.registryPath()); }, 20s));
  const std::string before = ReadFile(first.registryPath());
  struct stat st {};
  ::stat(first.registryPath().c_str(), &st);
  const auto modifiedBefore = st.st_mtim;

  ProgramProcess second(ZELKORA_EXE, home);
  second.start({"/a"});
  EXPECT_EQ(second.wait(10s), 0);
  EXPECT_EQ(ReadFile(first.registryPath()), before);
  ::stat(first.registryPath().c_str(), &st);
  EXPECT_EQ(st.st_mtim.tv_sec, modifiedBefore.tv_sec);
  EXPECT_EQ(st.st_mtim.tv_nsec, modifiedBefore.tv_nsec);
  EXPECT_TRUE(first.running());
  first.signal(SIGTERM);
  EXPECT_EQ(first.wait(20s), 0);
}

TEST(ProgramStart, UnusableSettingsPathEndsWithFailure) {
  TempDir home;
  // The settings folder would have to be created inside a regular file.
  WriteFile(home.file("not-a-folder"), "x");
  ProgramProcess program(ZELKORA_EXE, home);
  program.environment["ZELKORA_REGISTRY"] = home.file("not-a-folder/registry.reg");
  program.start();
  // The program now shows "Нет доступа к Реестру!" and waits for the operator; whatever
  // ends it then, it ends as a failure, with nothing written.
  EXPECT_FALSE(program.wait(1500ms).has_value());
  program.signal(SIGTERM);
  const std::optional<int> status = program.wait(20s);
  ASSERT_TRUE(status.has_value());
  EXPECT_NE(*status, 0);
  EXPECT_EQ(ReadFile(home.file("not-a-folder")), "x");
}

}  // namespace
}  // namespace zelkora::test
