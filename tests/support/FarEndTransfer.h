#pragma once
// One direction of a bulk transfer between two far ends, each side on a thread of its
// own: a sender that writes the data as fast as the line takes it, and a receiver that
// checks every byte against the data as it arrives, so that a lost, doubled or reordered
// byte shows at its offset. Both give up at a deadline; nothing blocks beyond it.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <optional>
#include <thread>
#include <vector>

namespace zelkora::test {

// FNV-1a over the bytes.
uint64_t Checksum(const std::vector<uint8_t>& bytes, size_t n);

// The receiver stops reading for `pause` once it has `after` bytes (none when pause is 0).
struct ReaderStall {
  size_t after = 0;
  std::chrono::milliseconds pause{0};
};

class FarEndTransfer {
 public:
  struct Result {
    size_t sent = 0;
    size_t received = 0;
    uint64_t receivedChecksum = 0;
    std::optional<size_t> firstMismatch;  // offset of the first byte that differs
    // What the sender had written halfway through the stall and at its end.
    size_t sentMidStall = 0;
    size_t sentEndStall = 0;
  };

  // `from` and `to` are non-blocking descriptors (the two masters).
  FarEndTransfer(int from, int to, std::vector<uint8_t> data, ReaderStall stall = {});
  ~FarEndTransfer();
  FarEndTransfer(const FarEndTransfer&) = delete;
  FarEndTransfer& operator=(const FarEndTransfer&) = delete;

  void start(std::chrono::milliseconds timeout);
  // Waits for both sides (at most until the deadline) and tells what happened.
  Result finish();

  const std::vector<uint8_t>& data() const { return data_; }
  uint64_t dataChecksum() const { return Checksum(data_, data_.size()); }

 private:
  void send();
  void receive();

  int from_;
  int to_;
  std::vector<uint8_t> data_;
  ReaderStall stall_;
  std::chrono::steady_clock::time_point deadline_;
  std::atomic<size_t> sent_{0};
  Result result_;
  std::thread sender_;
  std::thread receiver_;
};

}  // namespace zelkora::test
