#pragma once
// The test implementations a Program needs besides its ports, loop and parallel port:
// the operator, the panel and tray, the small platform facilities and a registry in
// memory. Fixtures derive from it, so tests reach the fakes by their plain names.

#include "support/FakeClipboard.h"
#include "support/Fakes.h"
#include "support/MemoryRegistry.h"

namespace zelkora::test {

struct FakeDesk {
  ScriptedOperator op;
  FakePanel panel;
  FakeTray tray;
  FakeProcess process;
  FakeSystemInfo system;
  FakeInstanceGuard instance;
  FakeShell shell;
  FakeAutostart autostart;
  FakeClipboard clipboard;
  MemoryRegistry registry;
};

}  // namespace zelkora::test
