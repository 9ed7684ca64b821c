#include "CoverArt.h"

#include <zlib.h>

#include <cstdint>

namespace qvsim {

namespace {

constexpr uint32_t kSide = 128;

void putBigEndian(std::string& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((v >> shift) & 0xFF);
}

// PNG chunk: length, type, data, CRC of type and data.
void appendChunk(std::string& png, const char type[4], const std::string& data) {
  putBigEndian(png, static_cast<uint32_t>(data.size()));
  const std::string typed = std::string(type, 4) + data;
  png += typed;
  putBigEndian(png, static_cast<uint32_t>(
                        crc32(0, reinterpret_cast<const Bytef*>(typed.data()), static_cast<uInt>(typed.size()))));
}

struct Rgb {
  double r, g, b;
};

// A saturated colour from 8 bits of the album's hash.
Rgb hue(uint32_t bits) {
  const double h = (bits & 0xFF) / 256.0 * 6.0;
  const int sector = static_cast<int>(h);
  const double f = h - sector;
  switch (sector) {
    case 0: return {1, f, 0};
    case 1: return {1 - f, 1, 0};
    case 2: return {0, 1, f};
    case 3: return {0, 1 - f, 1};
    case 4: return {f, 0, 1};
    default: return {1, 0, 1 - f};
  }
}

// Raw scanlines (filter byte 0, then RGB): a diagonal blend of two colours with a
// darker disc in the middle, like a record in its sleeve.
std::string pixels(uint32_t hash) {
  const Rgb a = hue(hash), b = hue(hash >> 8);
  std::string raw;
  raw.reserve(kSide * (kSide * 3 + 1));
  const double centre = (kSide - 1) / 2.0;
  for (uint32_t y = 0; y < kSide; ++y) {
    raw += '\0';
    for (uint32_t x = 0; x < kSide; ++x) {
      const double t = (x + y) / (2.0 * (kSide - 1));
      const double dx = x - centre, dy = y - centre;
      const double shade = dx * dx + dy * dy < (kSide * 0.3) * (kSide * 0.3) ? 0.45 : 0.9;
      for (double c : {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t})
        raw += static_cast<char>(static_cast<uint8_t>(40 + 200 * c * shade));
    }
  }
  return raw;
}

}  // namespace

std::string coverPng(std::string_view album) {
  uint32_t hash = 2166136261u;  // FNV-1a
  for (unsigned char c : album) hash = (hash ^ c) * 16777619u;

  const std::string raw = pixels(hash);
  uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
  std::string packed(packedSize, '\0');
  compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize, reinterpret_cast<const Bytef*>(raw.data()),
            static_cast<uLong>(raw.size()), Z_BEST_COMPRESSION);
  packed.resize(packedSize);

  std::string header;
  putBigEndian(header, kSide);
  putBigEndian(header, kSide);
  header += "\x08\x02";      // 8 bits per sample, RGB
  header += std::string(3, '\0');  // deflate, adaptive filters, no interlace

  std::string png("\x89PNG\r\n\x1a\n", 8);
  appendChunk(png, "IHDR", header);
  appendChunk(png, "IDAT", packed);
  appendChunk(png, "IEND", {});
  return png;
}

}  // namespace qvsim
