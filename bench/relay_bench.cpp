// Benchmark: the built program relaying between two pseudo-terminal cables, side by side
// with socat relaying the same kind of cables in the same run, at the buffer steps given.
//
//   relay_bench <path of zelkora> [--megabytes N] [--rounds N] [--steps 2,6] [--repeat N]
//               [--priority 1..4]
//
// For each relay: throughput one way and both ways at once (every byte checked), the
// round trip of one byte (port 1's far end -> port 2's far end -> back), CPU seconds per
// 100 MB relayed (from /proc/<pid>/stat over the throughput runs) and peak memory (VmHWM).
// Each figure is the median of the repeated runs, the two relays taking turns, so that
// other load on the machine weighs on both alike. Both run in the same scheduling class:
// the program's setting Priority (3, high, by default) and socat put into the class that
// setting stands for.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "platform/linux/LinuxProcessControl.h"
#include "store/mdlProcess.h"

namespace zelkora::bench {
namespace {

using Clock = std::chrono::steady_clock;
constexpr double kMB = 1024.0 * 1024.0;

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "relay_bench: %s\n", what.c_str());
  std::exit(1);
}

// The far end of a cable: a pseudo-terminal master; the relay opens the slave.
class FarEnd {
 public:
  FarEnd() {
    fd_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    char name[128];
    if (fd_ < 0 || ::grantpt(fd_) != 0 || ::unlockpt(fd_) != 0 ||
        ::ptsname_r(fd_, name, sizeof name) != 0) {
      Fail("no pseudo-terminal");
    }
    slave_ = name;
  }
  ~FarEnd() { ::close(fd_); }
  FarEnd(const FarEnd&) = delete;
  FarEnd& operator=(const FarEnd&) = delete;
  int fd() const { return fd_; }
  const std::string& slave() const { return slave_; }
  // A master reads its slave's modes: raw once the relay has opened and set it up.
  bool slaveRaw() const {
    termios t{};
    return ::tcgetattr(fd_, &t) == 0 && (t.c_lflag & (ICANON | ECHO)) == 0;
  }

 private:
  int fd_ = -1;
  std::string slave_;
};

bool Wait(int fd, short events, Clock::time_point until) {
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now());
    if (left.count() < 0) return false;
    pollfd p{fd, events, 0};
    const int r = ::poll(&p, 1, static_cast<int>(std::min<int64_t>(left.count(), 100)));
    if (r > 0) return true;
    if (r < 0 && errno != EINTR) return false;
  }
}

// A relay under test as a child process: its environment is this one's with `env` on top,
// its error output goes nowhere, and it starts in the scheduling class `priority` (as the
// program's setting Priority numbers them). Ended with SIGTERM (then SIGKILL) when it goes.
class Child {
 public:
  Child(std::vector<std::string> args, const std::map<std::string, std::string>& env,
        int priority) {
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_ = ::fork();
    if (pid_ < 0) Fail("cannot fork");
    if (pid_ == 0) {
      for (const auto& [name, value] : env) ::setenv(name.c_str(), value.c_str(), 1);
      LinuxProcessControl().setPriorityClass(mdlProcess::ClassOf(static_cast<uint8_t>(priority)));
      const int null = ::open("/dev/null", O_WRONLY);
      if (null >= 0) ::dup2(null, 2);
      ::execvp(argv[0], argv.data());
      ::_exit(127);
    }
  }
  ~Child() {
    ::kill(pid_, SIGTERM);
    const auto until = Clock::now() + std::chrono::seconds(10);
    int status = 0;
    while (::waitpid(pid_, &status, WNOHANG) == 0) {
      if (Clock::now() > until) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, &status, 0);
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  }
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;

  // User and system time so far, in seconds.
  double cpuSeconds() const {
    std::ifstream in("/proc/" + std::to_string(pid_) + "/stat");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    unsigned long long utime = 0, stime = 0;
    for (int i = 3; fields >> field; ++i) {
      if (i == 14) utime = std::stoull(field);
      if (i == 15) {
        stime = std::stoull(field);
        break;
      }
    }
    return static_cast<double>(utime + stime) / static_cast<double>(::sysconf(_SC_CLK_TCK));
  }
  // Peak resident memory in MB.
  double peakMemoryMB() const { return status("VmHWM:") / 1024.0; }
  // How often it has gone to sleep and been woken since it started.
  double wakeUps() const { return status("voluntary_ctxt_switches:"); }

 private:
  double status(const std::string& field) const {
    std::ifstream in("/proc/" + std::to_string(pid_) + "/status");
    std::string line;
    while (std::getline(in, line)) {
      if (line.rfind(field, 0) == 0) return std::stod(line.substr(field.size()));
    }
    return 0;
  }

  pid_t pid_ = -1;
};

std::vector<uint8_t> RandomBytes(size_t n, uint32_t seed) {
  std::mt19937 random(seed);
  std::vector<uint8_t> v(n);
  for (uint8_t& b : v) b = static_cast<uint8_t>(random() >> 24);
  return v;
}

// One direction of a transfer: a writer and a checking reader on threads of their own.
struct Stream {
  int from;
  int to;
  std::vector<uint8_t> data;
  bool intact = false;
  std::thread writer, reader;

  void start(Clock::time_point until) {
    reader = std::thread([this, until] {
      std::vector<uint8_t> buf(65536);
      size_t got = 0;
      bool same = true;
      while (got < data.size() && Wait(to, POLLIN, until)) {
        const ssize_t r = ::read(to, buf.data(), buf.size());
        if (r < 0 && (errno == EAGAIN || errno == EINTR)) continue;
        if (r <= 0) break;
        const size_t n = static_cast<size_t>(r);
        if (got + n > data.size() || std::memcmp(buf.data(), data.data() + got, n) != 0) {
          same = false;
        }
        got += n;
      }
      intact = same && got == data.size();
    });
    writer = std::thread([this, until] {
      size_t done = 0;
      while (done < data.size() && Wait(from, POLLOUT, until)) {
        const ssize_t w =
            ::write(from, data.data() + done, std::min<size_t>(65536, data.size() - done));
        if (w > 0) done += static_cast<size_t>(w);
      }
    });
  }
  void join() {
    writer.join();
    reader.join();
  }
};

struct Figures {
  double oneWay = 0;    // MB/s
  double bothWays = 0;  // MB/s, both directions together
  double medianUs = 0;
  double p99Us = 0;
  double cpuOneWay = 0;  // CPU s per 100 MB
  double cpuBothWays = 0;
  double wakeUpsPerMB = 0;
  double peakMB = 0;
};

// Sends probes from port 1's far end until they pass, then collects all of them.
void WaitUntilRelaying(FarEnd& one, FarEnd& two) {
  const auto until = Clock::now() + std::chrono::seconds(30);
  while (!one.slaveRaw() || !two.slaveRaw()) {
    if (Clock::now() > until) Fail("the relay did not open its devices");
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  size_t sent = 0, received = 0;
  uint8_t buf[256];
  while (received < sent || received == 0) {
    if (Clock::now() > until) Fail("the relay does not pass data");
    if (received == 0) {
      const uint8_t probe = 'p';
      if (::write(one.fd(), &probe, 1) == 1) ++sent;
    }
    if (Wait(two.fd(), POLLIN, std::min(until, Clock::now() + std::chrono::milliseconds(50)))) {
      const ssize_t r = ::read(two.fd(), buf, sizeof buf);
      if (r > 0) received += static_cast<size_t>(r);
    }
  }
}

// Seconds to move `bytes` from port 1 to port 2, or each way at once.
double Transfer(FarEnd& one, FarEnd& two, size_t bytes, bool bothWays) {
  std::vector<std::unique_ptr<Stream>> streams;
  streams.push_back(
      std::make_unique<Stream>(Stream{one.fd(), two.fd(), RandomBytes(bytes, 7), false, {}, {}}));
  if (bothWays) {
    streams.push_back(
        std::make_unique<Stream>(Stream{two.fd(), one.fd(), RandomBytes(bytes, 8), false, {}, {}}));
  }
  const auto begin = Clock::now();
  for (auto& s : streams) s->start(begin + std::chrono::seconds(120));
  for (auto& s : streams) s->join();
  const double seconds = std::chrono::duration<double>(Clock::now() - begin).count();
  for (auto& s : streams) {
    if (!s->intact) Fail("bytes were lost, changed or reordered");
  }
  return seconds;
}

// One byte there and back, `rounds` times; microseconds per round trip, sorted.
std::vector<double> RoundTrips(FarEnd& one, FarEnd& two, int rounds) {
  std::vector<double> us;
  uint8_t b = 0;
  const auto until = Clock::now() + std::chrono::seconds(60);
  auto pass = [&](int from, int to) {
    if (::write(from, &b, 1) != 1) Fail("write failed");
    while (Wait(to, POLLIN, until)) {
      if (::read(to, &b, 1) == 1) return;
    }
    Fail("a round trip timed out");
  };
  for (int i = -100; i < rounds; ++i) {  // the first hundred warm up
    const auto begin = Clock::now();
    b = static_cast<uint8_t>(i);
    pass(one.fd(), two.fd());
    pass(two.fd(), one.fd());
    if (i >= 0)
      us.push_back(std::chrono::duration<double, std::micro>(Clock::now() - begin).count());
  }
  std::sort(us.begin(), us.end());
  return us;
}

Figures Measure(const Child& relay, FarEnd& one, FarEnd& two, size_t bytes, int rounds) {
  WaitUntilRelaying(one, two);
  // What a relay does once at its start (the program lays out and paints its window) is
  // no part of the figures.
  std::this_thread::sleep_for(std::chrono::seconds(1));
  Figures f;
  const double mb = static_cast<double>(bytes) / kMB;
  const double wakeUpsBefore = relay.wakeUps();
  double cpu = relay.cpuSeconds();
  f.oneWay = mb / Transfer(one, two, bytes, false);
  f.cpuOneWay = (relay.cpuSeconds() - cpu) / mb * 100.0;
  cpu = relay.cpuSeconds();
  f.bothWays = 2.0 * mb / Transfer(one, two, bytes, true);
  f.cpuBothWays = (relay.cpuSeconds() - cpu) / (2.0 * mb) * 100.0;
  f.wakeUpsPerMB = (relay.wakeUps() - wakeUpsBefore) / (3.0 * mb);
  const std::vector<double> us = RoundTrips(one, two, rounds);
  f.medianUs = us[us.size() / 2];
  f.p99Us = us[std::min(us.size() - 1, us.size() * 99 / 100)];
  f.peakMB = relay.peakMemoryMB();
  return f;
}

std::string Dword(const std::string& name, int value) {
  char line[80];
  std::snprintf(line, sizeof line, "\"%s\"=dword:%08x\n", name.c_str(),
                static_cast<unsigned>(value));
  return line;
}

// What every run does: bytes each way, round trips, scheduling class of the relays.
struct RunPlan {
  size_t bytes = 64 << 20;
  int rounds = 2000;
  int priority = 3;
};

Figures RunProgram(const std::string& exe, int step, const RunPlan& plan) {
  FarEnd one, two;
  std::string dir = (std::filesystem::temp_directory_path() / "zelkora-bench-XXXXXX").string();
  if (::mkdtemp(dir.data()) == nullptr) Fail("mkdtemp failed");
  // Relay on at start, no splash or first-run box; RTS/CTS, which a pseudo-terminal
  // ignores, so that every byte value passes.
  std::string reg = "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Devodovazar\\Zelkora]\n";
  reg += Dword("LogoType", 0) + Dword("NonFirstRun", 1) + Dword("MeON", 1) +
         Dword("BufSize", step) + Dword("Priority", plan.priority);
  for (const std::string p : {"COM1", "COM2"}) {
    reg += Dword(p + "-Port", p == "COM1" ? 1 : 2) + Dword(p + "-Speed", 13) +
           Dword(p + "-HandShake", 1);
  }
  reg += "\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Devodovazar\\Zelkora\\Ports]\n";
  reg += "\"COM2\"=\"" + one.slave() + "\"\n\"COM3\"=\"" + two.slave() + "\"\n";
  std::ofstream(dir + "/registry.reg") << reg;
  Figures f;
  {
    Child program({exe},
                  {{"ZELKORA_REGISTRY", dir + "/registry.reg"},
                   {"XDG_RUNTIME_DIR", dir},
                   {"XDG_CONFIG_HOME", dir + "/config"},
                   {"HOME", dir},
                   {"QT_QPA_PLATFORM", "offscreen"}},
                  plan.priority);
    f = Measure(program, one, two, plan.bytes, plan.rounds);
  }
  std::filesystem::remove_all(dir);
  return f;
}

Figures RunSocat(const RunPlan& plan) {
  FarEnd one, two;
  Child socat({"socat", "-b", "8192", one.slave() + ",raw,echo=0", two.slave() + ",raw,echo=0"}, {},
              plan.priority);
  return Measure(socat, one, two, plan.bytes, plan.rounds);
}

// The median of each figure over the runs.
Figures Median(std::vector<Figures> runs) {
  auto mid = [&runs](double Figures::*field) {
    std::vector<double> v;
    for (const Figures& f : runs) v.push_back(f.*field);
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
  };
  Figures m;
  for (double Figures::*field :
       {&Figures::oneWay, &Figures::bothWays, &Figures::medianUs, &Figures::p99Us,
        &Figures::cpuOneWay, &Figures::cpuBothWays, &Figures::wakeUpsPerMB, &Figures::peakMB}) {
    m.*field = mid(field);
  }
  return m;
}

void Print(int step, const Figures& z, const Figures& s) {
  std::printf("\nBuffer step %d\n", step);
  std::printf("  %-34s %10s %10s %10s\n", "", "zelkora", "socat", "ratio");
  auto row = [](const char* what, double a, double b) {
    std::printf("  %-34s %10.2f %10.2f %10.2f\n", what, a, b, b != 0 ? a / b : 0.0);
  };
  row("one way, MB/s", z.oneWay, s.oneWay);
  row("both ways at once, MB/s (sum)", z.bothWays, s.bothWays);
  row("round trip median, us", z.medianUs, s.medianUs);
  row("round trip p99, us", z.p99Us, s.p99Us);
  row("CPU s per 100 MB, one way", z.cpuOneWay, s.cpuOneWay);
  row("CPU s per 100 MB, both ways", z.cpuBothWays, s.cpuBothWays);
  row("wake-ups per MB", z.wakeUpsPerMB, s.wakeUpsPerMB);
  row("peak memory (VmHWM), MB", z.peakMB, s.peakMB);
}

}  // namespace
}  // namespace zelkora::bench

int main(int argc, char** argv) {
  using namespace zelkora::bench;
  if (argc < 2) {
    std::fprintf(stderr,
                 "usage: %s <zelkora> [--megabytes N] [--rounds N] [--steps 2,6] [--repeat N]"
                 " [--priority 1..4]\n",
                 argv[0]);
    return 2;
  }
  const std::string exe = std::filesystem::absolute(argv[1]).string();
  RunPlan plan;
  int repeat = 3;
  std::vector<int> steps{2, 6};
  for (int i = 2; i + 1 < argc; i += 2) {
    const std::string opt = argv[i];
    const std::string value = argv[i + 1];
    if (opt == "--megabytes") {
      plan.bytes = std::stoul(value) << 20;
    } else if (opt == "--rounds") {
      plan.rounds = std::max(1, std::stoi(value));
    } else if (opt == "--repeat") {
      repeat = std::max(1, std::stoi(value));
    } else if (opt == "--priority") {
      plan.priority = std::clamp(std::stoi(value), 1, 4);
    } else if (opt == "--steps") {
      steps.clear();
      std::stringstream list(value);
      for (std::string s; std::getline(list, s, ',');) steps.push_back(std::stoi(s));
    } else {
      Fail("unknown option " + opt);
    }
  }
  ::signal(SIGPIPE, SIG_IGN);
  std::printf(
      "%zu MB one way, %zu MB each way at once, %d round trips of one byte; median of %d runs;"
      " both relays at priority %d\n",
      plan.bytes >> 20, plan.bytes >> 20, plan.rounds, repeat, plan.priority);
  for (int step : steps) {
    std::vector<Figures> z, s;
    for (int r = 0; r < repeat; ++r) {
      if (r % 2 == 1) s.push_back(RunSocat(plan));
      z.push_back(RunProgram(exe, step, plan));
      if (r % 2 == 0) s.push_back(RunSocat(plan));
    }
    Print(step, Median(z), Median(s));
  }
  return 0;
}
