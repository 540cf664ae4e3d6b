// Direct port access against a fake /proc and /dev tree: which way an address goes, the
// /dev/port backend's register traffic (a regular file takes pread/pwrite at an offset
// like the device does), and the machine check behind the adapter's offer.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/linux/LinuxIoPorts.h"
#include "platform/linux/LinuxSystemInfo.h"
#include "platform/linux/ParallelPortTable.h"

namespace zelkora::test {
namespace {

namespace fs = std::filesystem;
using Backend = LinuxIoPorts::Backend;

class FakeTree : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "zelkora-io-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    root_ = pattern;
    fs::create_directories(root_ / "dev");
  }
  void TearDown() override { fs::remove_all(root_); }

  std::string root() const { return root_.string(); }
  void parport(const std::string& name, const std::string& baseAddr) {
    fs::create_directories(root_ / "proc/sys/dev/parport" / name);
    std::ofstream(root_ / "proc/sys/dev/parport" / name / "base-addr") << baseAddr;
  }
  // A regular file in the device's place: it opens, but no ppdev request works on it.
  void device(const std::string& name) { std::ofstream(root_ / "dev" / name) << ""; }
  // /dev/port as 1 KiB of I/O space, all zero.
  void devPort() { std::ofstream(root_ / "dev/port") << std::string(1024, '\0'); }
  uint8_t devPortByte(int address) const {
    std::ifstream in(root_ / "dev/port", std::ios::binary);
    in.seekg(address);
    return static_cast<uint8_t>(in.get());
  }

  fs::path root_;
};

TEST_F(FakeTree, TableMatchesDataAndStatusRegistersOfKnownPorts) {
  parport("parport0", "888\t1912\n");
  parport("parport1", "632\t1656\n");
  parport("parport2", "0\t0\n");  // no ISA address (a USB adapter)
  ParallelPortTable table(root());
  table.load();
  ASSERT_EQ(table.ports().size(), 2u);

  const auto data = table.find(0x378);
  ASSERT_TRUE(data);
  EXPECT_EQ(data->port.name, "parport0");
  EXPECT_EQ(data->port.device, root() + "/dev/parport0");
  EXPECT_EQ(data->reg, ParallelPortTable::Register::Data);
  const auto status = table.find(0x379);
  ASSERT_TRUE(status);
  EXPECT_EQ(status->port.name, "parport0");
  EXPECT_EQ(status->reg, ParallelPortTable::Register::Status);
  ASSERT_TRUE(table.find(0x279));
  EXPECT_EQ(table.find(0x279)->port.name, "parport1");
  for (int address : {0x37A, 0x377, 0x3BC, 0x178, 0}) EXPECT_FALSE(table.find(address)) << address;
}

TEST_F(FakeTree, TableWithoutParportLayerIsEmpty) {
  ParallelPortTable table(root());
  table.load();
  EXPECT_TRUE(table.ports().empty());
  parport("parport0", "garbage\n");
  table.load();
  EXPECT_TRUE(table.ports().empty());
}

TEST_F(FakeTree, UnclaimableParportFallsBackToDevPort) {
  parport("parport0", "888\t1912\n");
  device("parport0");
  devPort();
  LinuxIoPorts io(root());
  EXPECT_EQ(io.backendFor(0x378), Backend::DevPort);
  EXPECT_EQ(io.backendFor(0x379), Backend::DevPort);
}

TEST_F(FakeTree, AddressOfNoKnownPortGoesToDevPort) {
  parport("parport0", "888\t1912\n");
  devPort();
  LinuxIoPorts io(root());
  EXPECT_EQ(io.backendFor(0x278), Backend::DevPort);
}

TEST_F(FakeTree, NeitherWayReadsFloatingAndDropsWrites) {
  parport("parport0", "888\t1912\n");
  LinuxIoPorts io(root());
  EXPECT_EQ(io.backendFor(0x378), Backend::None);
  io.agOutp(0x378, 0x04);
  EXPECT_EQ(io.agInp(0x378), 0xFF);
  EXPECT_EQ(io.agInp(0x379), 0xFF);
}

TEST_F(FakeTree, DevPortReadsAndWritesAtTheAddress) {
  devPort();
  LinuxIoPorts io(root());
  io.agOutp(0x378, 0x159);  // only the low 8 bits count
  io.agOutp(0x278, 0xA1);
  EXPECT_EQ(devPortByte(0x378), 0x59);
  EXPECT_EQ(devPortByte(0x278), 0xA1);
  EXPECT_EQ(devPortByte(0x379), 0x00);
  EXPECT_EQ(io.agInp(0x378), 0x59);
  {
    std::fstream f(root_ / "dev/port", std::ios::binary | std::ios::in | std::ios::out);
    f.seekp(0x379);
    f.put(static_cast<char>(0x40));
  }
  EXPECT_EQ(io.agInp(0x379), 0x40);
}

// The device is held from the first access until release(); the next access takes it
// again, so what changed on the machine meanwhile counts.
TEST_F(FakeTree, ReleaseHandsTheDeviceBack) {
  devPort();
  LinuxIoPorts io(root());
  io.agOutp(0x378, 0x01);
  fs::remove(root_ / "dev/port");
  EXPECT_EQ(io.agInp(0x378), 0x01);  // still the open device
  io.release();
  EXPECT_EQ(io.backendFor(0x378), Backend::None);
  devPort();
  EXPECT_EQ(io.backendFor(0x378), Backend::None);  // a failure holds until the release
  io.release();
  io.release();  // twice is harmless
  EXPECT_EQ(io.backendFor(0x378), Backend::DevPort);
}

TEST_F(FakeTree, AccessIsOfferedWhenEitherDeviceOpens) {
  const auto offered = [&] {
    const bool io = LinuxIoPorts::accessAvailable(root());
    EXPECT_EQ(LinuxSystemInfo(root()).directPortAccessAvailable(), io);
    return io;
  };
  EXPECT_FALSE(offered());
  device("parport1");
  EXPECT_TRUE(offered());
  fs::remove(root_ / "dev/parport1");
  device("parport_unrelated_name_is_still_a_parport");
  EXPECT_TRUE(offered());
  fs::remove(root_ / "dev/parport_unrelated_name_is_still_a_parport");
  device("lp0");
  EXPECT_FALSE(offered());
  devPort();
  EXPECT_TRUE(offered());
  if (::geteuid() != 0) {
    fs::permissions(root_ / "dev/port", fs::perms::owner_read);
    EXPECT_FALSE(offered());
  }
}

}  // namespace
}  // namespace zelkora::test
