#include "relay/StartupShutdown.h"

#include <array>

#include "relay/Program.h"
#include "relay/SplashDialog.h"
#include "relay/Texts.h"

namespace zelkora {

bool StartupShutdown::IsAutoStartSwitch(const std::string& arguments) {
  static constexpr std::array<const char*, 6> kSwitches{"/A", "/a", "-A", "-a", "a", "A"};
  for (const char* s : kSwitches) {
    if (arguments == s) return true;
  }
  return false;
}

void StartupShutdown::DetectNT() { p_.run.IsNT = !p_.platform.system.directPortAccessAvailable(); }

bool StartupShutdown::StartUp(const std::string& arguments) {
  RunState& r = p_.run;
  Settings& s = p_.settings;
  r.AutoStartSwitch = IsAutoStartSwitch(arguments);
  if (!p_.platform.instance.acquire(texts::InstanceMarker)) return false;
  DetectNT();
  p_.panel.Form_Load();
  r.FaultLatch = r.RelayOn = r.Paused = r.Closing = r.InEvent = r.RestartRequested = false;
  p_.store.LoadSettings();
  settingsLoaded_ = true;
  p_.panel.Form_Activate();
  p_.params.ApplySettings();
  p_.status.RefreshCounters(false);
  p_.lines.RefreshLamps(1, true);

  bool relayOn = false;
  bool panelShown = false;
  if (r.AutoStartSwitch) {
    relayOn = s.AutoMeON;
    panelShown = s.AutoCplON;
  } else {
    relayOn = s.MeON;
    panelShown = s.SaveCplON ? s.LastCplON : s.CplON;
  }
  // Without a notification area the panel is the only way to reach the program.
  if (!p_.ui.tray.available()) panelShown = true;

  if (s.LogoType == 2 || (s.LogoType == 1 && !r.AutoStartSwitch)) {
    SplashDialog splash(p_);
    p_.ui.op.ShowModal(splash);
  }
  p_.status.RefreshStatus();
  if (panelShown) {
    p_.ui.panel.showNormal();
  } else {
    p_.ui.panel.hide();
  }
  p_.ui.tray.setInTray(true);
  if (!s.NonFirstRun) {
    p_.ui.op.MsgBox(
        {texts::FirstRunText, MsgButtons::OK, MsgIcon::Exclamation, texts::FirstRunTitle});
  }
  if (relayOn) p_.relay.cmdON_Click();
  return true;
}

void StartupShutdown::Form_QueryUnload(bool& cancel) {
  RunState& r = p_.run;
  const Settings& s = p_.settings;
  cancel = false;
  if (!r.RelayOn) {
    ShutDown();
    return;
  }
  if (r.Draining && s.AutoClose) {
    r.Closing = true;
    cancel = true;
    return;
  }
  if (!s.AutoClose) {
    cancel = true;
    return;
  }
  if (s.AutoCloseEnsure) {
    bool pausedHere = false;
    if (!r.Paused) {
      p_.relay.cmdPause_Click();
      pausedHere = true;
    }
    const uint64_t epoch = r.RelayEpoch;
    const MsgAnswer answer = p_.ui.op.MsgBox(
        {texts::CloseQuestion, MsgButtons::OKCancel, MsgIcon::Question, texts::CloseTitle});
    if (r.RelayEpoch != epoch) {
      // The relay went off while the question was open (a port fault): closing now
      // is closing a stopped relay.
      if (answer == MsgAnswer::OK && !r.RelayOn) {
        ShutDown();
      } else {
        cancel = true;
      }
      return;
    }
    if (answer != MsgAnswer::OK) {
      if (pausedHere && r.Paused) p_.relay.cmdPause_Click();
      cancel = true;
      return;
    }
  }
  r.Closing = true;
  p_.relay.cmdOFF_Click();
  if (s.FlushingBUF && r.RelayOn) {
    cancel = true;
    return;
  }
  ShutDown();
}

void StartupShutdown::ShutDown() {
  p_.run.Closing = true;
  p_.panel.Form_Deactivate();
  p_.hardware.ResetAdapter();
  p_.store.SaveSettings();
  p_.ui.tray.setInTray(false);
  shutDownDone_ = true;
}

void StartupShutdown::Terminate() {
  // The registry has already failed: nothing can be saved, and the end is a failure.
  if (p_.registry.fatal()) p_.platform.process.end(1);
  RunState& r = p_.run;
  r.Closing = true;
  if (r.RelayOn) p_.relay.Disconnect();
  if (settingsLoaded_) ShutDown();
  p_.platform.process.end(0);
}

}  // namespace zelkora
