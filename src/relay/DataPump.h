#pragma once
// The port event handler: its common entry, the data branch that moves every received
// block to the other port, and the gauge tick.

namespace zelkora {

class Program;

class DataPump {
 public:
  explicit DataPump(Program& program) : p_(program) {}

  // OnComm of port n (1 or 2).
  void COM_OnComm(int n);
  void tmrBuffers_Timer();

 private:
  bool relays(int n) const;  // whether data received on port n is relayed at all
  void Receive(int n);
  void Send(int n);
  Program& p_;
};

}  // namespace zelkora
