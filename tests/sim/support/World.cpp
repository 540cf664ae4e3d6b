#include "sim/support/World.h"

#include <gtest/gtest.h>

namespace zelkora::sim {

World::World(IoPorts* ioPorts)
    : io(ioPorts != nullptr ? *ioPorts : latch),
      program(PlatformServices{registry, loop, com1, com2, io, process, system, instance, shell,
                               autostart},
              Frontend{op, panel, tray}) {
  Settings& s = settings();
  s.LogoType = 0;
  s.NonFirstRun = true;
  op.defaultMessage = [this](const Message& message) {
    if (op.messages.size() > MessageLimit) {
      ADD_FAILURE() << "the program keeps asking: " << message.text;
      return MsgAnswer::Cancel;
    }
    return test::ScriptedOperator::DefaultAnswer(message);
  };
  op.defaultDialog = [this](ModalDialog& dialog) {
    if (!loop.runUntil([&dialog] { return dialog.closed(); }, 3600 * 1000)) {
      ADD_FAILURE() << "a modal dialog stayed open for an hour";
    }
  };
  // The window's close request: the handler may refuse; otherwise the window closes.
  panel.onUnload = [this] {
    bool cancel = false;
    program.life.Form_QueryUnload(cancel);
    if (!cancel) windowClosed_ = true;
  };
}

void World::storeSettings() {
  HKEY key = 0;
  registry.RegCreateKeyA(HKEY_LOCAL_MACHINE, basRegMIRVO::SettingsPath, &key);
  registry.RegCloseKey(key);
  registry.RegCreateKeyA(HKEY_LOCAL_MACHINE, basRegMIRVO::RunPath, &key);
  registry.RegCloseKey(key);
  program.store.SaveSettings();
  // Saving marks the first run as done and records the panel as it is now; put back
  // what the settings say.
  if (program.registry.OpenKey(HKEY_LOCAL_MACHINE, basRegMIRVO::SettingsPath, key)) {
    program.registry.WriteDword(key, "NonFirstRun", settings().NonFirstRun ? 1 : 0);
    program.registry.WriteDword(key, "LastCplON", settings().LastCplON ? 1 : 0);
    program.registry.CloseKey(key);
  }
  autostart.entries.clear();
}

void World::matchDevicesToSettings() {
  for (int n = 1; n <= 2; ++n) {
    const auto format = SimCommPort::ParseSettings(program.params.PortSettingsText(n, 1));
    if (format) device(n).setFormat(*format);
    device(n).setFlowControl(settings().port(n).HandShake == 1 ? SimSerialDevice::Flow::Hardware
                                                               : SimSerialDevice::Flow::Software);
  }
}

bool World::start(const std::string& arguments) {
  storeSettings();
  matchDevicesToSettings();
  return program.life.StartUp(arguments);
}

bool World::on() {
  program.relay.cmdON_Click();
  return run().RelayOn;
}

bool World::click(Button button) {
  const PanelModel& m = model();
  if (!panel.isEnabled()) return false;
  switch (button) {
    case Button::ON:
      if (!m.cmdON) return false;
      program.relay.cmdON_Click();
      break;
    case Button::Pause:
      if (!m.cmdPause) return false;
      program.relay.cmdPause_Click();
      break;
    case Button::OFF:
      if (!m.cmdOFF) return false;
      program.relay.cmdOFF_Click();
      break;
  }
  return true;
}

bool World::requestClose() {
  panel.unload();
  return windowClosed_;
}

std::vector<uint8_t> World::pattern(size_t count, uint32_t seed, bool noFlowBytes) {
  std::vector<uint8_t> bytes(count);
  uint32_t x = seed * 2654435761u + 1;
  for (size_t i = 0; i < count; ++i) {
    x = x * 1664525u + 1013904223u;
    auto b = static_cast<uint8_t>(x >> 24);
    if (noFlowBytes && (b == XON || b == XOFF)) b = static_cast<uint8_t>(b + 1);
    bytes[i] = b;
  }
  return bytes;
}

}  // namespace zelkora::sim
