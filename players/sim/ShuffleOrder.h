#pragma once
// A shuffled play order over a playlist, computed on demand instead of stored, so a
// playlist of any length costs nothing to shuffle: a keyed permutation of the
// positions (a small Feistel network with cycle walking), rotated so that position 0
// falls on a chosen track.
#include <cstdint>

namespace qvsim {

class ShuffleOrder {
 public:
  // size must be above 0; start is the rotation (reduced modulo size).
  ShuffleOrder(uint32_t size, uint64_t seed, uint32_t start);

  // The playlist index played at order position p (p < size).
  uint32_t at(uint32_t p) const;
  // The order position of playlist index i (i < size).
  uint32_t positionOf(uint32_t index) const;
  // The rotation that makes index come first.
  static uint32_t startAt(uint32_t size, uint64_t seed, uint32_t index);

 private:
  uint64_t encrypt(uint64_t x) const;
  uint64_t decrypt(uint64_t x) const;
  uint64_t round(unsigned r, uint64_t half) const;
  uint32_t permute(uint32_t x) const;
  uint32_t unpermute(uint32_t x) const;

  uint32_t size_;
  uint64_t seed_;
  uint32_t start_;
  unsigned halfBits_;
  uint64_t halfMask_;
};

}  // namespace qvsim
