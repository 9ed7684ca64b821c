#pragma once
// Layout of the library cache file: a header, fixed-size records and one string pool,
// so that a call maps the file and reads only the few records it needs.
#include <cstdint>

namespace qvsim::cache {

inline constexpr char kMagic[8] = {'Q', 'V', 'S', 'I', 'M', 'L', 'B', '2'};

// String references are byte offsets into the pool of NUL-terminated UTF-8 texts;
// offset 0 is the empty text.
struct Header {
  char magic[8];
  uint64_t librarySize;      // identity of the library file the cache was built from
  int64_t libraryMtimeNs;
  uint32_t libraryPath;      // string
  uint32_t trackCount;
  uint32_t playlistCount;
  uint32_t itemCount;
  uint32_t masterPlaylist;   // index of the whole-library playlist
  uint32_t reserved;
  uint64_t tracksOffset;     // Track[trackCount], in library order
  uint64_t idIndexOffset;    // IdEntry[trackCount], sorted by id
  uint64_t playlistsOffset;  // Playlist[playlistCount], in library order
  uint64_t itemsOffset;      // uint32_t track index [itemCount]
  uint64_t stringsOffset;
  uint64_t stringsSize;
  uint64_t fileSize;
};

enum Field : unsigned { Artist, Name, Album, Genre, FieldCount };

struct Track {
  uint32_t id;
  uint32_t totalMs;  // 0 when the export has no length
  uint32_t year;     // 0 when the export has no year
  uint32_t text[FieldCount];
  uint32_t folded[FieldCount];  // the same texts as foldForSearch gives them
};

struct IdEntry {
  uint32_t id;
  uint32_t index;
};

struct Playlist {
  int64_t id;
  uint32_t name;  // string
  uint32_t firstItem;
  uint32_t itemCount;
  uint32_t reserved;
};

}  // namespace qvsim::cache
