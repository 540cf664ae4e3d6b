#pragma once
// The volatile state of one run. Everything starts false, zero or empty.

#include <array>
#include <cstdint>
#include <string>

namespace zelkora {

enum class RelayState { Off, On, Paused, Draining };

struct RunState {
  bool AutoStartSwitch = false;
  bool IsNT = false;  // direct port access for the adapter cannot be offered
  bool Closing = false;
  bool RelayOn = false;
  bool Paused = false;
  bool Draining = false;
  bool FaultLatch = false;
  bool RestartRequested = false;
  bool InEvent = false;
  std::array<bool, 2> Pending{};
  std::array<double, 2> Transferred{};
  int32_t ConnectionSpeed = 0;
  std::string LastFault;
  int32_t AdapterBase = 0;
  bool AdapterBusy = false;

  // Advanced by every Disconnect. An operation that resumes after a nested event loop
  // compares it with the value it started with, to learn that the relay it was working
  // on has been switched off underneath it.
  uint64_t RelayEpoch = 0;

  bool& pending(int n) { return Pending[static_cast<size_t>(n - 1)]; }
  double& transferred(int n) { return Transferred[static_cast<size_t>(n - 1)]; }

  // The state the operator sees, in this order of precedence.
  RelayState state() const {
    if (!RelayOn) return RelayState::Off;
    if (Paused) return RelayState::Paused;
    if (Draining) return RelayState::Draining;
    return RelayState::On;
  }
};

}  // namespace zelkora
