#include "relay/PortFaults.h"

#include "relay/AutoStartDialog.h"
#include "relay/Program.h"

namespace zelkora {

bool PortFaults::IsFatal(int commEvent) { return !MessageOf(commEvent).empty(); }

std::string PortFaults::MessageOf(int commEvent) {
  switch (commEvent) {
    case comm::comEventFrame: return "Произошла ошибка синхронизации !";
    case comm::comEventOverrun: return "Произошла перегрузка порта !";
    case comm::comEventRxOver: return "Произошло переполнение буфера приема !";
    case comm::comEventTxFull: return "Произошло переполнение буфера передачи !";
    case comm::comEventDCB: return "Ошибка при обмене DCB-блоками !";
    default: return {};
  }
}

void PortFaults::OnFault(int n, int commEvent) {
  RunState& r = p_.run;
  const std::string message = MessageOf(commEvent);
  r.FaultLatch = true;
  r.InEvent = false;
  const std::string title = "Фатальная ошибка порта " + p_.frmMain.lblCOM[PanelModel::at(n)] +
                            " ! Связь прервана!";
  r.LastFault = title + "\r" + message;
  p_.relay.cmdOFF_Click();
  // A drain that was started for closing has just ended the program.
  if (r.Closing) return;
  if (p_.settings.AutoStart) {
    AutoStartDialog dialog(p_);
    p_.ui.op.ShowModal(dialog);
    if (r.RestartRequested) {
      r.RestartRequested = false;
      // The tray may have closed the program while the dialog counted: nothing to restart.
      if (!r.Closing) p_.relay.cmdON_Click();
    }
  } else {
    p_.ui.op.MsgBox({message, MsgButtons::OK, MsgIcon::Critical, title});
  }
}

}  // namespace zelkora
