#include "platform/ComDevices.h"

#include <gtest/gtest.h>

#include <string>

#include "support/MemoryRegistry.h"

namespace zelkora {
namespace {

using test::MemoryRegistry;
constexpr const char* PortsKey = "SOFTWARE\\Devodovazar\\Zelkora\\Ports";

TEST(ComDevicePath, TheNamedDeviceOrTheSerialPortOfTheSameNumber) {
  MemoryRegistry registry;
  EXPECT_EQ(ComDevicePath(registry, 1), "/dev/ttyS0") << "no Ports key";
  EXPECT_EQ(ComDevicePath(registry, 16), "/dev/ttyS15");

  const std::string longPath = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A9XYZ123-if00-port0";
  registry.setString(PortsKey, "COM3", "/dev/ttyUSB0");
  registry.setString(PortsKey, "com4", longPath);
  registry.setDword(PortsKey, "COM5", 7);
  registry.setString(PortsKey, "COM6", "");
  registry.setRaw(PortsKey, "COM7", REG_SZ, {'/', 'd', 0, 'x', 0});
  EXPECT_EQ(ComDevicePath(registry, 3), "/dev/ttyUSB0");
  EXPECT_EQ(ComDevicePath(registry, 4), longPath) << "longer than any first guess of a buffer";
  EXPECT_EQ(ComDevicePath(registry, 5), "/dev/ttyS4") << "not a text";
  EXPECT_EQ(ComDevicePath(registry, 6), "/dev/ttyS5") << "empty";
  EXPECT_EQ(ComDevicePath(registry, 7), "/d") << "the text ends at its NUL";
  EXPECT_EQ(ComDevicePath(registry, 2), "/dev/ttyS1") << "no value";
  EXPECT_EQ(registry.openHandleCount(), 0u);
  EXPECT_TRUE(registry.writes().empty()) << "looking a device up writes nothing";
}

TEST(ComDevicePath, AnUnreadableRegistryFallsBackAndClosesWhatItOpened) {
  MemoryRegistry registry;
  registry.setString(PortsKey, "COM3", "/dev/ttyUSB0");
  registry.failNext(MemoryRegistry::Call::Query, "COM3");
  EXPECT_EQ(ComDevicePath(registry, 3), "/dev/ttyS2");
  EXPECT_EQ(registry.openHandleCount(), 0u);
  registry.failNext(MemoryRegistry::Call::Open, PortsKey);
  EXPECT_EQ(ComDevicePath(registry, 3), "/dev/ttyS2");
  EXPECT_EQ(ComDevicePath(registry, 3), "/dev/ttyUSB0");
}

}  // namespace
}  // namespace zelkora
