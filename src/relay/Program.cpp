#include "relay/Program.h"

namespace zelkora {

Program::Program(PlatformServices platformServices, Frontend frontend)
    : platform(platformServices),
      ui(frontend),
      tmrBuffers(platform.loop.createTimer()),
      tmrFLUSH(platform.loop.createTimer()),
      tmrRing{platform.loop.createTimer(), platform.loop.createTimer()},
      registry(platform.registry, ui.op, platform.process),
      store(*this),
      process(platform.process),
      hardware(*this),
      params(*this),
      status(*this),
      relay(*this),
      pump(*this),
      lines(*this),
      faults(*this),
      panel(*this),
      tray(*this),
      life(*this) {
  tmrBuffers->setInterval(500);
  tmrBuffers->onTick = [this] { pump.tmrBuffers_Timer(); };
  tmrFLUSH->setInterval(25);
  tmrFLUSH->onTick = [this] { relay.tmrFLUSH_Timer(); };
  for (int n = 1; n <= 2; ++n) {
    ring(n).setInterval(250);
    ring(n).Tag = "Stop";
    ring(n).onTick = [this, n] { lines.tmrRing_Timer(n); };
  }
  platform.com1.OnComm = [this] { pump.COM_OnComm(1); };
  platform.com2.OnComm = [this] { pump.COM_OnComm(2); };
}

}  // namespace zelkora
