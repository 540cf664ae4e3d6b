#include "relay/ConnectionPage.h"

#include <algorithm>
#include <cstdint>

#include "relay/Settings.h"

namespace zelkora {

namespace {

ComboBox list(std::vector<std::string> items) {
  ComboBox box;
  box.items = std::move(items);
  return box;
}

const ComboBox kPorts =
    list({"COM1 (стд.)", "COM2 (стд.)", "COM3 (стд.)", "COM4 (стд.)", "COM5", "COM6", "COM7",
          "COM8", "COM9", "COM10", "COM11", "COM12", "COM13", "COM14", "COM15", "COM16"});
const ComboBox kSpeeds = list({"110 (стд.)", "300 (стд.)", "600", "1200 (стд.)", "2400 (стд.)",
                               "4800", "9600 (стд.)", "14400", "19200 (стд.)", "28800",
                               "38400 (стд.)", "56000", "57600 (стд.)", "115200 (стд.)"});
const ComboBox kBits = list({"4", "5", "6", "7", "8 (стд.)"});
const ComboBox kStops = list({"1 (стд.)", "1,5", "2"});
const ComboBox kHandShakes = list({"S/W (Xon/Xoff)", "H/W (CTS/RTS)"});
const ComboBox kTrapDTR = list({"Нет, DTR-Выкл", "Есть (стд.)"});
// The blanks align the columns in the list.
const ComboBox kBuffers = list({
    "Прием-0,5 Кб   Передача-1 Кб     ( 110 - 600 )",
    "Прием-1 Кб      Передача-2 Кб     ( 1200 - 2400 )",
    "Прием-2 Кб      Передача-4 Кб     ( 4800 - 9600 )",
    "Прием-4 Кб      Передача-8 Кб     ( 14400 - 19200 )",
    "Прием-8 Кб      Передача-16 Кб   ( 28800 - 38400 )",
    "Прием-12 Кб    Передача-24 Кб   ( 56000 - 57600 )",
    "Прием-16 Кб    Передача-32 Кб   ( Только 115200 )",
});

// Buffer step by speed step: the buffer grows with the speed it has to absorb.
constexpr std::array<int, 14> kBufferForSpeed{0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6};

}  // namespace

ConnectionPage::ConnectionPage(ConfigPageContext& context)
    : lblPort{Label{"Первый", true, 0}, Label{"Второй", true, 14}},
      cboPort{kPorts, kPorts},
      cboSpeed{kSpeeds, kSpeeds},
      cboBits{kBits, kBits},
      cboStop{kStops, kStops},
      cboHandShake{kHandShakes, kHandShakes},
      cboTrapDTR{kTrapDTR, kTrapDTR},
      chkLock{"Одинаковые параметры портов (рекомендуется)"},
      cboBuffer(kBuffers),
      ctx_(context) {}

int ConnectionPage::SuggestedBuffer(int speedStep) {
  return kBufferForSpeed[static_cast<size_t>(std::clamp(speedStep, 0, 13))];
}

ConnectionPage::PortPair& ConnectionPage::row(Row r) {
  switch (r) {
    case Row::Port:
      return cboPort;
    case Row::Speed:
      return cboSpeed;
    case Row::Bits:
      return cboBits;
    case Row::Stop:
      return cboStop;
    case Row::HandShake:
      return cboHandShake;
    case Row::TrapDTR:
      break;
  }
  return cboTrapDTR;
}

void ConnectionPage::Load(const Settings& s) {
  if (chkLock.checked != s.LockPorts) chkLock_Click(s.LockPorts);
  cboBuffer.index = s.BufSize;
  for (int n = 1; n <= 2; ++n) {
    const PortSettings& ps = s.port(n);
    select(Row::Port, n, ps.Port);
    select(Row::Speed, n, ps.Speed);
    select(Row::Bits, n, ps.DataBits);
    select(Row::Stop, n, ps.StopBits);
    select(Row::HandShake, n, ps.HandShake);
    select(Row::TrapDTR, n, ps.TrapDTR ? 1 : 0);
  }
}

void ConnectionPage::Store(Settings& s) const {
  s.LockPorts = chkLock.checked;
  s.BufSize = cboBuffer.selection();
  for (int n = 1; n <= 2; ++n) {
    PortSettings& ps = s.port(n);
    const size_t i = at(n);
    ps.Port = cboPort[i].selection();
    ps.Speed = cboSpeed[i].selection();
    ps.DataBits = cboBits[i].selection();
    ps.StopBits = cboStop[i].selection();
    ps.HandShake = cboHandShake[i].selection();
    ps.TrapDTR = cboTrapDTR[i].index != 0;
  }
}

void ConnectionPage::choose(Row r, int n, int index) {
  if (n < 1 || n > 2) return;
  ComboBox& box = row(r)[at(n)];
  if (!box.has(index)) return;
  box.index = index;
  react(r);
  ctx_.changed();
}

void ConnectionPage::select(Row r, int n, int index) {
  ComboBox& box = row(r)[at(n)];
  if (box.index == index) return;
  box.index = index;
  react(r);
}

void ConnectionPage::react(Row r) {
  switch (r) {
    case Row::Port:
      PortReaction();
      return;
    case Row::Speed:
      if (ctx_.visible) {
        cboBuffer.index = SuggestedBuffer(std::max(cboSpeed[0].index, cboSpeed[1].index));
      }
      ApplyPortLock();
      return;
    case Row::Bits:
    case Row::Stop:
    case Row::HandShake:
    case Row::TrapDTR:
      ApplyPortLock();
      return;
  }
}

void ConnectionPage::cboPort_Click(int n, int index) {
  choose(Row::Port, n, index);
}
void ConnectionPage::cboSpeed_Click(int n, int index) {
  choose(Row::Speed, n, index);
}
void ConnectionPage::cboBits_Click(int n, int index) {
  choose(Row::Bits, n, index);
}
void ConnectionPage::cboStop_Click(int n, int index) {
  choose(Row::Stop, n, index);
}
void ConnectionPage::cboHandShake_Click(int n, int index) {
  choose(Row::HandShake, n, index);
}
void ConnectionPage::cboTrapDTR_Click(int n, int index) {
  choose(Row::TrapDTR, n, index);
}

void ConnectionPage::cboBuffer_Click(int index) {
  ctx_.pick(cboBuffer, index);
}

void ConnectionPage::chkLock_Click(bool checked) {
  chkLock.checked = checked;
  ApplyPortLock();
  if (!chkLock.checked && ctx_.visible) ctx_.warn(UnlockWarning);
  ctx_.changed();
}

void ConnectionPage::ApplyPortLock() {
  static constexpr std::array<Row, 5> kLocked{Row::Speed, Row::Bits, Row::Stop, Row::HandShake,
                                              Row::TrapDTR};
  const bool locked = chkLock.checked;
  for (Row r : kLocked) row(r)[1].enabled = !locked;
  if (!locked || !ctx_.visible) return;
  for (Row r : kLocked) select(r, 2, row(r)[0].index);
}

void ConnectionPage::PortReaction() {
  ApplyPortLock();
  if (ctx_.visible && cboPort[0].index == cboPort[1].index) ctx_.warn(PortConflictWarning);
}

}  // namespace zelkora
