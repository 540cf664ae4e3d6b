#include "support/OfflineProgram.h"

namespace zelkora::test {

OfflineProgram::OfflineProgram()
    : program(std::make_unique<Program>(
          PlatformServices{registry, loop, com1, com2, io, process, system, instance, shell,
                           autostart, clipboard},
          Frontend{op, panel, tray, [this] { return adapterDescription; }})) {}

}  // namespace zelkora::test
