#include "adapter/basHardWare.h"

#include "adapter/mdlBiT_IO.h"
#include "relay/Program.h"

namespace zelkora {

namespace {

constexpr const char* kDetectionTitle = "Инициализация Korvane™ 'a";

std::string NotFoundText() {
  return "Не удалось обнаружить Korvane™ ! Проверьте, совпадают ли ревизии в программе и в "
         "Korvane™'e, правильно ли указан LPT-порт и правильно ли к нему подключен Korvane™."
         "\r\rСейчас нажмите:\r\r"
         "Стоп -   для разрыва связи\r"
         "Повтор  -  для повторного поиска Korvane™ 'a\r"
         "Пропустить  -  для продолжения с отказом от Korvane™ 'a";
}

std::string NotConnectedText(const std::string& portName) {
  return "Korvane™ не подключен к последовательному порту  " + portName + "  !!" +
         "\r\rСейчас нажмите:\r\r"
         "Стоп  -   для разрыва связи\r"
         "Повтор  -  для повторной проверки\r"
         "Пропустить  -  для продолжения с отказом от Korvane™ 'a";
}

}  // namespace

void basHardWare::SetAdapterBase() {
  switch (p_.settings.HWPortSel) {
    case 1:
      p_.run.AdapterBase = 0x378;
      break;
    case 2:
      p_.run.AdapterBase = 0x278;
      break;
    case 3:
      p_.run.AdapterBase = 0x3BC;
      break;
    case 4:
      p_.run.AdapterBase = p_.settings.HWPortOverride;
      break;
    default:
      break;
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
    case 3:
      mdlBiT_IO::SetBit(v, 2, state);
      break;
    default:
      break;
  }
  io.agOutp(base, v);
}

void basHardWare::ResetAdapter() {
  if (p_.settings.HWUse) {
    p_.run.AdapterBusy = false;
    p_.platform.io.agOutp(p_.run.AdapterBase, 0x00);
  }
  p_.platform.io.release();
}

bool basHardWare::Interrupted(uint64_t epoch) const {
  return p_.run.RelayEpoch != epoch || p_.run.FaultLatch;
}

bool basHardWare::Pause(uint64_t epoch) {
  // The loop passes let port events and timers through while the adapter's outputs
  // settle (microseconds). A pass with nothing pending returns at once; the time bound
  // only ends early a pause whose passes are slow (the events of a busy relay), long
  // after the outputs have settled.
  EventLoop& loop = p_.platform.loop;
  const int64_t start = loop.nowMs();
  for (int pass = 0; pass < kPauseYields; ++pass) {
    loop.yield();
    if (Interrupted(epoch)) return false;
    if (loop.nowMs() - start >= kPauseLimitMs) break;
  }
  return true;
}

bool basHardWare::ProbeStep(int step, std::initializer_list<int> bits, uint64_t epoch,
                            bool& newState) {
  IoPorts& io = p_.platform.io;
  const int base = p_.run.AdapterBase;
  auto v = static_cast<uint8_t>(io.agInp(base));
  const int probeBit = *bits.begin();
  newState = !mdlBiT_IO::TestBit(v, probeBit);
  for (int bit : bits) mdlBiT_IO::ToggleBit(v, bit);
  if (step % 2 == 0) mdlBiT_IO::ToggleBit(v, 1);
  io.agOutp(base, v);
  return Pause(epoch);
}

basHardWare::Probe basHardWare::RunProbe(uint64_t epoch) {
  IoPorts& io = p_.platform.io;
  const int base = p_.run.AdapterBase;
  // Presence: the adapter loops data bit 3 back to status bit 7.
  for (int step = 1; step <= 8; ++step) {
    bool expected = false;
    if (!ProbeStep(step, {3}, epoch, expected)) return Probe::Interrupted;
    const auto status = static_cast<uint8_t>(io.agInp(base + 1));
    if (mdlBiT_IO::TestBit(status, 7) != expected) return Probe::NotFound;
  }
  io.agOutp(base, 0x00);
  // Cable: bits 5 and 7 together must reach port 2's carrier-detect input.
  for (int step = 1; step <= 8; ++step) {
    bool expected = false;
    if (!ProbeStep(step, {5, 7}, epoch, expected)) return Probe::Interrupted;
    if (p_.COM(2).CDHolding() != expected) return Probe::NotConnected;
  }
  return Probe::Passed;
}

std::string basHardWare::FailureText(Probe failure) const {
  if (failure == Probe::NotFound) return NotFoundText();
  return NotConnectedText(p_.frmMain.lblCOM[PanelModel::at(2)]);
}

AdapterResult basHardWare::Abandon(uint64_t epoch) {
  RunState& r = p_.run;
  if (r.RelayEpoch == epoch) {
    // A fault is latched but its handling has not closed the relay yet: the outputs go
    // low, and AdapterBusy stays set until the caller's Disconnect resets the adapter.
    p_.platform.io.agOutp(r.AdapterBase, 0x00);
  } else {
    // The relay is closed and its Disconnect has reset the adapter; only the flag is ours.
    r.AdapterBusy = false;
  }
  return AdapterResult::AdapterStopped;
}

AdapterResult basHardWare::InitAdapter() {
  RunState& r = p_.run;
  IoPorts& io = p_.platform.io;
  // The relay this detection works for. A fault handled inside a pause or inside the
  // question switches it off (and may even switch a new one on); from then on nothing of
  // this detection may touch the register, which now belongs to whatever came after.
  const uint64_t epoch = r.RelayEpoch;
  for (;;) {
    ResetAdapter();
    r.AdapterBusy = true;
    const Probe probe = RunProbe(epoch);
    if (probe == Probe::Interrupted) return Abandon(epoch);
    if (probe == Probe::Passed) {
      io.agOutp(r.AdapterBase, 0x01);
      r.AdapterBusy = false;
      // Carrier changes of port 1 were dropped while the probe ran, and a carrier that was
      // up before the relay came on raised no event at all: port 2 gets the present state.
      if (p_.settings.adapterCarriesDCD() && p_.COM(1).CDHolding()) {
        SetAdapterLine(AdapterLine::DCD, true);
      }
      return AdapterResult::AdapterReady;
    }
    io.agOutp(r.AdapterBase, 0x00);
    if (r.FaultLatch) return AdapterResult::AdapterStopped;
    const MsgAnswer answer = p_.ui.op.MsgBox(
        {FailureText(probe), MsgButtons::AbortRetryIgnore, MsgIcon::Critical, kDetectionTitle, 2});
    if (Interrupted(epoch)) return Abandon(epoch);
    switch (answer) {
      case MsgAnswer::Retry:
        continue;
      case MsgAnswer::Ignore:
        p_.settings.HWUse = false;
        p_.params.ApplySettings();
        ResetAdapter();
        r.AdapterBusy = false;
        return AdapterResult::AdapterSkipped;
      default:
        ResetAdapter();
        r.AdapterBusy = false;
        return AdapterResult::AdapterStopped;
    }
  }
}

}  // namespace zelkora
