#include "relay/ModemLines.h"

#include "relay/Program.h"

namespace zelkora {

void ModemLines::RefreshLamps(int port, bool reset) {
  PanelModel& m = p_.frmMain;
  if (reset) {
    for (auto& lamps : m.lamps) lamps.fill(false);
  } else {
    CommPort& c = p_.COM(port);
    auto& lamps = m.lamps[PanelModel::at(port)];
    lamps[LampCD] = c.CDHolding();
    lamps[LampCTS] = c.CTSHolding();
    lamps[LampRTS] = c.RTSEnable();
    lamps[LampDSR] = c.DSRHolding();
    lamps[LampDTR] = c.DTREnable();
  }
  p_.ui.panel.render(m);
}

void ModemLines::StartRing(int n) {
  Timer& timer = p_.ring(n);
  timer.Tag.clear();
  timer.setEnabled(true);
}

void ModemLines::OnLineEvent(int n, int commEvent) {
  const Settings& s = p_.settings;
  switch (commEvent) {
    case comm::comEvCTS:
    case comm::comEvDSR: RefreshLamps(n, false); break;
    case comm::comEvCD:
      if (p_.run.AdapterBusy) return;
      RefreshLamps(n, false);
      if (n == 1 && s.HWUse && s.adapterCarriesDCD()) {
        p_.hardware.SetAdapterLine(AdapterLine::DCD, p_.COM(1).CDHolding());
      }
      break;
    case comm::comEvRing:
      StartRing(n);
      if (s.HWUse && s.adapterCarriesRI()) StartRing(3 - n);
      break;
    default: break;
  }
}

void ModemLines::tmrRing_Timer(int k) {
  Timer& timer = p_.ring(k);
  int32_t& ticks = p_.ringTicks(k);
  bool& lamp = p_.frmMain.lamps[PanelModel::at(k)][LampRI];
  if (timer.Tag == "Stop" || ticks >= 20) {
    timer.setEnabled(false);
    timer.Tag = "Stop";
    ticks = 0;
    lamp = false;
    p_.ui.panel.render(p_.frmMain);
    return;
  }
  lamp = !lamp;
  const Settings& s = p_.settings;
  if (k == 1 && s.HWUse && s.adapterCarriesRI()) {
    if (ticks == 0) p_.hardware.SetAdapterLine(AdapterLine::RI, true);
    if (ticks == 3) p_.hardware.SetAdapterLine(AdapterLine::RI, false);
    p_.hardware.SetAdapterLine(AdapterLine::RingLamp, lamp);
  }
  ++ticks;
  p_.ui.panel.render(p_.frmMain);
}

}  // namespace zelkora
