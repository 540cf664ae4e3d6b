#pragma once
// Reproducible pseudo-random bytes for transfer tests: every value occurs, no two seeds
// give the same run, so a lost, doubled or reordered block shows.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zelkora::test {

inline std::vector<uint8_t> bytePattern(size_t n, uint32_t seed = 1) {
  std::vector<uint8_t> v(n);
  uint32_t x = seed;
  for (uint8_t& b : v) {
    x = x * 1664525u + 1013904223u;
    b = static_cast<uint8_t>(x >> 24);
  }
  return v;
}

}  // namespace zelkora::test
