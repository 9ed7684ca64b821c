#pragma once
// One playable list of tracks: a playlist of the library, the search results, or the
// simulated audio CD.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Library.h"

namespace qvsim {

inline constexpr std::string_view kAudioCdId = "audiocd";
inline constexpr std::string_view kResultsName = "Quaverly Search Results";

struct TrackView {
  std::string id;
  std::string_view artist, name, album, genre;
  uint32_t year = 0;     // 0: none
  uint32_t totalMs = 0;  // 0: unknown
};

class Playlist {
 public:
  static Playlist fromLibrary(const Library& lib, uint32_t playlistIndex);
  static Playlist searchResults(const Library& lib, std::string id, std::vector<uint32_t> trackIndices);
  static Playlist audioCd();

  const std::string& id() const { return id_; }
  const std::string& name() const { return name_; }
  uint32_t size() const { return size_; }
  TrackView track(uint32_t position) const;
  // The first position holding the track, if any.
  std::optional<uint32_t> find(std::string_view trackId) const;

 private:
  Playlist(const Library* lib, std::string id, std::string name, uint32_t size)
      : lib_(lib), id_(std::move(id)), name_(std::move(name)), size_(size) {}

  const Library* lib_;  // null for the audio CD
  std::string id_;
  std::string name_;
  uint32_t size_;
  const cache::Playlist* libraryPlaylist_ = nullptr;
  std::vector<uint32_t> trackIndices_;  // the search results
};

TrackView libraryTrack(const Library& lib, uint32_t trackIndex);

}  // namespace qvsim
