#include "Session.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstdlib>

#include "Files.h"

namespace qvsim {

namespace {

std::string envOr(const char* name, std::string fallback) {
  const char* value = std::getenv(name);
  return value && *value ? std::string(value) : std::move(fallback);
}

template <typename Int>
std::optional<Int> parseNumber(std::string_view text) {
  Int v{};
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return v;
}

}  // namespace

Environment Environment::fromProcess() {
  // Quaverly always sets these; the fallbacks let the player run by hand.
  const std::string home = envOr("HOME", "/tmp");
  const std::string dataHome = envOr("XDG_DATA_HOME", home + "/.local/share");
  return {envOr("QUAVERLY_LIBRARY", ""), envOr("QUAVERLY_TEMP", ""),
          envOr("QUAVERLY_DATA", dataHome + "/Quaverly")};
}

Session::Session(Environment env, int64_t nowMs) : env_(std::move(env)), nowMs_(nowMs) {
  // A missing or damaged state file means a fresh player; the next save replaces it.
  const auto text = readWholeFile(statePath());
  if (const auto parsed = text ? parseState(*text) : std::nullopt) {
    state_ = *parsed;
    saved_ = state_;
  } else {
    saved_.volume = -1;  // differs from any real state, so the fresh one gets written
  }
}

const Library& Session::library() {
  if (!library_) {
    makeFolders(env_.dataDir);
    library_.emplace(Library::open(env_.libraryPath, env_.dataDir));
  }
  return *library_;
}

std::optional<Playlist> Session::findPlaylist(const std::string& id) {
  if (id == kAudioCdId) return Playlist::audioCd();
  const Library& lib = library();
  if (const auto number = parseNumber<int64_t>(id)) {
    if (const auto index = lib.findPlaylist(*number)) return Playlist::fromLibrary(lib, *index);
  }
  if (const auto& r = results(); r && r->id == id) return Playlist::searchResults(lib, r->id, r->tracks);
  return std::nullopt;
}

Playlist Session::libraryPlaylist() {
  const Library& lib = library();
  return Playlist::fromLibrary(lib, lib.masterPlaylist());
}

std::optional<Playlist> Session::currentPlaylist() {
  if (state_.playlistId.empty()) return std::nullopt;
  return findPlaylist(state_.playlistId);
}

const std::optional<Session::Results>& Session::results() {
  if (results_) return *results_;
  results_.emplace();
  const auto text = readWholeFile(resultsPath());
  if (!text) return *results_;
  const Library& lib = library();
  Results r;
  size_t pos = 0;
  bool first = true;
  while (pos < text->size()) {
    size_t end = text->find('\n', pos);
    if (end == std::string::npos) end = text->size();
    const std::string_view line = std::string_view(*text).substr(pos, end - pos);
    if (first) {
      r.id = line;
      first = false;
    } else if (const auto id = parseNumber<uint32_t>(line)) {
      if (const auto index = lib.findTrack(*id)) r.tracks.push_back(*index);
    }
    pos = end + 1;
  }
  if (!r.id.empty()) results_->emplace(std::move(r));
  return *results_;
}

std::optional<std::string> Session::resultsId() {
  const auto& r = results();
  if (!r) return std::nullopt;
  return r->id;
}

std::string Session::newResults(const std::vector<uint32_t>& trackIndices) {
  const Library& lib = library();
  // Keep the id the listener already knows, unless the library has since used it.
  std::string id;
  if (const auto& r = results(); r) {
    const auto number = parseNumber<int64_t>(r->id);
    if (number && !lib.findPlaylist(*number)) id = r->id;
  }
  if (id.empty()) {
    int64_t maxId = 0;
    for (uint32_t i = 0; i < lib.playlistCount(); ++i) maxId = std::max(maxId, lib.playlist(i).id);
    id = std::to_string(maxId + 1);
  }
  std::string text = id + '\n';
  for (uint32_t index : trackIndices) text += std::to_string(lib.track(index).id) + '\n';
  makeFolders(env_.dataDir);
  writeFileAtomically(resultsPath(), text);
  results_.emplace(Results{id, trackIndices});
  return id;
}

void Session::appendResult(uint32_t trackIndex) {
  if (!results()) newResults({});
  const std::string line = std::to_string(library().track(trackIndex).id) + '\n';
  const int fd = ::open(resultsPath().c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
  if (fd >= 0) {
    [[maybe_unused]] const ssize_t written = ::write(fd, line.data(), line.size());
    ::close(fd);
  }
  (*results_)->tracks.push_back(trackIndex);
}

void Session::save() {
  if (state_ == saved_) return;
  makeFolders(env_.dataDir);
  if (writeFileAtomically(statePath(), serializeState(state_))) saved_ = state_;
}

}  // namespace qvsim
