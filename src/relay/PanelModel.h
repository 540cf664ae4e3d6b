#pragma once
// What the control panel window shows, composed by the core. The window renders it and
// nothing else; tests read it without a window.

#include <array>
#include <cstdint>
#include <string>

namespace zelkora {

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

struct Gauge {
  float min = 0.0001f;
  float max = 100.0f;
  float value = 0.0001f;
  bool enabled = true;
};

struct TextLook {
  std::string text;
  Rgb colour;
  int pointSize = 0;
  bool operator==(const TextLook&) const = default;
};

// Lamp panels of one port's status bar, in this order.
enum Lamp { LampRI = 0, LampCD, LampCTS, LampRTS, LampDSR, LampDTR, LampCount };

struct PanelModel {
  std::string caption = "Zelkora®";
  int icon = 1;  // image 1..4 of the state icons
  TextLook lblON{"Zelkora", {0, 0, 255}, 26};

  bool cmdON = true, cmdPause = false, cmdOFF = false;
  bool cmdConfig = true, cmdAbout = true, cmdHelp = true;

  // Port names: lblCOM(1), lblCOM(2) in the transfer area, lblCOM(11), lblCOM(22) above.
  std::array<std::string, 2> lblCOM{"COM2", "COM3"};
  std::array<std::string, 2> lblCOMGroup{"COM2", "COM3"};
  std::array<TextLook, 2> lblParams{};
  std::array<std::string, 2> lblThrough{"0.000 Мб", "0.000 Мб"};
  std::array<Gauge, 2> proInBuffer{};
  std::array<Gauge, 2> proOutBuffer{};
  bool smoothGauges = true;
  bool pipe1TO2 = true;  // lbl1TO2Pipe(0..2), lblThrough(1), proInBuffer(1), proOutBuffer(2)
  bool pipe2TO1 = true;  // lbl2TO1Pipe(0..2), lblThrough(2), proInBuffer(2), proOutBuffer(1)
  std::array<std::array<bool, LampCount>, 2> lamps{};

  std::string trayTip = "Zelkora®";

  // Element n (1 or 2) of a per-port control.
  static size_t at(int n) { return static_cast<size_t>(n - 1); }
};

}  // namespace zelkora
