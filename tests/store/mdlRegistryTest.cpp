#include <gtest/gtest.h>

#include "store/mdlRegistry.h"
#include "support/Fakes.h"
#include "support/MemoryRegistry.h"

namespace zelkora::test {
namespace {

const char* const kKey = "SOFTWARE\\Devodovazar\\Zelkora";

class ReadSettingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    registry.setDword(kKey, "Seed", 0);
    ASSERT_TRUE(layer.OpenKey(HKEY_LOCAL_MACHINE, kKey, key));
  }
  MemoryRegistry registry;
  ScriptedOperator op;
  FakeProcess process;
  mdlRegistry layer{registry, op, process};
  HKEY key = 0;
};

struct Case {
  const char* what;
  std::optional<int32_t> stored;  // nothing: the value is missing
  mdlRegistry::Kind kind;
  int32_t min, max, def;
  int32_t expected;
  bool defaultWritten;
};

TEST_F(ReadSettingTest, TableOfStoredValues) {
  using K = mdlRegistry::Kind;
  const Case cases[] = {
      {"in range", 5, K::Ranged, 1, 10, 2, 5, false},
      {"exactly the minimum", 1, K::Ranged, 1, 10, 2, 1, false},
      {"exactly the maximum", 10, K::Ranged, 1, 10, 2, 10, false},
      {"below the range", 0, K::Ranged, 1, 10, 2, 2, false},
      {"above the range", 11, K::Ranged, 1, 10, 2, 2, false},
      {"signed comparison", -500, K::Ranged, -999999, 999999, 200, -500, false},
      {"negative below a positive range", -1, K::Ranged, 0, 15, 3, 3, false},
      {"flag 1 with default 0", 1, K::Flag, 0, 0, 0, 1, false},
      {"flag 0 with default 1", 0, K::Flag, 0, 0, 1, 0, false},
      {"flag 2 gives the default", 2, K::Flag, 0, 0, 1, 1, false},
      {"flag -1 gives the default", -1, K::Flag, 0, 0, 0, 0, false},
      {"missing: default written", std::nullopt, K::Ranged, 0, 2, 2, 2, true},
      {"missing flag: default written", std::nullopt, K::Flag, 0, 0, 1, 1, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string name = c.what;
    if (c.stored) registry.setDword(kKey, name, *c.stored);
    registry.clearWrites();
    EXPECT_EQ(layer.ReadSetting(key, name, c.kind, c.min, c.max, c.def), c.expected);
    // An out-of-range value is not corrected; a missing one is created with the default.
    EXPECT_EQ(registry.dword(kKey, name), c.stored ? *c.stored : c.def);
    EXPECT_EQ(registry.writes().size(), c.defaultWritten ? 1u : 0u);
  }
  EXPECT_TRUE(op.messages.empty());
}

TEST_F(ReadSettingTest, WrongTypeOrLengthIsReplacedByADwordDefault) {
  registry.setString(kKey, "Speed", "5");
  registry.setRaw(kKey, "Long", REG_DWORD, {1, 0, 0, 0, 0});
  registry.setRaw(kKey, "Binary", REG_BINARY, {1, 0, 0, 0});
  for (const char* name : {"Speed", "Long", "Binary"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(layer.ReadSetting(key, name, mdlRegistry::Kind::Ranged, 0, 13, 6), 6);
    EXPECT_EQ(registry.type(kKey, name), REG_DWORD);
    EXPECT_EQ(registry.dword(kKey, name), 6);
  }
}

TEST_F(ReadSettingTest, DefaultThatCannotBeStoredEndsTheProgram) {
  registry.failAlways(MemoryRegistry::Call::Set, "Duplex");
  try {
    layer.ReadSetting(key, "Duplex", mdlRegistry::Kind::Ranged, 0, 2, 0);
    FAIL() << "the program went on";
  } catch (const ProcessExit& exit) {
    EXPECT_NE(exit.status, 0);
  }
  ASSERT_EQ(op.messages.size(), 1u);
  EXPECT_EQ(op.messages[0].text,
            "По непонятным причинам невозможно обратиться к Системному Реестру.\r\r\r"
            "                           Дальнейшая работа невозможна !!");
  EXPECT_EQ(op.messages[0].icon, MsgIcon::Critical);
  EXPECT_EQ(op.messages[0].buttons, MsgButtons::OK);
  EXPECT_EQ(registry.openHandleCount(), 0u) << "the key is closed before the end";
  EXPECT_TRUE(layer.fatal());
}

TEST_F(ReadSettingTest, DwordsAreSignedLittleEndian) {
  EXPECT_TRUE(layer.WriteDword(key, "Negative", -2));
  uint8_t raw[4] = {};
  uint32_t type = 0, size = 4;
  ASSERT_EQ(registry.RegQueryValueExA(key, "Negative", &type, raw, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, REG_DWORD);
  EXPECT_EQ(raw[0], 0xFE);
  EXPECT_EQ(raw[3], 0xFF);
  int32_t back = 0;
  EXPECT_TRUE(layer.ReadDword(key, "Negative", back));
  EXPECT_EQ(back, -2);
  int32_t untouched = 77;
  EXPECT_FALSE(layer.ReadDword(key, "Missing", untouched));
  EXPECT_EQ(untouched, 77);
}

TEST_F(ReadSettingTest, WriteStringStoresTextAndNulAndWarnsOnFailure) {
  EXPECT_TRUE(layer.WriteString(key, "Empty", ""));
  uint32_t type = 0, size = 0;
  ASSERT_EQ(registry.RegQueryValueExA(key, "Empty", &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, REG_SZ);
  EXPECT_EQ(size, 1u);
  EXPECT_TRUE(layer.WriteString(key, "Zelkora", "/opt/z/zelkora /a"));
  EXPECT_EQ(registry.string(kKey, "Zelkora"), "/opt/z/zelkora /a");
  EXPECT_TRUE(op.messages.empty());

  registry.failNext(MemoryRegistry::Call::Set, "Zelkora");
  EXPECT_FALSE(layer.WriteString(key, "Zelkora", "x"));
  ASSERT_EQ(op.messages.size(), 1u);
  EXPECT_EQ(op.messages[0].text, "Нет доступа к Системному Реестру !");
  EXPECT_EQ(op.messages[0].icon, MsgIcon::Exclamation);
  EXPECT_EQ(registry.string(kKey, "Zelkora"), "/opt/z/zelkora /a");
}

TEST_F(ReadSettingTest, CreateKeyJoinsParentAndName) {
  HKEY created = 0;
  ASSERT_TRUE(layer.CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Devodovazar", "Other", created));
  EXPECT_TRUE(registry.hasKey("SOFTWARE\\Devodovazar\\Other"));
  EXPECT_TRUE(layer.CloseKey(created));
  HKEY same = 0;
  ASSERT_TRUE(layer.CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Devodovazar\\Third", "", same));
  EXPECT_TRUE(registry.hasKey("SOFTWARE\\Devodovazar\\Third"));
  EXPECT_FALSE(layer.CloseKey(same + 1000));
}

}  // namespace
}  // namespace zelkora::test
