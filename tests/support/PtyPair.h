#pragma once
// A pseudo-terminal pair for tests: the test holds the master (the far end of a cable)
// and hands the slave's path to the code under test as its serial device.

#include <cstdint>
#include <string>
#include <vector>

namespace zelkora::test {

class PtyPair {
 public:
  PtyPair();  // throws std::runtime_error when no pair can be had
  ~PtyPair();
  PtyPair(const PtyPair&) = delete;
  PtyPair& operator=(const PtyPair&) = delete;

  int master() const { return master_; }
  const std::string& slavePath() const { return slavePath_; }
  // The far end hangs up.
  void closeMaster();

  // Non-blocking: what the master accepts or has at hand now.
  size_t write(const uint8_t* bytes, size_t n);
  size_t write(const std::vector<uint8_t>& bytes) { return write(bytes.data(), bytes.size()); }
  std::vector<uint8_t> readAvailable(size_t max = 65536);

 private:
  int master_ = -1;
  std::string slavePath_;
};

}  // namespace zelkora::test
