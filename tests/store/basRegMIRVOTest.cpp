#include <gtest/gtest.h>

#include "support/OfflineProgram.h"
#include "support/SettingsValueNames.h"

namespace zelkora::test {
namespace {

const char* const kKey = "SOFTWARE\\Devodovazar\\Zelkora";
const char* const kRun = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

const std::vector<std::string>& kTableOrder = SettingsValueNames();

class SettingsStoreTest : public ::testing::Test {
 protected:
  OfflineProgram p;
  MemoryRegistry& registry = p.registry;
  basRegMIRVO& store = p->store;

  std::vector<std::string> writtenNames() const {
    std::vector<std::string> names;
    for (const auto& [path, name] : registry.writes()) {
      if (path == kKey) names.push_back(name);
    }
    return names;
  }
  void expectEnd(const std::function<void()>& call) {
    try {
      call();
      ADD_FAILURE() << "the program went on";
    } catch (const ProcessExit& exit) {
      EXPECT_NE(exit.status, 0);
    }
  }
};

TEST_F(SettingsStoreTest, FreshInstallationGetsEveryDefaultInTableOrder) {
  store.LoadSettings();
  EXPECT_EQ(writtenNames(), kTableOrder);
  EXPECT_EQ(registry.valueNames(kKey), kTableOrder);
  EXPECT_EQ(p->settings, Settings{});
  EXPECT_EQ(registry.dword(kKey, "HWPortOverride"), 0x178);
  EXPECT_EQ(registry.dword(kKey, "COM1-Port"), 1);
  EXPECT_EQ(registry.dword(kKey, "COM2-Port"), 2);
  EXPECT_EQ(registry.dword(kKey, "SaveCplON"), 1);
  EXPECT_EQ(registry.openHandleCount(), 0u);
  EXPECT_TRUE(p.op.messages.empty());
}

TEST_F(SettingsStoreTest, StoredValuesOutOfRangeWrongTypeOrMissing) {
  registry.setDword(kKey, "COM2-Port", 16);       // out of range: default 2, not corrected
  registry.setString(kKey, "Duplex", "1");        // wrong type: replaced by a dword 0
  registry.setDword(kKey, "PosMainX", -500);      // signed, in range
  registry.setDword(kKey, "Priority", 0);         // out of range: 3
  registry.setDword(kKey, "UpdateRate", 10);      // the maximum
  registry.setDword(kKey, "AutoStart", 2);        // not a flag value: default false
  registry.setDword(kKey, "FlushingBUF", 0);      // a flag stored false
  registry.setDword(kKey, "COM1-Speed", 13);
  store.LoadSettings();
  const Settings& s = p->settings;
  EXPECT_EQ(s.port(2).Port, 2);
  EXPECT_EQ(registry.dword(kKey, "COM2-Port"), 16);
  EXPECT_EQ(s.Duplex, 0);
  EXPECT_EQ(registry.type(kKey, "Duplex"), REG_DWORD);
  EXPECT_EQ(registry.dword(kKey, "Duplex"), 0);
  EXPECT_EQ(s.PosMainX, -500);
  EXPECT_EQ(s.Priority, 3);
  EXPECT_EQ(s.UpdateRate, 10);
  EXPECT_FALSE(s.AutoStart);
  EXPECT_FALSE(s.FlushingBUF);
  EXPECT_EQ(s.port(1).Speed, 13);

  p.panel.visible = false;
  store.SaveSettings();
  EXPECT_EQ(registry.dword(kKey, "COM2-Port"), 2);
  EXPECT_EQ(registry.dword(kKey, "AutoStart"), 0);
  EXPECT_EQ(registry.dword(kKey, "LastCplON"), 0);
}

struct HWUseCase {
  int storedHWUse, duplex;
  bool isNT;
  bool loaded;
};

TEST_F(SettingsStoreTest, AdapterUseNeedsBothWaysOrOneWayFromPort1AndPortAccess) {
  const HWUseCase cases[] = {{1, 0, false, true},  {1, 1, false, true}, {1, 2, false, false},
                             {1, 0, true, false},  {0, 0, false, false}};
  for (const HWUseCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.storedHWUse << " " << c.duplex << " " << c.isNT);
    OfflineProgram q;
    q.registry.setDword(kKey, "HWUse", c.storedHWUse);
    q.registry.setDword(kKey, "Duplex", c.duplex);
    q->run.IsNT = c.isNT;
    q->store.LoadSettings();
    EXPECT_EQ(q->settings.HWUse, c.loaded);
    EXPECT_EQ(q.registry.dword(kKey, "HWUse"), c.storedHWUse) << "the load changes nothing";
    q->store.SaveSettings();
    EXPECT_EQ(q.registry.dword(kKey, "HWUse"), c.loaded ? 1 : 0);
  }
}

TEST_F(SettingsStoreTest, SaveWritesEveryValueAndTheAutorunEntry) {
  store.LoadSettings();
  registry.clearWrites();
  p->settings.NonFirstRun = false;
  p->settings.LastCplON = false;
  p->settings.PosMainY = -42;
  p->settings.AutoRun = true;
  p.panel.visible = true;
  store.SaveSettings();
  EXPECT_EQ(writtenNames(), kTableOrder);
  EXPECT_EQ(registry.dword(kKey, "NonFirstRun"), 1);
  EXPECT_EQ(registry.dword(kKey, "LastCplON"), 1) << "from the window, not the field";
  EXPECT_EQ(registry.dword(kKey, "PosMainY"), -42);
  EXPECT_EQ(registry.string(kRun, "Zelkora"), "/opt/zelkora/bin/zelkora /a");
  ASSERT_EQ(p.autostart.entries.size(), 1u);
  EXPECT_EQ(p.autostart.entries[0], std::make_pair(std::string("/opt/zelkora/bin/zelkora /a"), true));

  p->settings.AutoRun = false;
  store.SaveSettings();
  EXPECT_EQ(registry.string(kRun, "Zelkora"), "") << "switched off: kept, empty";
  EXPECT_FALSE(p.autostart.entries.back().second);
  EXPECT_EQ(registry.openHandleCount(), 0u);
}

TEST_F(SettingsStoreTest, AutorunCommandIsTheExecutableAndTheSwitch) {
  p.system.exe = "/home/op/my tools/zelkora";
  EXPECT_EQ(store.AutoRunCommand(), "/home/op/my tools/zelkora /a");
  p.system.exe = "/zelkora";
  EXPECT_EQ(store.AutoRunCommand(), "/zelkora /a");
}

TEST_F(SettingsStoreTest, LoadEndsWhenTheKeyCanBeNeitherOpenedNorCreated) {
  registry.failAlways(MemoryRegistry::Call::Create);
  expectEnd([&] { store.LoadSettings(); });
  ASSERT_EQ(p.op.messages.size(), 1u);
  EXPECT_EQ(p.op.messages[0].text, "Нет доступа к Реестру!");
  EXPECT_EQ(p.op.messages[0].icon, MsgIcon::Critical);
  EXPECT_TRUE(registry.writes().empty());
}

TEST_F(SettingsStoreTest, LoadEndsWhenADefaultCannotBeStored) {
  registry.failAlways(MemoryRegistry::Call::Set, "BufSize");
  expectEnd([&] { store.LoadSettings(); });
  ASSERT_EQ(p.op.messages.size(), 1u);
  EXPECT_NE(p.op.messages[0].text.find("Дальнейшая работа невозможна !!"), std::string::npos);
  EXPECT_EQ(registry.valueNames(kKey).back(), "Duplex") << "values up to the failure stay";
}

TEST_F(SettingsStoreTest, SaveEndsWithoutWritingWhenTheKeyCannotBeOpened) {
  registry.failAlways(MemoryRegistry::Call::Open, kKey);
  expectEnd([&] { store.SaveSettings(); });
  EXPECT_EQ(p.op.messages.at(0).text, "Нет доступа к Реестру!");
  EXPECT_TRUE(registry.writes().empty());
  EXPECT_FALSE(registry.string(kRun, "Zelkora"));
}

TEST_F(SettingsStoreTest, SaveEndsAfterTheSettingsWhenTheRunKeyCannotBeOpened) {
  store.LoadSettings();
  registry.clearWrites();
  registry.failAlways(MemoryRegistry::Call::Open, kRun);
  expectEnd([&] { store.SaveSettings(); });
  EXPECT_EQ(writtenNames(), kTableOrder);
  EXPECT_EQ(p.op.messages.at(0).text, "Нет доступа к Реестру!");
}

TEST_F(SettingsStoreTest, SaveGoesOnPastSingleFailedValuesAndTheAutorunValue) {
  store.LoadSettings();
  registry.clearWrites();
  registry.failAlways(MemoryRegistry::Call::Set, "PosMainX");
  registry.failAlways(MemoryRegistry::Call::Set, "Zelkora");
  store.SaveSettings();
  std::vector<std::string> expected = kTableOrder;
  expected.erase(expected.begin() + 2);
  EXPECT_EQ(writtenNames(), expected);
  ASSERT_EQ(p.op.messages.size(), 1u);
  EXPECT_EQ(p.op.messages[0].text, "Нет доступа к Системному Реестру !");
  EXPECT_EQ(registry.openHandleCount(), 0u);
}

}  // namespace
}  // namespace zelkora::test
