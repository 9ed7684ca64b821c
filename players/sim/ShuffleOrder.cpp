#include "ShuffleOrder.h"

namespace qvsim {

namespace {

constexpr unsigned kRounds = 4;

uint64_t mix(uint64_t x) {  // splitmix64 finalizer
  x += 0x9E3779B97F4A7C15ull;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  return x ^ (x >> 31);
}

}  // namespace

ShuffleOrder::ShuffleOrder(uint32_t size, uint64_t seed, uint32_t start)
    : size_(size), seed_(seed), start_(size ? start % size : 0) {
  unsigned bits = 2;
  while ((uint64_t{1} << bits) < size) ++bits;
  halfBits_ = (bits + 1) / 2;
  halfMask_ = (uint64_t{1} << halfBits_) - 1;
}

uint64_t ShuffleOrder::round(unsigned r, uint64_t half) const {
  return mix(seed_ ^ (uint64_t{r} << 56) ^ half) & halfMask_;
}

uint64_t ShuffleOrder::encrypt(uint64_t x) const {
  uint64_t left = x >> halfBits_, right = x & halfMask_;
  for (unsigned r = 0; r < kRounds; ++r) {
    const uint64_t next = left ^ round(r, right);
    left = right;
    right = next;
  }
  return (left << halfBits_) | right;
}

uint64_t ShuffleOrder::decrypt(uint64_t x) const {
  uint64_t left = x >> halfBits_, right = x & halfMask_;
  for (unsigned r = kRounds; r-- > 0;) {
    const uint64_t previous = right ^ round(r, left);
    right = left;
    left = previous;
  }
  return (left << halfBits_) | right;
}

// Cycle walking keeps the permutation inside [0, size): values beyond it are
// encrypted again until they land inside, and the inverse walks the same cycle back.
uint32_t ShuffleOrder::permute(uint32_t x) const {
  uint64_t y = encrypt(x);
  while (y >= size_) y = encrypt(y);
  return static_cast<uint32_t>(y);
}

uint32_t ShuffleOrder::unpermute(uint32_t x) const {
  uint64_t y = decrypt(x);
  while (y >= size_) y = decrypt(y);
  return static_cast<uint32_t>(y);
}

uint32_t ShuffleOrder::at(uint32_t p) const {
  return permute(static_cast<uint32_t>((uint64_t{p} + start_) % size_));
}

uint32_t ShuffleOrder::positionOf(uint32_t index) const {
  return static_cast<uint32_t>((uint64_t{unpermute(index)} + size_ - start_) % size_);
}

uint32_t ShuffleOrder::startAt(uint32_t size, uint64_t seed, uint32_t index) {
  return ShuffleOrder(size, seed, 0).unpermute(index);
}

}  // namespace qvsim
