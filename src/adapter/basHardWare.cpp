#include "adapter/basHardWare.h"

#include "adapter/mdlBiT_IO.h"
#include "relay/Program.h"

namespace zelkora {

void basHardWare::SetAdapterBase() {
  switch (p_.settings.HWPortSel) {
    case 1: p_.run.AdapterBase = 0x378; break;
    case 2: p_.run.AdapterBase = 0x278; break;
    case 3: p_.run.AdapterBase = 0x3BC; break;
    case 4: p_.run.AdapterBase = p_.settings.HWPortOverride; break;
    default: break;
  }
}

void basHardWare::SetAdapterLine(AdapterLine line, bool state) {
  SetAdapterLine(static_cast<int>(line), state);
}

void basHardWare::SetAdapterLine(int line, bool state) {
  IoPorts& io = p_.platform.io;
  const int base = p_.run.AdapterBase;
  auto v = static_cast<uint8_t>(io.agInp(base));
  switch (line) {
    case 1:
      mdlBiT_IO::SetBit(v, 4, state);
      mdlBiT_IO::SetBit(v, 5, state);
      mdlBiT_IO::SetBit(v, 7, state);
      break;
    case 2:
      mdlBiT_IO::SetBit(v, 6, state);
      mdlBiT_IO::SetBit(v, 8, state);
      break;
    case 3: mdlBiT_IO::SetBit(v, 2, state); break;
    default: break;
  }
  io.agOutp(base, v);
}

void basHardWare::ResetAdapter() {
  if (!p_.settings.HWUse) return;
  p_.run.AdapterBusy = false;
  p_.platform.io.agOutp(p_.run.AdapterBase, 0x00);
}

AdapterResult basHardWare::InitAdapter() {
  // Detection is built with the adapter; until then the adapter counts as ready.
  return AdapterResult::AdapterReady;
}

}  // namespace zelkora
