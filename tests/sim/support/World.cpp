#include "sim/support/World.h"

#include <gtest/gtest.h>

#include "support/BytePattern.h"

namespace zelkora::sim {

World::World(IoPorts* ioPorts, const Windows* windows)
    : io(ioPorts != nullptr ? *ioPorts : latch),
      program(PlatformServices{registry, loop, com1, com2, io, process, system, instance, shell,
                               autostart, clipboard},
              windows != nullptr
                  ? Frontend{op, windows->panel, windows->tray, windows->adapterDescription}
                  : Frontend{op, panel, tray}) {
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
  // A dialog's loop also ends when the program's window has closed.
  op.defaultDialog = [this](ModalDialog& dialog) {
    if (!loop.runUntil([&] { return dialog.closed() || windowClosed_; }, 3600 * 1000)) {
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
  // The keys a previous run leaves behind, then every setting as it stands.
  registry.setDword(basRegMIRVO::SettingsPath, "NonFirstRun", 0);
  registry.setString(basRegMIRVO::RunPath, basRegMIRVO::RunValue, "");
  program.store.SaveSettings();
  // Saving marks the first run as done and records the panel as it is now; put back
  // what the settings say.
  registry.setDword(basRegMIRVO::SettingsPath, "NonFirstRun", settings().NonFirstRun ? 1 : 0);
  registry.setDword(basRegMIRVO::SettingsPath, "LastCplON", settings().LastCplON ? 1 : 0);
  autostart.entries.clear();
  registry.clearWrites();
}

void World::matchDevicesToSettings() {
  for (int n = 1; n <= 2; ++n) {
    const auto format = SimCommPort::ParseSettings(program.params.PortSettingsText(n, 1));
    if (format) device(n).setFormat(*format);
    device(n).setFlowControl(settings().port(n).HandShake == 1 ? SimSerialDevice::Flow::Hardware
                                                               : SimSerialDevice::Flow::Software);
  }
}

void World::wireAdapter(SimAdapter& adapter) {
  korvaneLine.setDtrDrivesCd(false);
  adapter.onPort2Lines = [this](bool carrier, bool ring) {
    for (int i = 0; i < 2; ++i) {
      korvaneLine.end(i).setExtraInput(Signal::CD, carrier);
      korvaneLine.end(i).setExtraInput(Signal::RI, ring);
    }
  };
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
  std::vector<uint8_t> bytes = test::bytePattern(count, seed);
  if (noFlowBytes) {
    for (uint8_t& b : bytes) {
      if (b == XON || b == XOFF) ++b;
    }
  }
  return bytes;
}

}  // namespace zelkora::sim
