#include "Playlist.h"

#include <charconv>
#include <iterator>

namespace qvsim {

namespace {

struct CdTrack {
  std::string_view name;
  uint32_t totalMs;
};

// The disc in the simulated drive: one invented album.
constexpr std::string_view kCdArtist = "The Lamplight Ensemble";
constexpr std::string_view kCdAlbum = "Songs from the Attic";
constexpr std::string_view kCdGenre = "Folk";
constexpr uint32_t kCdYear = 1998;
constexpr CdTrack kCdTracks[] = {
    {"Dust on the Rafters", 201000}, {"A Lantern for Maud", 244000},
    {"Paper Boats", 187000},         {"The Long Stair", 312000},
    {"Whistling Kettle Waltz", 159000}, {"Goodnight, Small Window", 276000},
};

}  // namespace

TrackView libraryTrack(const Library& lib, uint32_t trackIndex) {
  const cache::Track& t = lib.track(trackIndex);
  return {std::to_string(t.id), lib.text(t.text[cache::Artist]), lib.text(t.text[cache::Name]),
          lib.text(t.text[cache::Album]), lib.text(t.text[cache::Genre]), t.year, t.totalMs};
}

Playlist Playlist::fromLibrary(const Library& lib, uint32_t playlistIndex) {
  const cache::Playlist& pl = lib.playlist(playlistIndex);
  Playlist p(&lib, std::to_string(pl.id), std::string(lib.text(pl.name)), pl.itemCount);
  p.libraryPlaylist_ = &pl;
  return p;
}

Playlist Playlist::searchResults(const Library& lib, std::string id, std::vector<uint32_t> trackIndices) {
  Playlist p(&lib, std::move(id), std::string(kResultsName), static_cast<uint32_t>(trackIndices.size()));
  p.trackIndices_ = std::move(trackIndices);
  return p;
}

Playlist Playlist::audioCd() {
  return Playlist(nullptr, std::string(kAudioCdId), "Audio CD", static_cast<uint32_t>(std::size(kCdTracks)));
}

TrackView Playlist::track(uint32_t position) const {
  if (!lib_) {
    const CdTrack& t = kCdTracks[position];
    return {std::string(kAudioCdId) + "-" + std::to_string(position + 1), kCdArtist, t.name, kCdAlbum,
            kCdGenre, kCdYear, t.totalMs};
  }
  if (libraryPlaylist_) return libraryTrack(*lib_, lib_->itemTrack(*libraryPlaylist_, position));
  return libraryTrack(*lib_, trackIndices_[position]);
}

std::optional<uint32_t> Playlist::find(std::string_view trackId) const {
  if (!lib_) {
    for (uint32_t i = 0; i < size_; ++i)
      if (track(i).id == trackId) return i;
    return std::nullopt;
  }
  uint32_t id = 0;
  const auto [end, ec] = std::from_chars(trackId.data(), trackId.data() + trackId.size(), id);
  if (ec != std::errc() || end != trackId.data() + trackId.size()) return std::nullopt;
  const auto wanted = lib_->findTrack(id);
  if (!wanted) return std::nullopt;
  for (uint32_t i = 0; i < size_; ++i) {
    const uint32_t index = libraryPlaylist_ ? lib_->itemTrack(*libraryPlaylist_, i) : trackIndices_[i];
    if (index == *wanted) return i;
  }
  return std::nullopt;
}

}  // namespace qvsim
