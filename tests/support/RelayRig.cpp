#include "support/RelayRig.h"

#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <stdexcept>
#include <thread>

namespace zelkora::test {

namespace {

using Clock = std::chrono::steady_clock;

std::string Dword(const char* name, int value) {
  char line[64];
  std::snprintf(line, sizeof line, "\"%s\"=dword:%08x\n", name, static_cast<unsigned>(value));
  return line;
}

// Waits until `fd` is readable or `until` passes.
bool Readable(int fd, Clock::time_point until) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now());
  pollfd p{fd, POLLIN, 0};
  return ::poll(&p, 1, static_cast<int>(std::max<int64_t>(left.count(), 0))) > 0;
}

// The program sets its device raw when it opens it; a master reads its slave's modes.
// Until then the slave would echo and collect lines.
bool SlaveIsRaw(int master) {
  termios t{};
  return ::tcgetattr(master, &t) == 0 && (t.c_lflag & (ICANON | ECHO)) == 0;
}

}  // namespace

RelayRig::RelayRig(const std::string& executable, const RelayOptions& options)
    : options_(options),
      far_{std::make_unique<PtyPair>(), std::make_unique<PtyPair>()},
      program_(executable, home_) {
  pointLink(1);
  pointLink(2);
  WriteFile(program_.registryPath(), SettingsText(options_, linkPath(1), linkPath(2)));
}

std::string RelayRig::SettingsText(const RelayOptions& options, const std::string& port1Device,
                                   const std::string& port2Device) {
  std::string text = "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Devodovazar\\Zelkora]\n";
  text += Dword("LogoType", 0);
  text += Dword("NonFirstRun", 1);
  text += Dword("MeON", 1);
  text += Dword("Duplex", options.duplex);
  text += Dword("BufSize", options.bufSize);
  text += Dword("AutoStart", options.autoStart ? 1 : 0);
  text += Dword("AutoStartTime", options.autoStartTime);
  // Port 1 is COM2, port 2 is COM3. 115200 bit/s means nothing to a pseudo-terminal; the
  // flow control does: XON/XOFF would take 0x11 and 0x13 out of the data, while RTS/CTS
  // has no lines to act on there and lets every byte through.
  for (const char* port : {"COM1", "COM2"}) {
    const std::string prefix = port;
    text += Dword((prefix + "-Port").c_str(), prefix == "COM1" ? 1 : 2);
    text += Dword((prefix + "-Speed").c_str(), 13);
    text += Dword((prefix + "-HandShake").c_str(), 1);
  }
  text += "\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Devodovazar\\Zelkora\\Ports]\n";
  text += "\"COM2\"=\"" + port1Device + "\"\n";
  text += "\"COM3\"=\"" + port2Device + "\"\n";
  return text;
}

std::string RelayRig::linkPath(int n) const {
  return home_.file("port" + std::to_string(n));
}

// Replaces the link in one step, so the program never finds it missing.
void RelayRig::pointLink(int n) {
  const std::string link = linkPath(n);
  const std::string fresh = link + ".new";
  ::unlink(fresh.c_str());
  if (::symlink(farEnd(n).slavePath().c_str(), fresh.c_str()) != 0 ||
      ::rename(fresh.c_str(), link.c_str()) != 0) {
    throw std::runtime_error("cannot link " + link);
  }
}

void RelayRig::replaceFarEnd(int n) {
  far_[static_cast<size_t>(n - 1)] = std::make_unique<PtyPair>();
  pointLink(n);
}

bool RelayRig::waitUntilRelaying(int from, std::chrono::milliseconds timeout) {
  const auto until = Clock::now() + timeout;
  PtyPair& source = farEnd(from);
  PtyPair& sink = farEnd(3 - from);
  if (!WaitFor([&] { return SlaveIsRaw(source.master()); }, timeout)) return false;
  size_t sent = 0;
  size_t received = 0;
  while (received == 0) {
    if (Clock::now() > until) return false;
    const uint8_t probe = static_cast<uint8_t>(sent);
    sent += source.write(&probe, 1);
    const auto next = std::min(until, Clock::now() + std::chrono::milliseconds(50));
    while (Readable(sink.master(), next)) received += sink.readAvailable().size();
  }
  while (received < sent && Readable(sink.master(), until)) {
    received += sink.readAvailable().size();
  }
  return received == sent;
}

bool RelayRig::waitForHangUp(int n, std::chrono::milliseconds timeout) {
  const auto until = Clock::now() + timeout;
  const int master = farEnd(n).master();
  uint8_t scrap[4096];
  while (Readable(master, until)) {
    if (::read(master, scrap, sizeof scrap) < 0 && errno == EIO) return true;
  }
  return false;
}

std::vector<uint8_t> RelayRig::collect(int n, std::chrono::milliseconds quiet) {
  std::vector<uint8_t> bytes;
  const auto until = Clock::now() + quiet;
  while (Readable(farEnd(n).master(), until)) {
    const std::vector<uint8_t> got = farEnd(n).readAvailable();
    if (got.empty()) break;
    bytes.insert(bytes.end(), got.begin(), got.end());
  }
  return bytes;
}

}  // namespace zelkora::test
