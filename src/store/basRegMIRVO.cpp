#include "store/basRegMIRVO.h"

#include <functional>
#include <string>
#include <vector>

#include "relay/Program.h"
#include "relay/Texts.h"

namespace zelkora {

namespace {

using Kind = mdlRegistry::Kind;

// One stored value: its name, kind, range, default, and how to reach its field.
struct ValueDef {
  std::string name;
  Kind kind;
  int32_t min, max;
  std::function<void(Settings&, int32_t)> set;
  std::function<int32_t(const Settings&)> get;
  int32_t def;
};

template <typename T>
ValueDef field(std::string name, Kind kind, int32_t min, int32_t max, T Settings::*member) {
  const Settings defaults;
  ValueDef v{std::move(name), kind, min, max, {}, {}, 0};
  v.set = [member](Settings& s, int32_t x) { s.*member = static_cast<T>(x); };
  v.get = [member](const Settings& s) { return static_cast<int32_t>(s.*member); };
  v.def = static_cast<int32_t>(defaults.*member);
  return v;
}

template <typename T>
ValueDef portField(int n, const char* fieldName, Kind kind, int32_t min, int32_t max,
                   T PortSettings::*member) {
  const PortSettings defaults = PortSettings::defaultsFor(n);
  const size_t i = static_cast<size_t>(n - 1);
  ValueDef v{"COM" + std::to_string(n) + "-" + fieldName, kind, min, max, {}, {}, 0};
  v.set = [member, i](Settings& s, int32_t x) { s.COM[i].*member = static_cast<T>(x); };
  v.get = [member, i](const Settings& s) { return static_cast<int32_t>(s.COM[i].*member); };
  v.def = static_cast<int32_t>(defaults.*member);
  return v;
}

constexpr int32_t kPosMin = -999999, kPosMax = 999999;

// Values 1 to 24 of the settings key, in their stored order.
std::vector<ValueDef> generalValues() {
  return {
      field("LogoType", Kind::Ranged, 0, 2, &Settings::LogoType),
      field("NonFirstRun", Kind::Flag, 0, 1, &Settings::NonFirstRun),
      field("PosMainX", Kind::Ranged, kPosMin, kPosMax, &Settings::PosMainX),
      field("PosMainY", Kind::Ranged, kPosMin, kPosMax, &Settings::PosMainY),
      field("ConfigLastTab", Kind::Ranged, 0, 3, &Settings::ConfigLastTab),
      field("Priority", Kind::Ranged, 1, 4, &Settings::Priority),
      field("AutoRun", Kind::Flag, 0, 1, &Settings::AutoRun),
      field("MeON", Kind::Flag, 0, 1, &Settings::MeON),
      field("CplON", Kind::Flag, 0, 1, &Settings::CplON),
      field("AutoMeON", Kind::Flag, 0, 1, &Settings::AutoMeON),
      field("AutoCplON", Kind::Flag, 0, 1, &Settings::AutoCplON),
      field("LastCplON", Kind::Flag, 0, 1, &Settings::LastCplON),
      field("SaveCplON", Kind::Flag, 0, 1, &Settings::SaveCplON),
      field("SmoothBuf", Kind::Flag, 0, 1, &Settings::SmoothBuf),
      field("AutoClose", Kind::Flag, 0, 1, &Settings::AutoClose),
      field("AutoCloseEnsure", Kind::Flag, 0, 1, &Settings::AutoCloseEnsure),
      field("Duplex", Kind::Ranged, 0, 2, &Settings::Duplex),
      field("BufSize", Kind::Ranged, 0, 6, &Settings::BufSize),
      field("LockPorts", Kind::Flag, 0, 1, &Settings::LockPorts),
      field("UpdateRate", Kind::Ranged, 1, 10, &Settings::UpdateRate),
      field("FlushingBUF", Kind::Flag, 0, 1, &Settings::FlushingBUF),
      field("ResetCounters", Kind::Flag, 0, 1, &Settings::ResetCounters),
      field("AutoStart", Kind::Flag, 0, 1, &Settings::AutoStart),
      field("AutoStartTime", Kind::Ranged, 1, 12, &Settings::AutoStartTime),
  };
}

// Values 25 to 36: the six values of port 1, then of port 2.
std::vector<ValueDef> portValues() {
  std::vector<ValueDef> values;
  for (int n = 1; n <= 2; ++n) {
    values.push_back(portField(n, "Port", Kind::Ranged, 0, 15, &PortSettings::Port));
    values.push_back(portField(n, "Speed", Kind::Ranged, 0, 13, &PortSettings::Speed));
    values.push_back(portField(n, "DataBits", Kind::Ranged, 0, 4, &PortSettings::DataBits));
    values.push_back(portField(n, "StopBits", Kind::Ranged, 0, 2, &PortSettings::StopBits));
    values.push_back(portField(n, "HandShake", Kind::Ranged, 0, 1, &PortSettings::HandShake));
    values.push_back(portField(n, "TrapDTR", Kind::Flag, 0, 1, &PortSettings::TrapDTR));
  }
  return values;
}

// Values 38 to 40 (37, HWUse, has a load rule of its own).
std::vector<ValueDef> adapterValues() {
  return {
      field("HWMode", Kind::Ranged, 0, 2, &Settings::HWMode),
      field("HWPortSel", Kind::Ranged, 1, 4, &Settings::HWPortSel),
      field("HWPortOverride", Kind::Ranged, 256, 1023, &Settings::HWPortOverride),
  };
}

}  // namespace

void basRegMIRVO::fail() {
  p_.registry.markFatal();
  p_.ui.op.MsgBox({texts::NoRegistryAccess, MsgButtons::OK, MsgIcon::Critical, ""});
  p_.platform.process.end(1);
}

void basRegMIRVO::LoadSettings() {
  mdlRegistry& reg = p_.registry;
  if (!reg.OpenKey(HKEY_LOCAL_MACHINE, SettingsPath, hKey_) &&
      !reg.CreateKey(HKEY_LOCAL_MACHINE, SettingsParent, SettingsName, hKey_)) {
    fail();
  }
  Settings& s = p_.settings;
  auto read = [&](const ValueDef& v) {
    v.set(s, reg.ReadSetting(hKey_, v.name, v.kind, v.min, v.max, v.def));
  };
  for (const ValueDef& v : generalValues()) read(v);
  for (const ValueDef& v : portValues()) read(v);
  const bool storedHWUse =
      reg.ReadSetting(hKey_, "HWUse", Kind::Flag, 0, 1, Settings{}.HWUse ? 1 : 0) == 1;
  s.HWUse = storedHWUse && s.Duplex != 2 && !p_.run.IsNT;
  for (const ValueDef& v : adapterValues()) read(v);
  reg.CloseKey(hKey_);
}

void basRegMIRVO::SaveSettings() {
  mdlRegistry& reg = p_.registry;
  if (!reg.OpenKey(HKEY_LOCAL_MACHINE, SettingsPath, hKey_)) fail();
  const Settings& s = p_.settings;
  for (const ValueDef& v : generalValues()) {
    int32_t value = v.get(s);
    if (v.name == "NonFirstRun") value = 1;
    if (v.name == "LastCplON") value = p_.ui.panel.isVisible() ? 1 : 0;
    reg.WriteDword(hKey_, v.name, value);
  }
  for (const ValueDef& v : portValues()) reg.WriteDword(hKey_, v.name, v.get(s));
  reg.WriteDword(hKey_, "HWUse", s.HWUse ? 1 : 0);
  for (const ValueDef& v : adapterValues()) reg.WriteDword(hKey_, v.name, v.get(s));
  reg.CloseKey(hKey_);

  if (!reg.OpenKey(HKEY_LOCAL_MACHINE, RunPath, hKey_)) fail();
  const std::string command = s.AutoRun ? AutoRunCommand() : std::string();
  reg.WriteString(hKey_, RunValue, command);
  reg.CloseKey(hKey_);
  // The desktop session starts what its autostart folder names; a failure there is no
  // registry failure and changes nothing of the above.
  p_.platform.autostart.writeEntry(AutoRunCommand(), s.AutoRun);
}

std::string basRegMIRVO::AutoRunCommand() const {
  std::string path = p_.platform.system.executablePath();
  const size_t slash = path.rfind('/');
  std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash);
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  if (!folder.empty() && folder.back() == '/') folder.pop_back();
  return folder + "/" + name + " /a";
}

}  // namespace zelkora
