#include "platform/RegistryTree.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zelkora {
namespace {

constexpr const char* SettingsKey = "SOFTWARE\\Devodovazar\\Zelkora";
constexpr const char* RunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

long setBytes(Registry& registry, HKEY key, const std::string& name, uint32_t type,
              const std::vector<uint8_t>& data) {
  return registry.RegSetValueExA(key, name, type, data.data(), static_cast<uint32_t>(data.size()));
}

std::vector<std::string> keyPaths(const RegistryTree& tree) {
  std::vector<std::string> paths;
  for (const RegistryKey& key : tree.layout().keys) paths.push_back(key.path);
  return paths;
}

std::vector<std::string> valueNames(const RegistryKey& key) {
  std::vector<std::string> names;
  for (const RegistryEntry& entry : key.entries) names.push_back(entry.name);
  return names;
}

class RegistryTreeTest : public ::testing::Test {
 protected:
  HKEY create(const std::string& path) {
    HKEY key = 0;
    EXPECT_EQ(tree.RegCreateKeyA(HKEY_LOCAL_MACHINE, path, &key), ERROR_SUCCESS) << path;
    return key;
  }
  RegistryTree tree;
};

TEST_F(RegistryTreeTest, SystemKeysExistOnAFreshStoreWithoutBeingStored) {
  for (const char* path :
       {"SOFTWARE", "SOFTWARE\\Microsoft", RunKey, "software\\microsoft\\windows"}) {
    HKEY key = 0;
    EXPECT_EQ(tree.RegOpenKeyA(HKEY_LOCAL_MACHINE, path, &key), ERROR_SUCCESS) << path;
    EXPECT_EQ(tree.RegCloseKey(key), ERROR_SUCCESS);
  }
  HKEY key = 0x1234;
  EXPECT_EQ(tree.RegOpenKeyA(HKEY_LOCAL_MACHINE, SettingsKey, &key), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(tree.RegOpenKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Devodovazar", &key),
            ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(key, 0x1234u) << "the out handle is written only on success";
  EXPECT_TRUE(tree.layout().keys.empty());

  // Opening or "creating" a system key stores nothing; a value written there stores the key
  // alone, spelt as the system spells it.
  HKEY run = create("software\\microsoft\\windows\\currentversion\\run");
  EXPECT_TRUE(tree.layout().keys.empty());
  ASSERT_EQ(setBytes(tree, run, "Zelkora", REG_SZ, {'x', 0}), ERROR_SUCCESS);
  EXPECT_EQ(keyPaths(tree), std::vector<std::string>{std::string("HKEY_LOCAL_MACHINE\\") + RunKey});
}

TEST_F(RegistryTreeTest, CreateStoresMissingParentsFirstAndKeepsTheFirstSpelling) {
  HKEY settings = create(SettingsKey);
  HKEY ports = create("software\\DEVODOVAZAR\\zelkora\\Ports\\");
  EXPECT_EQ(keyPaths(tree), (std::vector<std::string>{
                                "HKEY_LOCAL_MACHINE\\SOFTWARE\\Devodovazar",
                                "HKEY_LOCAL_MACHINE\\SOFTWARE\\Devodovazar\\Zelkora",
                                "HKEY_LOCAL_MACHINE\\SOFTWARE\\Devodovazar\\Zelkora\\Ports"}));
  EXPECT_EQ(tree.pathOf(ports), "HKEY_LOCAL_MACHINE\\SOFTWARE\\Devodovazar\\Zelkora\\Ports");

  HKEY again = 0;
  ASSERT_EQ(tree.RegOpenKeyA(HKEY_LOCAL_MACHINE, "Software\\devodovazar\\ZELKORA", &again),
            ERROR_SUCCESS);
  EXPECT_NE(again, settings) << "every open gives a handle of its own";
  const uint64_t revision = tree.revision();
  create(SettingsKey);
  EXPECT_EQ(tree.revision(), revision) << "creating an existing key changes nothing";
}

TEST_F(RegistryTreeTest, OpensRelativeToAnOpenKey) {
  HKEY software = 0;
  ASSERT_EQ(tree.RegOpenKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE", &software), ERROR_SUCCESS);
  HKEY settings = 0;
  ASSERT_EQ(tree.RegCreateKeyA(software, "Devodovazar\\Zelkora", &settings), ERROR_SUCCESS);
  ASSERT_EQ(setBytes(tree, settings, "LogoType", REG_DWORD, {2, 0, 0, 0}), ERROR_SUCCESS);

  HKEY same = 0;
  ASSERT_EQ(tree.RegOpenKeyA(settings, "", &same), ERROR_SUCCESS);
  EXPECT_NE(same, settings);
  uint32_t size = 0;
  EXPECT_EQ(tree.RegQueryValueExA(same, "LogoType", nullptr, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(size, 4u);

  HKEY root = 0;
  EXPECT_EQ(tree.RegOpenKeyA(HKEY_LOCAL_MACHINE, "", &root), ERROR_SUCCESS);
  EXPECT_EQ(root, HKEY_LOCAL_MACHINE);
}

TEST_F(RegistryTreeTest, MalformedPathsAreRefused) {
  for (const char* path :
       {"\\SOFTWARE", "SOFTWARE\\\\Devodovazar", "\\", "SOFT\nWARE", "SOFTWARE\\a\rb"}) {
    HKEY key = 0;
    EXPECT_EQ(tree.RegCreateKeyA(HKEY_LOCAL_MACHINE, path, &key), ERROR_INVALID_PARAMETER) << path;
    EXPECT_EQ(tree.RegOpenKeyA(HKEY_LOCAL_MACHINE, path, &key), ERROR_INVALID_PARAMETER) << path;
  }
  EXPECT_TRUE(tree.layout().keys.empty());
  EXPECT_EQ(tree.RegOpenKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE", nullptr), ERROR_INVALID_PARAMETER);
}

TEST_F(RegistryTreeTest, HandlesAreInvalidAfterCloseAndNeverReused) {
  HKEY first = create(SettingsKey);
  ASSERT_EQ(tree.RegCloseKey(first), ERROR_SUCCESS);
  HKEY second = create(SettingsKey);
  EXPECT_NE(second, first);
  EXPECT_EQ(tree.openHandleCount(), 1u);

  for (HKEY stale : {first, HKEY{0}, HKEY{0x80000001u}, HKEY{0xdeadbeefu}}) {
    HKEY sub = 0;
    uint32_t size = 4;
    uint8_t buffer[4] = {};
    EXPECT_EQ(tree.RegCloseKey(stale), ERROR_INVALID_HANDLE);
    EXPECT_EQ(tree.RegOpenKeyA(stale, "", &sub), ERROR_INVALID_HANDLE);
    EXPECT_EQ(tree.RegCreateKeyA(stale, "Ports", &sub), ERROR_INVALID_HANDLE);
    EXPECT_EQ(tree.RegQueryValueExA(stale, "LogoType", nullptr, buffer, &size),
              ERROR_INVALID_HANDLE);
    EXPECT_EQ(setBytes(tree, stale, "LogoType", REG_DWORD, {1, 0, 0, 0}), ERROR_INVALID_HANDLE);
  }
  EXPECT_EQ(tree.RegCloseKey(HKEY_LOCAL_MACHINE), ERROR_SUCCESS) << "the root is never closed";
  EXPECT_EQ(tree.RegCloseKey(second), ERROR_SUCCESS);
  EXPECT_EQ(tree.openHandleCount(), 0u);
}

TEST_F(RegistryTreeTest, ValuesKeepTheirPlaceAndFirstSpellingWhenReplaced) {
  HKEY key = create(SettingsKey);
  setBytes(tree, key, "LogoType", REG_DWORD, {1, 0, 0, 0});
  setBytes(tree, key, "NonFirstRun", REG_DWORD, {0, 0, 0, 0});
  setBytes(tree, key, "", REG_SZ, {0});
  const uint64_t revision = tree.revision();
  setBytes(tree, key, "NonFirstRun", REG_DWORD, {0, 0, 0, 0});
  EXPECT_EQ(tree.revision(), revision) << "writing the same data changes nothing";
  setBytes(tree, key, "LOGOTYPE", REG_SZ, {'5', 0});

  const RegistryKey* stored = tree.findKey("hkey_local_machine\\software\\devodovazar\\zelkora");
  ASSERT_NE(stored, nullptr);
  EXPECT_EQ(valueNames(*stored), (std::vector<std::string>{"LogoType", "NonFirstRun", ""}));
  EXPECT_EQ(stored->entries[0].type, REG_SZ);
  EXPECT_EQ(stored->entries[0].data, (std::vector<uint8_t>{'5', 0}));
  EXPECT_EQ(setBytes(tree, key, "a\nb", REG_DWORD, {1, 0, 0, 0}), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(tree.RegSetValueExA(key, "x", REG_BINARY, nullptr, 3), ERROR_INVALID_PARAMETER);
}

TEST_F(RegistryTreeTest, QueryAnswersTypeSizeAndBytesLikeTheSystem) {
  HKEY key = create(SettingsKey);
  setBytes(tree, key, "Text", REG_SZ, {'5', 0});
  setBytes(tree, key, "Long", REG_BINARY, {1, 0, 2, 0, 3});
  setBytes(tree, key, "Empty", REG_NONE, {});

  struct Case {
    const char* name;
    bool withBuffer;
    uint32_t room;
    long rc;
    uint32_t type;
    uint32_t size;
  };
  const Case cases[] = {
      {"Text", true, 4, ERROR_SUCCESS, REG_SZ, 2},  // a numeric read sees the text's type
      {"text", true, 2, ERROR_SUCCESS, REG_SZ, 2},  // exactly fitting
      {"Long", true, 4, ERROR_MORE_DATA, REG_BINARY, 5},
      {"Long", false, 0, ERROR_SUCCESS, REG_BINARY, 5},  // no buffer: the size only
      {"Empty", true, 4, ERROR_SUCCESS, REG_NONE, 0},
      {"Missing", true, 4, ERROR_FILE_NOT_FOUND, 99, 4},
  };
  for (const Case& c : cases) {
    uint8_t buffer[8] = {0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE};
    uint32_t type = 99;
    uint32_t size = c.room;
    EXPECT_EQ(tree.RegQueryValueExA(key, c.name, &type, c.withBuffer ? buffer : nullptr, &size),
              c.rc)
        << c.name;
    EXPECT_EQ(type, c.type) << c.name;
    EXPECT_EQ(size, c.size) << c.name;
    if (c.rc == ERROR_MORE_DATA) {
      EXPECT_EQ(buffer[4], 0xEE) << "nothing beyond the room";
    }
  }

  uint8_t buffer[8] = {};
  uint32_t size = sizeof buffer;
  ASSERT_EQ(tree.RegQueryValueExA(key, "Long", nullptr, buffer, &size), ERROR_SUCCESS);
  EXPECT_EQ(std::vector<uint8_t>(buffer, buffer + size), (std::vector<uint8_t>{1, 0, 2, 0, 3}));
  EXPECT_EQ(tree.RegQueryValueExA(key, "Long", nullptr, buffer, nullptr), ERROR_INVALID_PARAMETER);
}

TEST_F(RegistryTreeTest, HandlesOutliveAReplacedLayout) {
  HKEY key = create(SettingsKey);
  setBytes(tree, key, "LogoType", REG_DWORD, {2, 0, 0, 0});
  tree.setLayout({});
  uint32_t size = 4;
  uint8_t buffer[4] = {};
  EXPECT_EQ(tree.RegQueryValueExA(key, "LogoType", nullptr, buffer, &size), ERROR_FILE_NOT_FOUND);
  // Writing through the handle brings the key back.
  ASSERT_EQ(setBytes(tree, key, "LogoType", REG_DWORD, {1, 0, 0, 0}), ERROR_SUCCESS);
  EXPECT_EQ(keyPaths(tree),
            std::vector<std::string>{"HKEY_LOCAL_MACHINE\\SOFTWARE\\Devodovazar\\Zelkora"});
}

}  // namespace
}  // namespace zelkora
