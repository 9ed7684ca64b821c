#pragma once
// One call of the player: where its files are, its state, the library and the
// playlists, each opened only when the command needs it.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Library.h"
#include "PlayerState.h"
#include "Playlist.h"

namespace qvsim {

struct Environment {
  std::string libraryPath;  // QUAVERLY_LIBRARY
  std::string tempDir;      // QUAVERLY_TEMP: where the cover picture goes
  std::string dataDir;      // QUAVERLY_DATA: state and cache
  static Environment fromProcess();
};

class Session {
 public:
  Session(Environment env, int64_t nowMs);

  const Environment& env() const { return env_; }
  int64_t now() const { return nowMs_; }
  PlayerState& state() { return state_; }

  // Throws LibraryError when the library cannot be read.
  const Library& library();

  // Looks a playlist up by id: the audio CD, the search results, a library playlist.
  std::optional<Playlist> findPlaylist(const std::string& id);
  Playlist libraryPlaylist();
  // The playlist of the state; nothing when none was chosen or it is gone.
  std::optional<Playlist> currentPlaylist();

  // The search-results playlist: its id, and its tracks as library track indices.
  std::optional<std::string> resultsId();
  std::string newResults(const std::vector<uint32_t>& trackIndices);
  void appendResult(uint32_t trackIndex);

  // Writes the state when the call changed it.
  void save();

 private:
  std::string statePath() const { return env_.dataDir + "/player-state"; }
  std::string resultsPath() const { return env_.dataDir + "/player-results"; }
  struct Results {
    std::string id;
    std::vector<uint32_t> tracks;
  };
  const std::optional<Results>& results();

  Environment env_;
  int64_t nowMs_;
  PlayerState state_;
  PlayerState saved_;
  std::optional<Library> library_;
  std::optional<std::optional<Results>> results_;  // outer: read yet
};

}  // namespace qvsim
