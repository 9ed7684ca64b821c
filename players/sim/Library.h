#pragma once
// The player's view of the library export, read through its cache file.
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "LibraryCacheFormat.h"

namespace qvsim {

// A library that cannot be read; what() is one line meant for the page.
class LibraryError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class Library {
 public:
  // Maps the cache of the library file in dataDir, (re)building it first when it is
  // missing or was built from another file, size or modification time.
  // Throws LibraryError when the library file cannot be read.
  static Library open(const std::string& libraryPath, const std::string& dataDir);

  Library(Library&& other) noexcept;
  Library& operator=(Library&&) = delete;
  Library(const Library&) = delete;
  ~Library();

  uint32_t trackCount() const { return header().trackCount; }
  const cache::Track& track(uint32_t index) const { return tracks()[index]; }
  std::string_view text(uint32_t stringRef) const;
  std::optional<uint32_t> findTrack(uint32_t id) const;

  uint32_t playlistCount() const { return header().playlistCount; }
  const cache::Playlist& playlist(uint32_t index) const { return playlists()[index]; }
  uint32_t masterPlaylist() const { return header().masterPlaylist; }
  std::optional<uint32_t> findPlaylist(int64_t id) const;
  // The library track index at a position of the playlist (position < itemCount).
  uint32_t itemTrack(const cache::Playlist& pl, uint32_t position) const;

 private:
  Library(const char* data, size_t size) : data_(data), size_(size) {}
  static std::optional<Library> map(const std::string& cachePath);
  bool valid() const;

  const cache::Header& header() const { return *reinterpret_cast<const cache::Header*>(data_); }
  template <typename T>
  const T* section(uint64_t offset) const { return reinterpret_cast<const T*>(data_ + offset); }
  const cache::Track* tracks() const { return section<cache::Track>(header().tracksOffset); }
  const cache::IdEntry* idIndex() const { return section<cache::IdEntry>(header().idIndexOffset); }
  const cache::Playlist* playlists() const { return section<cache::Playlist>(header().playlistsOffset); }
  const uint32_t* items() const { return section<uint32_t>(header().itemsOffset); }

  const char* data_;
  size_t size_;
};

// Reads the library export and writes its cache to cachePath (atomically).
// Throws LibraryError when the export cannot be read or parsed.
void buildLibraryCache(const std::string& libraryPath, uint64_t librarySize, int64_t libraryMtimeNs,
                       const std::string& cachePath);

}  // namespace qvsim
