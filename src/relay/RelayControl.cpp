#include "relay/RelayControl.h"

#include "relay/Program.h"

namespace zelkora {

bool RelayControl::OpenPort(int n, uint64_t epoch) {
  CommPort& port = p_.COM(n);
  const std::string name = p_.frmMain.lblCOM[PanelModel::at(n)];
  for (;;) {
    if (port.setBreak(true) && port.setPortOpen(true) && port.setBreak(true)) return true;
    const MsgAnswer answer =
        p_.ui.op.MsgBox({"Не удается открыть порт  " + name + " !!  Проверьте его параметры !",
                         MsgButtons::RetryCancel, MsgIcon::Critical,
                         "Ошибка при открытии порта " + name});
    // A fault handled while the question was open has closed the ports already (and may
    // even have restarted the relay): nothing of this attempt is left to act on.
    if (p_.run.RelayEpoch != epoch) return false;
    if (answer != MsgAnswer::Retry) {
      Disconnect();
      return false;
    }
  }
}

bool RelayControl::Connect() {
  Settings& s = p_.settings;
  PanelModel& m = p_.frmMain;
  const uint64_t epoch = p_.run.RelayEpoch;
  p_.ui.panel.setBusy(true);
  for (int n = 1; n <= 2; ++n) {
    CommPort& port = p_.COM(n);
    const PortSettings& ps = s.port(n);
    port.setCommPort(ps.Port + 1);
    double inSize = 0, outSize = 0;
    port.setSettings(p_.params.PortSettingsText(n, 1, inSize, outSize));
    port.setHandshaking(ps.HandShake + 1);
    port.setDTREnable(ps.TrapDTR);
    port.setRTSEnable(ps.HandShake == 1);
    port.setInBufferSize(static_cast<int16_t>(inSize));
    port.setOutBufferSize(static_cast<int16_t>(outSize));
    port.setInputLen(0);
    port.setRThreshold(1);
    port.setSThreshold(1);
    port.setInBufferCount(0);
    port.setOutBufferCount(0);
    const size_t i = PanelModel::at(n);
    m.proInBuffer[i].min = m.proInBuffer[i].value = 0.0001f;
    m.proInBuffer[i].max = static_cast<float>(inSize + 0.0001);
    m.proOutBuffer[i].min = m.proOutBuffer[i].value = 0.0001f;
    m.proOutBuffer[i].max = static_cast<float>(outSize + 0.0001);
    if (!OpenPort(n, epoch)) {
      p_.ui.panel.setBusy(false);
      return false;
    }
  }
  if (p_.run.FaultLatch || p_.run.RelayEpoch != epoch) {
    p_.ui.panel.setBusy(false);
    return false;
  }
  if (s.HWUse) {
    const AdapterResult result = p_.hardware.InitAdapter();
    if (p_.run.RelayEpoch != epoch) {
      // Switched off underneath the detection: the fault handling has reported it.
      p_.ui.panel.setBusy(false);
      return false;
    }
    if (result == AdapterResult::AdapterStopped) {
      p_.ui.op.MsgBox(
          {"Связь не была успешно установлена !", MsgButtons::OK, MsgIcon::Exclamation, ""});
      if (p_.run.RelayEpoch == epoch) Disconnect();
      p_.ui.panel.setBusy(false);
      return false;
    }
  }
  for (int n = 1; n <= 2; ++n) {
    p_.run.pending(n) = false;
    if (s.ResetCounters) p_.run.transferred(n) = 0;
  }
  p_.status.RefreshCounters(false);
  p_.ui.panel.setBusy(false);
  return true;
}

void RelayControl::cmdON_Click() {
  // The on command of a relay that is on already (a restart racing a tray command) has
  // nothing to do: reconfiguring open ports would break the running relay.
  if (p_.run.RelayOn) return;
  if (!Connect()) return;
  RunState& r = p_.run;
  r.FaultLatch = r.Draining = r.Paused = r.InEvent = false;
  r.RelayOn = true;
  p_.COM(1).setBreak(false);
  p_.COM(2).setBreak(false);
  p_.lines.RefreshLamps(1, false);
  p_.lines.RefreshLamps(2, false);
  p_.status.RefreshStatus();
  p_.status.RefreshCounters(false);
  p_.tmrBuffers->setEnabled(true);
}

void RelayControl::cmdPause_Click() {
  RunState& r = p_.run;
  if (!r.RelayOn) return;
  r.Paused = !r.Paused;
  p_.ui.panel.setBusy(true);
  p_.COM(1).setBreak(r.Paused);
  p_.COM(2).setBreak(r.Paused);
  p_.status.RefreshStatus();
  p_.status.RefreshCounters(false);
  p_.ui.panel.setBusy(false);
}

void RelayControl::cmdOFF_Click() {
  RunState& r = p_.run;
  if (p_.settings.FlushingBUF && !r.Draining && !r.FaultLatch && r.RelayOn) {
    r.Draining = true;
    r.Paused = false;
    p_.COM(1).setBreak(false);
    p_.COM(2).setBreak(false);
    p_.tmrFLUSH->setEnabled(true);
    p_.status.RefreshStatus();
    return;
  }
  const bool closing = r.Closing;
  Disconnect();
  if (p_.settings.FlushingBUF && closing) {
    p_.life.ShutDown();
    p_.ui.panel.unload();
  }
}

void RelayControl::tmrFLUSH_Timer() {
  if (p_.COM(2).OutBufferCount() == 0 && p_.COM(1).OutBufferCount() == 0) {
    p_.tmrFLUSH->setEnabled(false);
    cmdOFF_Click();
  }
}

void RelayControl::Disconnect() {
  RunState& r = p_.run;
  p_.ui.panel.setBusy(true);
  p_.tmrBuffers->setEnabled(false);
  p_.tmrFLUSH->setEnabled(false);
  r.RelayOn = r.Paused = r.FaultLatch = r.Draining = r.RestartRequested = false;
  ++r.RelayEpoch;
  for (int n = 1; n <= 2; ++n) {
    CommPort& port = p_.COM(n);
    p_.ring(n).Tag = "Stop";
    port.setInBufferCount(0);
    port.setOutBufferCount(0);
    port.setRTSEnable(false);
    port.setDTREnable(false);
    port.setPortOpen(false);
  }
  p_.hardware.ResetAdapter();
  p_.status.RefreshCounters(true);
  p_.lines.RefreshLamps(1, true);
  p_.status.RefreshStatus();
  p_.ui.panel.setBusy(false);
}

}  // namespace zelkora
