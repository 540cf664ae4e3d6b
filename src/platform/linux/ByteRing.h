#pragma once
// A byte queue of fixed capacity kept in one ring, so that a whole block moves in or out
// with at most two contiguous pieces: readv/writev take them as they are, without copying
// through a second buffer and without moving the bytes that stay behind.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace zelkora {

class ByteRing {
 public:
  // Up to two pieces in order; the second is empty when the bytes do not wrap.
  struct Pieces {
    std::span<uint8_t> first;
    std::span<uint8_t> second;
    size_t size() const { return first.size() + second.size(); }
  };

  // Empties the ring and gives it room for `capacity` bytes.
  void reset(size_t capacity);
  void clear() { head_ = size_ = 0; }

  size_t capacity() const { return storage_.size(); }
  size_t size() const { return size_; }
  size_t space() const { return storage_.size() - size_; }
  bool empty() const { return size_ == 0; }

  // The bytes held, oldest first; `consume(n)` then drops the first n of them.
  Pieces filled();
  void consume(size_t n);
  // The free room in the order it fills; `commit(n)` then adds its first n bytes.
  Pieces room();
  void commit(size_t n);

  // Copies in as many of `bytes` as fit; returns how many.
  size_t append(std::span<const uint8_t> bytes);
  // Takes out the oldest `n` bytes (fewer when fewer are held).
  std::vector<uint8_t> take(size_t n);

 private:
  std::vector<uint8_t> storage_;
  size_t head_ = 0;  // index of the oldest byte
  size_t size_ = 0;
};

}  // namespace zelkora
