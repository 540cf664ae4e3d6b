#pragma once
// A Program over test implementations of every interface, for tests of its windows and
// commands: the operator answers from a script, virtual time, ports that never receive.

#include <memory>

#include "relay/Program.h"
#include "support/FakeDesk.h"
#include "support/SimLoop.h"
#include "support/Stubs.h"

namespace zelkora::test {

struct OfflineProgram : FakeDesk {
  OfflineProgram();

  sim::SimLoop loop;
  StubCommPort com1, com2;
  StubIoPorts io;
  // Served to the settings dialog as the adapter description resource.
  std::string adapterDescription;
  std::unique_ptr<Program> program;

  Program& operator*() { return *program; }
  Program* operator->() { return program.get(); }
};

}  // namespace zelkora::test
