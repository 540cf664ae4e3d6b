#include "platform/linux/ByteRing.h"

#include <gtest/gtest.h>

#include <numeric>

namespace zelkora::test {
namespace {

std::vector<uint8_t> counting(uint8_t from, size_t n) {
  std::vector<uint8_t> v(n);
  std::iota(v.begin(), v.end(), from);
  return v;
}

TEST(ByteRing, KeepsOrderAcrossTheWrapAndRefusesWhatDoesNotFit) {
  ByteRing ring;
  ring.reset(8);
  EXPECT_EQ(ring.append(counting(0, 6)), 6u);
  EXPECT_EQ(ring.take(4), counting(0, 4));
  // 2 held at the end of the storage; 7 more wrap around, one of them does not fit.
  EXPECT_EQ(ring.append(counting(6, 7)), 6u);
  EXPECT_EQ(ring.space(), 0u);
  const ByteRing::Pieces held = ring.filled();
  EXPECT_EQ(held.first.size(), 4u);
  EXPECT_EQ(held.second.size(), 4u);
  EXPECT_EQ(ring.take(100), counting(4, 8));
  EXPECT_TRUE(ring.empty());
}

TEST(ByteRing, RoomFillsInOrderThroughBothPieces) {
  ByteRing ring;
  ring.reset(8);
  ring.append(counting(0, 5));
  ring.consume(3);  // 2 held at 3..4; room is 5..7 then 0..2
  ByteRing::Pieces room = ring.room();
  ASSERT_EQ(room.first.size(), 3u);
  ASSERT_EQ(room.second.size(), 3u);
  for (size_t i = 0; i < 3; ++i) room.first[i] = static_cast<uint8_t>(5 + i);
  room.second[0] = 8;
  ring.commit(4);
  EXPECT_EQ(ring.take(ring.size()), counting(3, 6));
}

}  // namespace
}  // namespace zelkora::test
