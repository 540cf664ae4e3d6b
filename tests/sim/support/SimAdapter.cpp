#include "sim/support/SimAdapter.h"

namespace zelkora::sim {

namespace {
constexpr uint8_t kCarrierBits = 0x50;
constexpr uint8_t kRingBits = 0xA0;
}  // namespace

uint8_t SimAdapter::status() const {
  if (!parallelPlugged_) return kFloatingStatus;
  bool acknowledge = (latch_ & 0x04) != 0;
  if (statusFault_ == StatusFault::StuckHigh) acknowledge = true;
  if (statusFault_ == StatusFault::StuckLow) acknowledge = false;
  return acknowledge ? 0x40 : 0x00;
}

int SimAdapter::agInp(int address) {
  uint8_t value = kNothing;
  if (address == base_) value = latch_;
  if (address == base_ + 1) value = status();
  traffic.push_back({address, false, value});
  if (onAccess) onAccess(traffic.back());
  return value;
}

void SimAdapter::agOutp(int address, int value) {
  const auto byte = static_cast<uint8_t>(value);
  traffic.push_back({address, true, byte});
  if (address == base_) latch_ = byte;
  linesMayHaveChanged();
  if (onAccess) onAccess(traffic.back());
}

void SimAdapter::preset(uint8_t latch) {
  latch_ = latch;
  linesMayHaveChanged();
}

bool SimAdapter::carrierDetect() const {
  return parallelPlugged_ && serialPlugged_ && (latch_ & kCarrierBits) == kCarrierBits;
}

bool SimAdapter::ringIndicator() const {
  return parallelPlugged_ && serialPlugged_ && (latch_ & kRingBits) == kRingBits;
}

void SimAdapter::setParallelPlugged(bool plugged) {
  parallelPlugged_ = plugged;
  linesMayHaveChanged();
}

void SimAdapter::setSerialPlugged(bool plugged) {
  serialPlugged_ = plugged;
  linesMayHaveChanged();
}

void SimAdapter::linesMayHaveChanged() {
  const bool carrier = carrierDetect();
  const bool ring = ringIndicator();
  if (carrier == carrier_ && ring == ring_) return;
  carrier_ = carrier;
  ring_ = ring;
  if (onPort2Lines) onPort2Lines(carrier, ring);
}

std::vector<uint8_t> SimAdapter::dataWrites(size_t from) const {
  std::vector<uint8_t> bytes;
  for (size_t i = from; i < traffic.size(); ++i) {
    if (traffic[i].write && traffic[i].address == base_) bytes.push_back(traffic[i].value);
  }
  return bytes;
}

}  // namespace zelkora::sim
