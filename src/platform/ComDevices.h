#pragma once
// Which device stands for a serial port COMn of the program.

#include <string>

#include "platform/Registry.h"

namespace zelkora {

// The text value "COMn" (REG_SZ) under HKEY_LOCAL_MACHINE\SOFTWARE\Devodovazar\Zelkora\Ports
// when it is there and not empty, else /dev/ttyS(n-1). Every handle it opens is closed.
std::string ComDevicePath(Registry& registry, int comNumber);

}  // namespace zelkora
