#pragma once
// Page 0 of the settings dialog, "Соединение": the parameters of both ports side by side,
// the port lock that keeps port 2's parameters equal to port 1's, and the buffer size.
//
// The window reports the operator's choice through the *_Click handlers; a choice runs
// its control's reaction even when it repeats the current item, as a click does. A change
// made by the code runs the reaction only when the selection really changes, so the
// cascades of the lock end once both columns agree.

#include <array>

#include "relay/ConfigPageContext.h"
#include "relay/DialogControls.h"

namespace zelkora {

struct Settings;

class ConnectionPage {
 public:
  static constexpr std::array<const char*, 6> RowLabels{
      "Порт:",          "Скорость (бит/с):",  "Биты данных:",
      "Стоповые биты:", "Контроль передачи:", "Контроль DSR/DTR:"};
  static constexpr const char* BufferLabel = "Буферы:";
  static constexpr const char* PortConflictWarning =
      "Внимание! У Вас конфликт Портов! Они не должны совпадать.";
  static constexpr const char* UnlockWarning = "Не рекомендуется отключать эту опцию !";

  explicit ConnectionPage(ConfigPageContext& context);

  // Control arrays: element 0 is port 1, element 1 port 2 (use at(n) with n = 1, 2).
  using PortPair = std::array<ComboBox, 2>;
  static size_t at(int n) { return static_cast<size_t>(n - 1); }

  // Column titles; the adapter page names them after the adapter choice.
  std::array<Label, 2> lblPort;
  PortPair cboPort, cboSpeed, cboBits, cboStop, cboHandShake, cboTrapDTR;
  CheckBox chkLock;
  ComboBox cboBuffer;

  // LockPorts, BufSize and both ports' fields into the controls, and back.
  void Load(const Settings& settings);
  void Store(Settings& settings) const;

  void cboPort_Click(int n, int index);
  void cboSpeed_Click(int n, int index);
  void cboBits_Click(int n, int index);
  void cboStop_Click(int n, int index);
  void cboHandShake_Click(int n, int index);
  void cboTrapDTR_Click(int n, int index);
  void chkLock_Click(bool checked);
  void cboBuffer_Click(int index);

  // Port 2's locked controls are disabled while the lock is ticked; once the dialog is on
  // screen they also take port 1's selections.
  void ApplyPortLock();
  // The reaction of either cboPort, also run whenever the dialog becomes active: the lock,
  // then the warning about equal port numbers.
  void PortReaction();
  // The buffer step for the larger of the two speed steps.
  static int SuggestedBuffer(int speedStep);

 private:
  enum class Row { Port, Speed, Bits, Stop, HandShake, TrapDTR };
  PortPair& row(Row r);
  void choose(Row r, int n, int index);
  void select(Row r, int n, int index);
  void react(Row r);

  ConfigPageContext& ctx_;
};

}  // namespace zelkora
