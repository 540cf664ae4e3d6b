#pragma once
// Turns the per-port settings into what the ports and the panel need: the settings text,
// the panel's parameter text, buffer sizes, device names and the connection speed; and
// applies the whole settings record to the running program.

#include <cstdint>
#include <string>

namespace zelkora {

class Program;

class PortParameters {
 public:
  explicit PortParameters(Program& program) : p_(program) {}

  static int32_t SpeedOf(uint8_t speedStep);            // bit/s of a speed step, 0..13
  static int16_t InBufferSizeOf(uint8_t bufSize);       // bytes of a buffer step, 0..6
  static int16_t OutBufferSizeOf(uint8_t bufSize);
  static int GaugeInterval(int16_t updateRate);         // ms, rounded

  // Form 1: "9600,N,8,1" for the port; form 2: "9600,8N1,H/W" for the panel; any other
  // form: the speed alone. Always stores the two buffer sizes.
  std::string PortSettingsText(int port, int form, double& inSize, double& outSize) const;
  std::string PortSettingsText(int port, int form) const;
  // "COM" followed by Port + 1.
  std::string DeviceName(int port) const;
  // Pushes the settings into the running program; never touches open ports.
  void ApplySettings();

 private:
  Program& p_;
};

}  // namespace zelkora
