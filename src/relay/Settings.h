#pragma once
// The configuration record. Field names are the names of the registry values that store
// them; every value stays inside its range (the loader and the settings dialog see to it).

#include <array>
#include <cstdint>

namespace zelkora {

// One serial port's parameters; element 1 is port 1 (the modem side), element 2 port 2.
struct PortSettings {
  uint8_t Port = 0;       // 0..15: device COM(Port + 1)
  uint8_t Speed = 6;      // 0..13: speed step, 6 is 9600 bit/s
  uint8_t DataBits = 4;   // 0..4: data bits minus 4
  uint8_t StopBits = 0;   // 0..2: 1, 1.5, 2 stop bits
  uint8_t HandShake = 1;  // 0 software (XON/XOFF), 1 hardware (RTS/CTS)
  bool TrapDTR = true;    // DTR raised while the port is open

  static PortSettings defaultsFor(int portNumber) {
    PortSettings p;
    p.Port = static_cast<uint8_t>(portNumber);
    return p;
  }
  bool operator==(const PortSettings&) const = default;
};

struct Settings {
  uint8_t LogoType = 2;  // 0 never, 1 plain start only, 2 every start
  bool NonFirstRun = false;
  int32_t PosMainX = 200;  // twips (1/1440 inch)
  int32_t PosMainY = 200;
  uint8_t ConfigLastTab = 0;  // 0..3
  uint8_t Priority = 3;       // 1..4
  bool AutoRun = false;
  bool MeON = false;
  bool CplON = false;
  bool SaveCplON = true;
  bool LastCplON = true;
  bool AutoMeON = false;
  bool AutoCplON = false;
  bool SmoothBuf = true;
  bool AutoClose = true;
  bool AutoCloseEnsure = true;
  uint8_t Duplex = 0;   // 0 both ways, 1 port 1 -> port 2 only, 2 port 2 -> port 1 only
  uint8_t BufSize = 2;  // 0..6
  bool LockPorts = true;
  int16_t UpdateRate = 2;  // 1..10 Hz
  bool FlushingBUF = true;
  bool ResetCounters = true;
  bool AutoStart = false;
  uint8_t AutoStartTime = 3;  // 1..12, steps of 5 s
  std::array<PortSettings, 2> COM{PortSettings::defaultsFor(1), PortSettings::defaultsFor(2)};
  bool HWUse = false;
  uint8_t HWMode = 0;     // 0 DCD and RI, 1 DCD only, 2 RI only
  uint8_t HWPortSel = 1;  // 1 LPT1, 2 LPT2, 3 LPT3, 4 HWPortOverride
  int32_t HWPortOverride = 0x178;

  // Port n (1 or 2).
  PortSettings& port(int n) { return COM[static_cast<size_t>(n - 1)]; }
  const PortSettings& port(int n) const { return COM[static_cast<size_t>(n - 1)]; }

  // The adapter reproduces carrier when HWMode is not 2 and ring when it is not 1.
  bool adapterCarriesDCD() const { return HWMode != 2; }
  bool adapterCarriesRI() const { return HWMode != 1; }

  bool operator==(const Settings&) const = default;
};

}  // namespace zelkora
