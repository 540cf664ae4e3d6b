#include "support/MemoryRegistry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zelkora {
namespace {

using test::MemoryRegistry;
using Call = MemoryRegistry::Call;
constexpr const char* SettingsKey = "SOFTWARE\\Devodovazar\\Zelkora";

long writeDword(Registry& registry, HKEY key, const std::string& name, uint8_t value) {
  const uint8_t data[4] = {value, 0, 0, 0};
  return registry.RegSetValueExA(key, name, REG_DWORD, data, 4);
}

TEST(MemoryRegistry, OrderedFailuresHitOnlyTheirCalls) {
  MemoryRegistry registry;
  HKEY key = 0;
  registry.failNext(Call::Create);
  EXPECT_EQ(registry.RegCreateKeyA(HKEY_LOCAL_MACHINE, SettingsKey, &key), ERROR_ACCESS_DENIED);
  EXPECT_FALSE(registry.hasKey(SettingsKey)) << "a failed call changes nothing";
  ASSERT_EQ(registry.RegCreateKeyA(HKEY_LOCAL_MACHINE, SettingsKey, &key), ERROR_SUCCESS);

  registry.failAlways(Call::Open, "software\\devodovazar\\zelkora", ERROR_FILE_NOT_FOUND);
  HKEY other = 0;
  EXPECT_EQ(registry.RegOpenKeyA(HKEY_LOCAL_MACHINE, SettingsKey, &other), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(registry.RegOpenKeyA(HKEY_LOCAL_MACHINE, SettingsKey, &other), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(registry.RegOpenKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE", &other), ERROR_SUCCESS);
  EXPECT_EQ(registry.RegOpenKeyA(other, "Devodovazar\\Zelkora", &other), ERROR_FILE_NOT_FOUND)
      << "the path counts, not the way it is reached";

  registry.failAlways(Call::Set, "PosMainX");
  EXPECT_EQ(writeDword(registry, key, "LogoType", 1), ERROR_SUCCESS);
  EXPECT_EQ(writeDword(registry, key, "PosMainX", 1), ERROR_ACCESS_DENIED);
  EXPECT_EQ(writeDword(registry, key, "PosMainY", 1), ERROR_SUCCESS);
  EXPECT_EQ(registry.valueNames(SettingsKey), (std::vector<std::string>{"LogoType", "PosMainY"}));
  EXPECT_EQ(registry.writes(), (std::vector<MemoryRegistry::Write>{{SettingsKey, "LogoType"},
                                                                   {SettingsKey, "PosMainY"}}));

  registry.failAlways(Call::Query);
  uint32_t size = 0;
  EXPECT_EQ(registry.RegQueryValueExA(key, "LogoType", nullptr, nullptr, &size),
            ERROR_ACCESS_DENIED);
  registry.clearFailures();
  EXPECT_EQ(registry.RegQueryValueExA(key, "LogoType", nullptr, nullptr, &size), ERROR_SUCCESS);
}

TEST(MemoryRegistry, SeedsAndInspectsWithoutHandles) {
  MemoryRegistry registry;
  registry.setDword(SettingsKey, "PosMainX", -500);
  registry.setString(SettingsKey, "COM1-Port", "5");
  registry.setRaw(SettingsKey, "Blob", REG_BINARY, {1, 2, 3, 4});
  EXPECT_EQ(registry.dword(SettingsKey, "posmainx"), -500);
  EXPECT_EQ(registry.dword(SettingsKey, "COM1-Port"), std::nullopt) << "a text is no number";
  EXPECT_EQ(registry.dword(SettingsKey, "Blob"), std::nullopt) << "nor is a binary";
  EXPECT_EQ(registry.string(SettingsKey, "COM1-Port"), "5");
  EXPECT_EQ(registry.type(SettingsKey, "COM1-Port"), REG_SZ);
  EXPECT_EQ(registry.type(SettingsKey, "Missing"), std::nullopt);
  EXPECT_TRUE(registry.writes().empty());
  EXPECT_EQ(registry.openHandleCount(), 0u);
}

}  // namespace
}  // namespace zelkora
