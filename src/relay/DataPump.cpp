#include "relay/DataPump.h"

#include "relay/Program.h"

namespace zelkora {

bool DataPump::relays(int n) const {
  return p_.settings.Duplex == 0 || p_.settings.Duplex == n;
}

void DataPump::COM_OnComm(int n) {
  RunState& r = p_.run;
  if (r.FaultLatch) return;
  CommPort& port = p_.COM(n);
  // An event still on its way when the port closed belongs to a relay that is gone.
  if (!port.PortOpen()) return;
  r.InEvent = true;
  const int event = port.CommEvent();
  switch (event) {
    case comm::comEvReceive: Receive(n); break;
    case comm::comEvSend: Send(n); break;
    case comm::comEvCTS:
    case comm::comEvDSR:
    case comm::comEvCD:
    case comm::comEvRing: p_.lines.OnLineEvent(n, event); break;
    case comm::comEventFrame:
    case comm::comEventOverrun:
    case comm::comEventRxOver:
    case comm::comEventTxFull:
    case comm::comEventDCB: p_.faults.OnFault(n, event); return;  // clears InEvent itself
    default: break;
  }
  r.InEvent = false;
}

void DataPump::Receive(int n) {
  RunState& r = p_.run;
  if (!relays(n) || r.Draining || !r.RelayOn) return;
  r.pending(n) = true;
  CommPort& source = p_.COM(n);
  CommPort& destination = p_.COM(3 - n);
  const auto room =
      static_cast<int16_t>(destination.OutBufferSize() - destination.OutBufferCount());
  if (room < source.InBufferCount()) return;
  const std::vector<uint8_t> block = source.Input();
  source.setInBufferCount(0);
  destination.Output(block);
  r.pending(n) = false;
  r.transferred(n) += static_cast<double>(block.size());
  p_.status.RefreshCounters(false);
}

void DataPump::Send(int n) {
  RunState& r = p_.run;
  const int other = 3 - n;
  if (!r.pending(other) || !relays(other) || !r.RelayOn) return;
  CommPort& source = p_.COM(other);
  const std::vector<uint8_t> block = source.Input();
  source.setInBufferCount(0);
  p_.COM(n).Output(block);
  r.pending(other) = false;
  r.transferred(other) += static_cast<double>(block.size());
  p_.status.RefreshCounters(false);
}

void DataPump::tmrBuffers_Timer() {
  if (!p_.run.InEvent) p_.status.RefreshCounters(true);
}

}  // namespace zelkora
