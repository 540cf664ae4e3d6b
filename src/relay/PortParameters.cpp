#include "relay/PortParameters.h"

#include <array>
#include <cmath>

#include "relay/Program.h"

namespace zelkora {

namespace {
constexpr std::array<int32_t, 14> kSpeeds{110,   300,   600,   1200,  2400,  4800,  9600,
                                          14400, 19200, 28800, 38400, 56000, 57600, 115200};
constexpr std::array<int16_t, 7> kInSizes{512, 1024, 2048, 4096, 8192, 12288, 16384};
constexpr std::array<const char*, 3> kStopTexts{"1", "1.5", "2"};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kBlue{0, 0, 255};
}  // namespace

int32_t PortParameters::SpeedOf(uint8_t speedStep) {
  return kSpeeds[std::min<size_t>(speedStep, kSpeeds.size() - 1)];
}

int16_t PortParameters::InBufferSizeOf(uint8_t bufSize) {
  return kInSizes[std::min<size_t>(bufSize, kInSizes.size() - 1)];
}

int16_t PortParameters::OutBufferSizeOf(uint8_t bufSize) {
  // Twice the input buffer, but a 16-bit size stops at 32767.
  const int doubled = 2 * InBufferSizeOf(bufSize);
  return static_cast<int16_t>(std::min(doubled, 32767));
}

int PortParameters::GaugeInterval(int16_t updateRate) {
  return static_cast<int>(std::lround(1000.0 / updateRate));
}

std::string PortParameters::PortSettingsText(int port, int form, double& inSize,
                                             double& outSize) const {
  const PortSettings& ps = p_.settings.port(port);
  inSize = InBufferSizeOf(p_.settings.BufSize);
  outSize = OutBufferSizeOf(p_.settings.BufSize);
  const std::string speed = std::to_string(SpeedOf(ps.Speed));
  const std::string bits = std::to_string(ps.DataBits + 4);
  const std::string stop = kStopTexts[std::min<size_t>(ps.StopBits, 2)];
  switch (form) {
    case 1: return speed + ",N," + bits + "," + stop;
    case 2: return speed + "," + bits + "N" + stop + "," + (ps.HandShake == 0 ? "S/W" : "H/W");
    default: return speed;
  }
}

std::string PortParameters::PortSettingsText(int port, int form) const {
  double in = 0, out = 0;
  return PortSettingsText(port, form, in, out);
}

std::string PortParameters::DeviceName(int port) const {
  return "COM" + std::to_string(p_.settings.port(port).Port + 1);
}

void PortParameters::ApplySettings() {
  Settings& s = p_.settings;
  PanelModel& m = p_.frmMain;
  p_.process.SetProcessPriority(s.Priority);
  p_.tmrBuffers->setInterval(GaugeInterval(s.UpdateRate));
  p_.hardware.SetAdapterBase();
  p_.hardware.ResetAdapter();

  m.smoothGauges = s.SmoothBuf;
  m.pipe1TO2 = s.Duplex != 2;
  m.pipe2TO1 = s.Duplex != 1;
  m.proInBuffer[0].enabled = m.proOutBuffer[1].enabled = m.pipe1TO2;
  m.proInBuffer[1].enabled = m.proOutBuffer[0].enabled = m.pipe2TO1;

  for (int n = 1; n <= 2; ++n) {
    const size_t i = PanelModel::at(n);
    m.lblCOM[i] = m.lblCOMGroup[i] = DeviceName(n);
    if (n == 2 && s.HWUse) {
      m.lblParams[i] = {"Korvane™", kBlue, 0};
    } else {
      m.lblParams[i] = {PortSettingsText(n, 2), kBlack, 0};
    }
  }
  const int slower = s.port(1).Speed < s.port(2).Speed ? 1 : 2;
  p_.run.ConnectionSpeed = std::stoi(PortSettingsText(slower, 3));
  p_.ui.panel.render(m);
}

}  // namespace zelkora
