#include "platform/linux/ByteRing.h"

#include <algorithm>
#include <cstring>

namespace zelkora {

void ByteRing::reset(size_t capacity) {
  storage_.assign(capacity, 0);
  clear();
}

ByteRing::Pieces ByteRing::filled() {
  const size_t cap = storage_.size();
  const size_t firstLen = std::min(size_, cap - head_);
  Pieces p;
  p.first = std::span<uint8_t>(storage_.data() + head_, firstLen);
  p.second = std::span<uint8_t>(storage_.data(), size_ - firstLen);
  return p;
}

void ByteRing::consume(size_t n) {
  n = std::min(n, size_);
  size_ -= n;
  head_ = size_ == 0 ? 0 : (head_ + n) % storage_.size();
}

ByteRing::Pieces ByteRing::room() {
  const size_t cap = storage_.size();
  Pieces p;
  if (cap == 0) return p;
  const size_t tail = (head_ + size_) % cap;
  const size_t free = cap - size_;
  const size_t firstLen = std::min(free, cap - tail);
  p.first = std::span<uint8_t>(storage_.data() + tail, firstLen);
  p.second = std::span<uint8_t>(storage_.data(), free - firstLen);
  return p;
}

void ByteRing::commit(size_t n) {
  size_ += std::min(n, space());
}

size_t ByteRing::append(std::span<const uint8_t> bytes) {
  Pieces p = room();
  const size_t n = std::min(bytes.size(), p.size());
  const size_t firstLen = std::min(n, p.first.size());
  if (firstLen > 0) std::memcpy(p.first.data(), bytes.data(), firstLen);
  if (n > firstLen) std::memcpy(p.second.data(), bytes.data() + firstLen, n - firstLen);
  commit(n);
  return n;
}

std::vector<uint8_t> ByteRing::take(size_t n) {
  Pieces p = filled();
  n = std::min(n, size_);
  const size_t firstLen = std::min(n, p.first.size());
  std::vector<uint8_t> out;
  out.reserve(n);
  out.insert(out.end(), p.first.begin(), p.first.begin() + static_cast<std::ptrdiff_t>(firstLen));
  out.insert(out.end(), p.second.begin(),
             p.second.begin() + static_cast<std::ptrdiff_t>(n - firstLen));
  consume(n);
  return out;
}

}  // namespace zelkora
