#pragma once
// The one program context: the records, the two ports, the panel's timers, the platform
// and the operator interface, and the modules that act on them. main() creates one; tests
// create a fresh one per case with test implementations behind every interface.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "adapter/basHardWare.h"
#include "platform/Clipboard.h"
#include "platform/CommPort.h"
#include "platform/DesktopAutostart.h"
#include "platform/EventLoop.h"
#include "platform/InstanceGuard.h"
#include "platform/IoPorts.h"
#include "platform/ProcessControl.h"
#include "platform/Registry.h"
#include "platform/Shell.h"
#include "platform/SystemInfo.h"
#include "relay/DataPump.h"
#include "relay/ModemLines.h"
#include "relay/Operator.h"
#include "relay/Panel.h"
#include "relay/PanelCommands.h"
#include "relay/PanelModel.h"
#include "relay/PortFaults.h"
#include "relay/PortParameters.h"
#include "relay/RelayControl.h"
#include "relay/RunState.h"
#include "relay/Settings.h"
#include "relay/StartupShutdown.h"
#include "relay/StatusDisplay.h"
#include "relay/TrayMenu.h"
#include "store/basRegMIRVO.h"
#include "store/mdlProcess.h"
#include "store/mdlRegistry.h"

namespace zelkora {

struct PlatformServices {
  Registry& registry;
  EventLoop& loop;
  CommPort& com1;
  CommPort& com2;
  IoPorts& io;
  ProcessControl& process;
  SystemInfo& system;
  InstanceGuard& instance;
  Shell& shell;
  DesktopAutostart& autostart;
  Clipboard& clipboard;
};

struct Frontend {
  Operator& op;
  Panel& panel;
  TrayIcon& tray;
  // The raw bytes of the adapter description (Windows-1251, CR LF), from the program's
  // resources; none when it is left empty.
  std::function<std::string()> adapterDescription = {};
};

class Program {
 public:
  Program(PlatformServices platform, Frontend frontend);
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  PlatformServices platform;
  Frontend ui;

  Settings settings;
  RunState run;

  // State of the control panel window.
  PanelModel frmMain;
  bool TrayReady = false;
  bool VersionShown = false;
  std::array<int32_t, 2> RingTicks{};

  // Timers of the control panel window.
  std::unique_ptr<Timer> tmrBuffers;
  std::unique_ptr<Timer> tmrFLUSH;
  std::array<std::unique_ptr<Timer>, 2> tmrRing;

  CommPort& COM(int n) { return n == 1 ? platform.com1 : platform.com2; }
  Timer& ring(int n) { return *tmrRing[static_cast<size_t>(n - 1)]; }
  int32_t& ringTicks(int n) { return RingTicks[static_cast<size_t>(n - 1)]; }

  // Modules.
  mdlRegistry registry;
  basRegMIRVO store;
  mdlProcess process;
  basHardWare hardware;
  PortParameters params;
  StatusDisplay status;
  RelayControl relay;
  DataPump pump;
  ModemLines lines;
  PortFaults faults;
  PanelCommands panel;
  TrayMenu tray;
  StartupShutdown life;
};

}  // namespace zelkora
