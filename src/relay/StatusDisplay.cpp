#include "relay/StatusDisplay.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

#include "relay/Program.h"
#include "relay/Texts.h"
#include "relay/Version.h"

namespace zelkora {

// The counters are composed after every relayed block. A whole number of bytes gives the
// thousandths of a megabyte exactly in integers, rounded as "%.3f" rounds the exact
// quotient (to the nearest, a tie to the even neighbour); anything else goes to printf.
std::string StatusDisplay::MegabytesText(double bytes) {
  constexpr double kExactBelow = 1e15;  // bytes * 1000 stays far inside 64 bits
  if (bytes >= 0 && bytes < kExactBelow && std::floor(bytes) == bytes) {
    const uint64_t scaled = static_cast<uint64_t>(bytes) * 1000;
    uint64_t thousandths = scaled >> 20;
    const uint64_t rest = scaled & ((uint64_t{1} << 20) - 1);
    constexpr uint64_t kHalf = uint64_t{1} << 19;
    if (rest > kHalf || (rest == kHalf && (thousandths & 1) != 0)) ++thousandths;
    char fraction[4] = {static_cast<char>('0' + thousandths / 100 % 10),
                        static_cast<char>('0' + thousandths / 10 % 10),
                        static_cast<char>('0' + thousandths % 10), '\0'};
    return std::to_string(thousandths / 1000) + "." + fraction + " Мб";
  }
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.3f", bytes / 1048576.0);
  return std::string(buffer) + " Мб";
}

void StatusDisplay::RefreshStatus() {
  PanelModel& m = p_.frmMain;
  const RelayState state = p_.run.state();
  const bool on = p_.run.RelayOn;

  m.cmdON = !on;
  m.cmdOFF = m.cmdPause = on;
  m.cmdConfig = !on;
  m.cmdAbout = m.cmdHelp = state != RelayState::Draining;

  std::string name = texts::ProgramTitle;
  if (p_.settings.HWUse) name += "+Korvane™";
  const std::string ports = m.lblCOM[0] + " vs " + m.lblCOM[1];

  if (on) {
    m.caption = name + " - В К Л";
    if (state == RelayState::Paused) {
      m.icon = 3;
      m.caption += "  [Пауза]";
      m.lblON = {"Пауза", {0, 128, 0}, 34};
    } else if (state == RelayState::Draining) {
      m.icon = 4;
      m.caption += "  [Слив]";
      m.lblON = {"Слив...", {0, 0, 192}, 36};
      m.cmdPause = false;
    } else {
      m.icon = 2;
      m.lblON = {std::to_string(p_.run.ConnectionSpeed), {192, 0, 192}, 35};
    }
    m.trayTip = m.caption + "  ( " + ports + "  at " + m.lblON.text + " )";
  } else {
    m.caption = p_.VersionShown
                    ? name + " - ВЫКЛ"
                    : name + "  v" + version::ShortVersion() + " " + version::Kind;
    m.lblON = {"Zelkora", {0, 0, 255}, 26};
    m.trayTip = m.caption + "  ( " + ports + " )";
    m.icon = 1;
  }
  p_.ui.tray.setTrayIcon(m.icon);
  p_.ui.tray.setTrayTip(m.trayTip);
  p_.VersionShown = true;
  p_.tray.mnuTray_Click();
  p_.ui.panel.render(m);
}

void StatusDisplay::RefreshCounters(bool GaugesOnly) {
  PanelModel& m = p_.frmMain;
  for (int i = 1; i <= 2; ++i) {
    const size_t k = PanelModel::at(i);
    if (!GaugesOnly) m.lblThrough[k] = MegabytesText(p_.run.transferred(i));
    auto fill = [](Gauge& gauge, int count) {
      const float n = static_cast<float>(count) + 0.0001f;
      if (gauge.max < n) gauge.max = n;
      gauge.value = n;
    };
    fill(m.proOutBuffer[k], p_.COM(i).OutBufferCount());
    fill(m.proInBuffer[k], p_.COM(i).InBufferCount());
  }
  p_.ui.panel.render(m);
}

}  // namespace zelkora
