#include "support/FarEndTransfer.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace zelkora::test {

namespace {

using Clock = std::chrono::steady_clock;
constexpr size_t kChunk = 65536;
constexpr uint64_t kFnvBasis = 14695981039346656037ull;

uint64_t FnvStep(uint64_t h, uint8_t b) {
  return (h ^ b) * 1099511628211ull;
}

// Waits for `events` on `fd` in short slices until the deadline; false once it passed.
bool Ready(int fd, short events, Clock::time_point deadline) {
  while (Clock::now() < deadline) {
    pollfd p{fd, events, 0};
    const int r = ::poll(&p, 1, 50);
    if (r > 0) return true;
    if (r < 0 && errno != EINTR) return false;
  }
  return false;
}

}  // namespace

uint64_t Checksum(const std::vector<uint8_t>& bytes, size_t n) {
  uint64_t h = kFnvBasis;
  for (size_t i = 0; i < std::min(n, bytes.size()); ++i) h = FnvStep(h, bytes[i]);
  return h;
}

FarEndTransfer::FarEndTransfer(int from, int to, std::vector<uint8_t> data, ReaderStall stall)
    : from_(from), to_(to), data_(std::move(data)), stall_(stall) {}

FarEndTransfer::~FarEndTransfer() {
  finish();
}

void FarEndTransfer::start(std::chrono::milliseconds timeout) {
  deadline_ = Clock::now() + timeout;
  receiver_ = std::thread([this] { receive(); });
  sender_ = std::thread([this] { send(); });
}

FarEndTransfer::Result FarEndTransfer::finish() {
  if (sender_.joinable()) sender_.join();
  if (receiver_.joinable()) receiver_.join();
  result_.sent = sent_;
  return result_;
}

void FarEndTransfer::send() {
  size_t done = 0;
  while (done < data_.size() && Ready(from_, POLLOUT, deadline_)) {
    const size_t n = std::min(kChunk, data_.size() - done);
    const ssize_t w = ::write(from_, data_.data() + done, n);
    if (w > 0) {
      done += static_cast<size_t>(w);
      sent_ = done;
    } else if (w < 0 && errno != EAGAIN && errno != EINTR) {
      break;
    }
  }
}

void FarEndTransfer::receive() {
  std::vector<uint8_t> buffer(kChunk);
  uint64_t h = kFnvBasis;
  size_t got = 0;
  bool stalled = stall_.pause.count() == 0;
  while (got < data_.size()) {
    if (!stalled && got >= stall_.after) {
      stalled = true;
      std::this_thread::sleep_for(stall_.pause / 2);
      result_.sentMidStall = sent_;
      std::this_thread::sleep_for(stall_.pause - stall_.pause / 2);
      result_.sentEndStall = sent_;
    }
    if (!Ready(to_, POLLIN, deadline_)) break;
    size_t want = buffer.size();
    if (!stalled) want = std::min(want, stall_.after - got);
    const ssize_t r = ::read(to_, buffer.data(), std::max<size_t>(want, 1));
    if (r < 0 && (errno == EAGAIN || errno == EINTR)) continue;
    if (r <= 0) break;  // the program closed the device
    for (ssize_t i = 0; i < r; ++i, ++got) {
      const uint8_t b = buffer[static_cast<size_t>(i)];
      if (!result_.firstMismatch && (got >= data_.size() || data_[got] != b)) {
        result_.firstMismatch = got;
      }
      h = FnvStep(h, b);
    }
  }
  result_.received = got;
  result_.receivedChecksum = h;
}

}  // namespace zelkora::test
