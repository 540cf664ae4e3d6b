// The built program relaying between two pseudo-terminal cables: every byte value, in
// volume and both ways at once, arrives intact and in order; one way only when so set; a
// receiver that stops reading holds the sender back instead of losing data.

#include <gtest/gtest.h>
#include <signal.h>

#include <memory>

#include "support/BytePattern.h"
#include "support/FarEndTransfer.h"
#include "support/RelayRig.h"

namespace zelkora::test {
namespace {

using namespace std::chrono_literals;

constexpr auto kRelayComesOn = 20s;
constexpr size_t kMegabyte = 1 << 20;

class RelayTest : public ::testing::Test {
 protected:
  // Starts the program and waits until bytes sent at port `probeFrom`'s far end pass.
  void startRelay(const RelayOptions& options, int probeFrom = 1) {
    rig_ = std::make_unique<RelayRig>(ZELKORA_EXE, options);
    rig_->start();
    ASSERT_TRUE(rig_->waitUntilRelaying(probeFrom, kRelayComesOn));
  }

  std::unique_ptr<FarEndTransfer> transfer(int from, size_t bytes, uint32_t seed,
                                           ReaderStall stall = {}) {
    return std::make_unique<FarEndTransfer>(rig_->farEnd(from).master(),
                                            rig_->farEnd(3 - from).master(),
                                            bytePattern(bytes, seed), stall);
  }

  static void ExpectIntact(FarEndTransfer& t, const FarEndTransfer::Result& r) {
    EXPECT_EQ(r.sent, t.data().size());
    EXPECT_EQ(r.received, t.data().size());
    EXPECT_FALSE(r.firstMismatch.has_value()) << "first wrong byte at " << *r.firstMismatch;
    EXPECT_EQ(r.receivedChecksum, t.dataChecksum());
  }

  void TearDown() override {
    if (!rig_) return;
    // After the traffic the program still ends in order.
    rig_->program().signal(SIGTERM);
    EXPECT_EQ(rig_->program().wait(20s), 0);
  }

  std::unique_ptr<RelayRig> rig_;
};

TEST_F(RelayTest, TwentyMegabytesEachWayAtOnceArriveIntactAndInOrder) {
  startRelay({});
  auto there = transfer(1, 20 * kMegabyte, 11);
  auto back = transfer(2, 20 * kMegabyte, 12);
  there->start(30s);
  back->start(30s);
  const FarEndTransfer::Result thereResult = there->finish();
  const FarEndTransfer::Result backResult = back->finish();
  ExpectIntact(*there, thereResult);
  ExpectIntact(*back, backResult);
}

TEST_F(RelayTest, StalledReaderHoldsTheSenderBackAndLosesNothing) {
  startRelay({});
  auto t = transfer(1, 5 * kMegabyte, 21, {256 * 1024, 2000ms});
  t->start(30s);
  const FarEndTransfer::Result r = t->finish();
  ExpectIntact(*t, r);
  // The buffers on the way were full halfway through the stall: nothing moved after.
  EXPECT_LT(r.sentMidStall, t->data().size());
  EXPECT_EQ(r.sentEndStall, r.sentMidStall);
}

struct OneWay {
  int duplex;
  int passing;  // the port whose received bytes are relayed
};

void PrintTo(const OneWay& way, std::ostream* out) {
  *out << "Duplex " << way.duplex << ", port " << way.passing << " relayed";
}

class OneWayRelayTest : public RelayTest, public ::testing::WithParamInterface<OneWay> {};

TEST_P(OneWayRelayTest, OnlyTheChosenDirectionPasses) {
  const OneWay way = GetParam();
  const int excluded = 3 - way.passing;
  startRelay({.duplex = way.duplex}, way.passing);

  const std::vector<uint8_t> held = bytePattern(1000, 31);
  ASSERT_EQ(rig_->farEnd(excluded).write(held), held.size());
  auto t = transfer(way.passing, kMegabyte, 32);
  t->start(20s);
  ExpectIntact(*t, t->finish());
  EXPECT_TRUE(rig_->collect(way.passing, 300ms).empty());
}

INSTANTIATE_TEST_SUITE_P(Duplex, OneWayRelayTest, ::testing::Values(OneWay{1, 1}, OneWay{2, 2}),
                         [](const auto& test) {
                           return "Duplex" + std::to_string(test.param.duplex);
                         });

}  // namespace
}  // namespace zelkora::test
