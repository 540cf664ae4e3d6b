#include "platform/linux/RegistryFile.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace zelkora {
namespace {

namespace fs = std::filesystem;

constexpr const char* SettingsKey = "SOFTWARE\\Devodovazar\\Zelkora";
constexpr const char* RunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

std::string readText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void writeText(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

// The data of a REG_SZ: the text and one NUL.
std::vector<uint8_t> textData(const std::string& text) {
  std::vector<uint8_t> data(text.begin(), text.end());
  data.push_back(0);
  return data;
}

class RegistryFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/zelkora-registry-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    root = pattern;
    folder = root / "config" / "zelkora";
    file = folder / "registry.reg";
  }
  void TearDown() override { fs::remove_all(root); }

  // Creates the key, writes one value, closes the key; the first failing call's code.
  static long put(Registry& registry, const std::string& path, const std::string& name,
                  uint32_t type, const std::vector<uint8_t>& data) {
    HKEY key = 0;
    if (long rc = registry.RegCreateKeyA(HKEY_LOCAL_MACHINE, path, &key); rc != ERROR_SUCCESS) {
      return rc;
    }
    const long rc =
        registry.RegSetValueExA(key, name, type, data.data(), static_cast<uint32_t>(data.size()));
    registry.RegCloseKey(key);
    return rc;
  }
  static long putDword(Registry& registry, const std::string& name, uint32_t value) {
    return put(registry, SettingsKey, name, REG_DWORD,
               {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)});
  }
  // The value's type and bytes, or nothing when it cannot be read.
  static std::optional<std::pair<uint32_t, std::vector<uint8_t>>> get(Registry& registry,
                                                                      const std::string& path,
                                                                      const std::string& name) {
    HKEY key = 0;
    if (registry.RegOpenKeyA(HKEY_LOCAL_MACHINE, path, &key) != ERROR_SUCCESS) return std::nullopt;
    uint32_t type = 0;
    std::vector<uint8_t> data(4096);
    auto size = static_cast<uint32_t>(data.size());
    const long rc = registry.RegQueryValueExA(key, name, &type, data.data(), &size);
    registry.RegCloseKey(key);
    if (rc != ERROR_SUCCESS) return std::nullopt;
    data.resize(size);
    return std::make_pair(type, data);
  }

  fs::path root, folder, file;
};

TEST_F(RegistryFileTest, WritesEveryKindOfValueInExportFormatAndReadsItBackByteForByte) {
  std::vector<uint8_t> longBlob;
  for (uint8_t b = 0; b < 40; ++b) longBlob.push_back(b);
  struct Value {
    std::string name;
    uint32_t type;
    std::vector<uint8_t> data;
  };
  const std::vector<Value> values = {
      {"LogoType", REG_DWORD, {2, 0, 0, 0}},
      {"PosMainX", REG_DWORD, {0x0c, 0xfe, 0xff, 0xff}},  // -500
      {"", REG_SZ, textData("default")},
      {"Quote\"d", REG_SZ, textData("C:\\Tools\\\"relay\".exe /a")},
      {"Empty", REG_SZ, {0}},
      {"Cyrillic", REG_SZ, textData("Модем")},
      {"Latin1", REG_SZ, {0xE9, 0}},
      {"NoNul", REG_SZ, {'A', 'B'}},
      {"Line", REG_SZ, textData("a\nb")},
      {"Short", REG_DWORD, {1, 2}},
      {"Blob", REG_BINARY, {0, 1, 0xab}},
      {"Multi", 7, {'a', 0, 0}},
      {"Nothing", REG_NONE, {}},
      {"Long", REG_BINARY, longBlob},
  };
  {
    RegistryFile registry(file.string());
    for (const Value& value : values) {
      ASSERT_EQ(put(registry, SettingsKey, value.name, value.type, value.data), ERROR_SUCCESS)
          << value.name;
    }
    ASSERT_EQ(put(registry, RunKey, "Zelkora", REG_SZ, {0}), ERROR_SUCCESS);
  }
  EXPECT_EQ(readText(file),
            "REGEDIT4\n"
            "\n"
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Devodovazar]\n"
            "\n"
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Devodovazar\\Zelkora]\n"
            "\"LogoType\"=dword:00000002\n"
            "\"PosMainX\"=dword:fffffe0c\n"
            "@=\"default\"\n"
            "\"Quote\\\"d\"=\"C:\\\\Tools\\\\\\\"relay\\\".exe /a\"\n"
            "\"Empty\"=\"\"\n"
            "\"Cyrillic\"=\"Модем\"\n"
            "\"Latin1\"=hex(1):e9,00\n"
            "\"NoNul\"=hex(1):41,42\n"
            "\"Line\"=hex(1):61,0a,62,00\n"
            "\"Short\"=hex(4):01,02\n"
            "\"Blob\"=hex:00,01,ab\n"
            "\"Multi\"=hex(7):61,00,00\n"
            "\"Nothing\"=hex(0):\n"
            "\"Long\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,\\\n"
            "  16,17,18,19,1a,1b,1c,1d,1e,1f,20,21,22,23,24,25,26,27\n"
            "\n"
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run]\n"
            "\"Zelkora\"=\"\"\n");

  RegistryFile reader(file.string());
  for (const Value& value : values) {
    const auto stored = get(reader, SettingsKey, value.name);
    ASSERT_TRUE(stored) << value.name;
    EXPECT_EQ(stored->first, value.type) << value.name;
    EXPECT_EQ(stored->second, value.data) << value.name;
  }
  EXPECT_FALSE(fs::exists(reader.backupPath())) << "a file of its own making needs no copy";
}

TEST_F(RegistryFileTest, ReadsAHandWrittenFileAndKeepsWhatItCannotRead) {
  fs::create_directories(folder);
  const std::string original =
      "REGEDIT4\r\n"
      "; settings of the relay\r\n"
      "\r\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Devodovazar\\Zelkora]\r\n"
      "\"PosMainX\"=dword:FFFFFE0C\r\n"
      "\"Bad\"=dword:12345xyz\r\n"
      "\"Text\"=\"5\"\r\n"
      "\"Path\"=\"C:\\\\Program Files\\\\\\\"x\\\"\"\r\n"
      "\"Expand\"=hex(2):25,00,\\\r\n"
      "    41,00\r\n"
      "; a remark between values\r\n"
      "\"PosMainX\"=dword:00000001\r\n"
      "garbage\r\n"
      "\r\n"
      "[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Old]\r\n"
      "\"Lost\"=dword:00000001\r\n"
      "\r\n"
      "[hkey_local_machine\\software\\devodovazar\\zelkora]\r\n"
      "\"Later\"=hex:\r\n"
      "@=\"d\"\r\n";
  writeText(file, original);

  RegistryFile registry(file.string());
  using Stored = std::pair<uint32_t, std::vector<uint8_t>>;
  EXPECT_EQ(get(registry, SettingsKey, "PosMainX"), Stored(REG_DWORD, {0x0c, 0xfe, 0xff, 0xff}))
      << "the first definition counts";
  EXPECT_EQ(get(registry, SettingsKey, "Text"), Stored(REG_SZ, {'5', 0}));
  EXPECT_EQ(get(registry, SettingsKey, "Path"),
            Stored(REG_SZ, textData("C:\\Program Files\\\"x\"")));
  EXPECT_EQ(get(registry, SettingsKey, "Expand"), Stored(2, {0x25, 0, 0x41, 0}));
  EXPECT_EQ(get(registry, SettingsKey, "Later"), Stored(REG_BINARY, {}));
  EXPECT_EQ(get(registry, SettingsKey, ""), Stored(REG_SZ, {'d', 0}));
  EXPECT_FALSE(get(registry, SettingsKey, "Bad"));
  EXPECT_FALSE(get(registry, SettingsKey, "Lost"));
  EXPECT_EQ(readText(file), original) << "reading never writes";

  ASSERT_EQ(putDword(registry, "LogoType", 1), ERROR_SUCCESS);
  EXPECT_EQ(readText(file),
            "REGEDIT4\n"
            "; settings of the relay\n"
            "\n"
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Devodovazar\\Zelkora]\n"
            "\"PosMainX\"=dword:fffffe0c\n"
            "\"Bad\"=dword:12345xyz\n"
            "\"Text\"=\"5\"\n"
            "\"Path\"=\"C:\\\\Program Files\\\\\\\"x\\\"\"\n"
            "\"Expand\"=hex(2):25,00,41,00\n"
            "; a remark between values\n"
            "\"PosMainX\"=dword:00000001\n"
            "garbage\n"
            "\"Later\"=hex:\n"
            "@=\"d\"\n"
            "\"LogoType\"=dword:00000001\n"
            "\n"
            "[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Old]\n"
            "\"Lost\"=dword:00000001\n");
  EXPECT_EQ(readText(registry.backupPath()), original);

  // The copy is made once: a later rewrite leaves it alone.
  writeText(registry.backupPath(), "older copy");
  ASSERT_EQ(putDword(registry, "LogoType", 2), ERROR_SUCCESS);
  EXPECT_EQ(readText(registry.backupPath()), "older copy");
}

TEST_F(RegistryFileTest, ReplacedValuesKeepTheirLineAndEditsOfOthersAreSeen) {
  RegistryFile first(file.string());
  RegistryFile second(file.string());
  ASSERT_EQ(putDword(first, "LogoType", 1), ERROR_SUCCESS);
  ASSERT_EQ(putDword(second, "NonFirstRun", 0), ERROR_SUCCESS);
  ASSERT_EQ(putDword(first, "PosMainX", 3), ERROR_SUCCESS);
  ASSERT_EQ(putDword(second, "logotype", 2), ERROR_SUCCESS);
  const std::string keyLines =
      "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Devodovazar]\n\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Devodovazar\\Zelkora]\n";
  EXPECT_EQ(readText(file), keyLines +
                                "\"LogoType\"=dword:00000002\n"
                                "\"NonFirstRun\"=dword:00000000\n"
                                "\"PosMainX\"=dword:00000003\n");

  // An open handle sees what the operator changed in the file since.
  HKEY key = 0;
  ASSERT_EQ(first.RegOpenKeyA(HKEY_LOCAL_MACHINE, SettingsKey, &key), ERROR_SUCCESS);
  writeText(file, keyLines + "\"LogoType\"=dword:00000000\n");
  uint8_t buffer[4] = {9, 9, 9, 9};
  uint32_t size = sizeof buffer;
  ASSERT_EQ(first.RegQueryValueExA(key, "LogoType", nullptr, buffer, &size), ERROR_SUCCESS);
  EXPECT_EQ(buffer[0], 0);
  EXPECT_EQ(first.RegCloseKey(key), ERROR_SUCCESS);
  EXPECT_EQ(first.RegCloseKey(key), ERROR_INVALID_HANDLE);
}

TEST_F(RegistryFileTest, AMissingFileIsAnEmptyStoreWithTheSystemKeys) {
  RegistryFile registry(file.string());
  HKEY run = 0;
  ASSERT_EQ(registry.RegOpenKeyA(HKEY_LOCAL_MACHINE, RunKey, &run), ERROR_SUCCESS);
  HKEY software = 0;
  EXPECT_EQ(registry.RegOpenKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE", &software), ERROR_SUCCESS);
  HKEY settings = 0;
  EXPECT_EQ(registry.RegOpenKeyA(HKEY_LOCAL_MACHINE, SettingsKey, &settings), ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(fs::exists(folder)) << "reading makes no folder";

  const uint8_t empty[] = {0};
  ASSERT_EQ(registry.RegSetValueExA(run, "Zelkora", REG_SZ, empty, 1), ERROR_SUCCESS);
  EXPECT_EQ(readText(file),
            "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run]\n"
            "\"Zelkora\"=\"\"\n");
  EXPECT_TRUE(fs::exists(registry.lockPath()));
}

// Each case breaks the store in a way that holds even for root, and checks that calls fail
// with an error code and that nothing that was there is lost.
TEST_F(RegistryFileTest, UnusableFilesFailEveryCallAndLoseNothing) {
  fs::create_directories(folder);
  const std::string intact =
      "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Devodovazar\\Zelkora]\n"
      "\"LogoType\"=dword:00000001\n";

  {  // The folder's place is taken by a regular file.
    writeText(root / "plain", "not a folder");
    RegistryFile registry((root / "plain" / "registry.reg").string());
    HKEY key = 0;
    EXPECT_EQ(registry.RegCreateKeyA(HKEY_LOCAL_MACHINE, SettingsKey, &key), ERROR_ACCESS_DENIED);
    EXPECT_EQ(registry.RegOpenKeyA(HKEY_LOCAL_MACHINE, RunKey, &key), ERROR_ACCESS_DENIED);
    EXPECT_EQ(readText(root / "plain"), "not a folder");
  }
  {  // A folder stands where the file should be.
    fs::create_directories(file);
    writeText(file / "keep", "x");
    RegistryFile registry(file.string());
    HKEY key = 0;
    EXPECT_EQ(registry.RegOpenKeyA(HKEY_LOCAL_MACHINE, RunKey, &key), ERROR_ACCESS_DENIED);
    EXPECT_EQ(registry.RegCreateKeyA(HKEY_LOCAL_MACHINE, SettingsKey, &key), ERROR_ACCESS_DENIED);
    EXPECT_EQ(readText(file / "keep"), "x");
    fs::remove_all(file);
  }
  {  // A read-only file is read but never replaced.
    writeText(file, intact);
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read);
    RegistryFile registry(file.string());
    EXPECT_EQ(putDword(registry, "LogoType", 2), ERROR_ACCESS_DENIED);
    EXPECT_EQ(get(registry, SettingsKey, "LogoType")->second, (std::vector<uint8_t>{1, 0, 0, 0}));
    EXPECT_EQ(readText(file), intact);
    fs::permissions(file, fs::perms::owner_all);
  }
  {  // Another holder of the lock: the call gives up instead of waiting for ever.
    writeText(file, intact);
    RegistryFile registry(file.string(), 0);
    const int other = ::open(registry.lockPath().c_str(), O_RDWR | O_CREAT, 0644);
    ASSERT_GE(other, 0);
    ASSERT_EQ(::flock(other, LOCK_EX), 0);
    HKEY key = 0;
    EXPECT_EQ(registry.RegOpenKeyA(HKEY_LOCAL_MACHINE, RunKey, &key), ERROR_ACCESS_DENIED);
    EXPECT_EQ(putDword(registry, "LogoType", 2), ERROR_ACCESS_DENIED);
    EXPECT_EQ(readText(file), intact);
    ::flock(other, LOCK_UN);
    EXPECT_EQ(putDword(registry, "LogoType", 2), ERROR_SUCCESS) << "an unlocked holder is no bar";
    ::close(other);
  }
}

TEST_F(RegistryFileTest, AWriteThatBreaksOffLeavesTheOldFileWhole) {
  fs::create_directories(folder);
  const std::string intact =
      "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Devodovazar\\Zelkora]\n"
      "\"LogoType\"=dword:00000001\n";
  writeText(file, intact);
  // A file size limit makes the new file's write fail even for root; a child process
  // carries the limit so that nothing else in the tests meets it.
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{intact.size(), intact.size()};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    RegistryFile registry(file.string());
    const long rc =
        put(registry, SettingsKey, "AutoStartTime", REG_BINARY, std::vector<uint8_t>(200, 0x55));
    ::_exit(rc == ERROR_WRITE_FAULT ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the call reports the failure";
  EXPECT_EQ(readText(file), intact);
  std::vector<std::string> left;
  for (const auto& entry : fs::directory_iterator(folder)) {
    left.push_back(entry.path().filename().string());
  }
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{"registry.reg", "registry.reg.lock"}))
      << "no half-written file stays behind";
}

TEST(RegistryFileDefaultPath, FollowsTheEnvironment) {
  struct Case {
    const char* registry;
    const char* configHome;
    const char* home;
    const char* expected;
  };
  const Case cases[] = {
      {"/srv/relay.reg", "/cfg", "/home/op", "/srv/relay.reg"},
      {"", "/cfg", "/home/op", "/cfg/zelkora/registry.reg"},
      {nullptr, nullptr, "/home/op", "/home/op/.config/zelkora/registry.reg"},
      {nullptr, "relative", "/home/op", "/home/op/.config/zelkora/registry.reg"},
  };
  const char* names[] = {"ZELKORA_REGISTRY", "XDG_CONFIG_HOME", "HOME"};
  std::optional<std::string> saved[3];
  for (int i = 0; i < 3; ++i) {
    if (const char* value = std::getenv(names[i])) saved[i] = value;
  }
  for (const Case& c : cases) {
    const char* values[] = {c.registry, c.configHome, c.home};
    for (int i = 0; i < 3; ++i) {
      if (values[i] != nullptr) {
        ::setenv(names[i], values[i], 1);
      } else {
        ::unsetenv(names[i]);
      }
    }
    EXPECT_EQ(RegistryFile::DefaultPath(), c.expected);
  }
  for (int i = 0; i < 3; ++i) {
    if (saved[i]) {
      ::setenv(names[i], saved[i]->c_str(), 1);
    } else {
      ::unsetenv(names[i]);
    }
  }
}

}  // namespace
}  // namespace zelkora
