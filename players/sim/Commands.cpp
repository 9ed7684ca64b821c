#include "Commands.h"

#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <optional>

#include "CoverArt.h"
#include "Files.h"
#include "Replies.h"
#include "Search.h"
#include "Text.h"
#include "Transport.h"

namespace qvsim {

namespace {

using Args = std::vector<std::string_view>;

std::string_view arg(const Args& args, size_t i) { return i < args.size() ? args[i] : std::string_view(); }

std::string lower(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return std::tolower(c); });
  return out;
}

std::string noPlaylist(std::string_view id) { return "There is no playlist with the id " + std::string(id) + "."; }
std::string noTrack(std::string_view id) { return "There is no track with the id " + std::string(id) + "."; }

// The current playlist with the clock brought up to now. A state that no longer
// fits the library (the track or the playlist is gone) stops the player.
std::optional<Playlist> settle(Session& s) {
  PlayerState& st = s.state();
  auto pl = s.currentPlaylist();
  if (!pl) {
    stop(st);
    st.playlistId.clear();
    return std::nullopt;
  }
  if (st.position >= pl->size() || pl->track(st.position).id != st.trackId) {
    if (const auto found = pl->find(st.trackId)) {
      st.position = *found;
    } else {
      stop(st);
      st.position = 0;
      st.trackId = pl->size() ? pl->track(0).id : std::string();
    }
  }
  catchUp(st, *pl, s.now());
  return pl;
}

// Writes the cover of an album track into the temporary folder, once per track.
std::string_view coverFor(Session& s, const TrackView& track) {
  if (track.album.empty() || s.env().tempDir.empty()) return {};
  const std::string path = s.env().tempDir + "/" + std::string(kArtFileName);
  PlayerState& st = s.state();
  if (st.artTrackId != track.id || ::access(path.c_str(), R_OK) != 0) {
    if (!makeFolders(s.env().tempDir) || !writeFileAtomically(path, coverPng(track.album))) return {};
    st.artTrackId = track.id;
  }
  return kArtFileName;
}

std::string nowPlaying(Session& s, const Playlist& pl) {
  const PlayerState& st = s.state();
  if (st.transport == Transport::Stopped) return std::string(kNotPlaying);
  const TrackView track = pl.track(st.position);
  const std::string_view art = coverFor(s, track);
  return nowPlayingReply(track, pl, elapsedMs(st, s.now()), art);
}

std::string show(Session& s) {
  if (s.state().transport == Transport::Stopped) return std::string(kNotPlaying);
  const auto pl = settle(s);
  return pl ? nowPlaying(s, *pl) : std::string(kNotPlaying);
}

std::string skip(Session& s, bool forward) {
  if (s.state().transport == Transport::Stopped) return std::string(kNotPlaying);
  const auto pl = settle(s);
  if (!pl) return std::string(kNotPlaying);
  if (s.state().transport != Transport::Stopped) {
    if (forward) skipForward(s.state(), *pl, s.now());
    else skipBack(s.state(), *pl, s.now());
  }
  return nowPlaying(s, *pl);
}

// Play from a stop: where the player stopped, else the whole library from the start.
std::string play(Session& s) {
  PlayerState& st = s.state();
  if (st.transport == Transport::Paused) resume(st, s.now());
  if (st.transport != Transport::Stopped) return show(s);
  if (const auto pl = settle(s); pl && pl->size() > 0) {
    startPlaylist(st, *pl, s.now(), st.position);
    return nowPlaying(s, *pl);
  }
  const Playlist library = s.libraryPlaylist();
  startPlaylist(st, library, s.now());
  return nowPlaying(s, library);
}

std::string playPause(Session& s) {
  PlayerState& st = s.state();
  if (st.transport == Transport::Stopped) return play(s);
  const auto pl = settle(s);
  if (st.transport == Transport::Playing) pause(st, s.now());
  else resume(st, s.now());
  return pl ? nowPlaying(s, *pl) : std::string(kNotPlaying);
}

std::string volumeReply(const PlayerState& st) {
  return "Volume " + std::to_string(st.volume) + (st.muted ? ", muted" : "");
}

std::string changeVolume(Session& s, int delta) {
  PlayerState& st = s.state();
  st.volume = std::clamp(st.volume + delta, 0, 100);
  return volumeReply(st);
}

std::string toggleMute(Session& s) {
  s.state().muted = !s.state().muted;
  return volumeReply(s.state());
}

std::string playPlaylist(Session& s, std::string_view id) {
  const auto pl = s.findPlaylist(std::string(id));
  if (!pl) return noPlaylist(id);
  startPlaylist(s.state(), *pl, s.now());  // an empty playlist stops the player
  return nowPlaying(s, *pl);
}

// A track of another playlist, or one the playlist lacks, plays within the library.
std::string playSong(Session& s, std::string_view playlistId, std::string_view trackId) {
  std::optional<Playlist> pl = s.findPlaylist(std::string(playlistId));
  std::optional<uint32_t> position = pl ? pl->find(trackId) : std::nullopt;
  if (!position) {
    pl = s.libraryPlaylist();
    position = pl->find(trackId);
    if (!position) return noTrack(trackId);
  }
  startPlaylist(s.state(), *pl, s.now(), position);
  return nowPlaying(s, *pl);
}

std::string showPlaylist(Session& s, std::string_view id) {
  const auto pl = s.findPlaylist(std::string(id));
  if (!pl) return noPlaylist(id) + std::string(kSeparator);
  std::string out;
  for (uint32_t i = 0; i < pl->size(); ++i) appendListingLine(out, pl->id(), pl->track(i));
  return out + pl->name();
}

std::string currentSongId(Session& s) {
  if (s.state().transport == Transport::Stopped) return {};
  const auto pl = settle(s);
  return pl && s.state().transport != Transport::Stopped ? s.state().trackId : std::string();
}

std::string listPlaylists(Session& s, std::string_view mode) {
  std::string out;
  if (lower(mode) != "cdonly") {
    const Library& lib = s.library();
    for (uint32_t i = 0; i < lib.playlistCount(); ++i)
      appendPlaylistEntry(out, std::to_string(lib.playlist(i).id), lib.text(lib.playlist(i).name));
    if (const auto results = s.resultsId()) appendPlaylistEntry(out, *results, kResultsName);
  }
  appendPlaylistEntry(out, kAudioCdId, Playlist::audioCd().name());
  return out;
}

// Emptying the search results must not pull the track from under the listener:
// a track playing from them carries on within the library.
void leaveResults(Session& s) {
  PlayerState& st = s.state();
  const auto results = s.resultsId();
  if (!results || st.playlistId != *results) return;
  const Playlist library = s.libraryPlaylist();
  if (const auto position = library.find(st.trackId)) {
    st.playlistId = library.id();
    st.position = *position;
  } else {
    stop(st);
    st.playlistId.clear();
  }
}

std::string search(Session& s, std::string_view term, std::string_view field, std::string_view mode) {
  const std::vector<uint32_t> found = searchLibrary(s.library(), term, field);
  if (found.empty()) return std::string(kNoMatches);
  std::string playlistId, lastField;
  if (lower(mode) == "nopl") {
    playlistId = s.libraryPlaylist().id();
  } else {
    leaveResults(s);
    playlistId = lastField = s.newResults(found);
  }
  std::string out;
  for (uint32_t index : found) appendListingLine(out, playlistId, libraryTrack(s.library(), index));
  return out + lastField;
}

std::string itunes(Session& s, const Args& args) {
  const std::string word = lower(arg(args, 0));
  if (word == "show") return show(s);
  if (word == "next") return skip(s, true);
  if (word == "prev") return skip(s, false);
  if (word == "playpause") return playPause(s);
  if (word == "startplay") return play(s);
  if (word == "volup") return changeVolume(s, 10);
  if (word == "voldown") return changeVolume(s, -10);
  if (word == "mute") return toggleMute(s);
  if (word == "playplaylist") return playPlaylist(s, arg(args, 1));
  if (word == "playsong") return playSong(s, arg(args, 1), arg(args, 2));
  if (word == "showplaylist") return showPlaylist(s, arg(args, 1));
  if (word == "currentsongid") return currentSongId(s);
  if (word == "listpl") return listPlaylists(s, arg(args, 3));
  if (word == "search") return search(s, arg(args, 1), arg(args, 2), arg(args, 3));
  return "Unknown command: " + std::string(arg(args, 0));
}

std::string qvresults(Session& s, const Args& args) {
  const std::string word = lower(arg(args, 0));
  if (word == "createplaylist") {
    leaveResults(s);
    return s.newResults({});
  }
  if (word == "addtoplaylist") {
    uint32_t id = 0;
    const std::string_view text = arg(args, 1);
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), id);
    const auto index = ec == std::errc() && end == text.data() + text.size() ? s.library().findTrack(id)
                                                                              : std::nullopt;
    if (!index) return noTrack(text);
    s.appendResult(*index);
    return {};
  }
  if (word == "playresults") {
    const auto id = s.resultsId();
    const auto pl = id ? s.findPlaylist(*id) : std::nullopt;
    if (!pl || pl->size() == 0) return show(s);  // nothing to play: the player carries on
    startPlaylist(s.state(), *pl, s.now());
    return nowPlaying(s, *pl);
  }
  return "Unknown command: " + std::string(arg(args, 0));
}

std::string plcontrol(Session& s, const Args& args) {
  const std::string word = lower(arg(args, 0)), value = lower(arg(args, 1));
  // Tracks that ended under the old setting ended as it said.
  const std::optional<Playlist> pl =
      s.state().transport == Transport::Stopped ? std::nullopt : settle(s);
  PlayerState& st = s.state();
  if (word == "shuffle") {
    if (value != "true" && value != "false") return "Shuffle takes true or false.";
    setShuffle(st, pl ? &*pl : nullptr, value == "true", s.now());
    return st.shuffle ? "Shuffle on" : "Shuffle off";
  }
  if (word == "repeat") {
    if (value == "off") st.repeat = Repeat::Off;
    else if (value == "all") st.repeat = Repeat::All;
    else if (value == "one") st.repeat = Repeat::One;
    else return "Repeat takes off, all or one.";
    return "Repeat " + value;
  }
  return "Unknown command: " + std::string(arg(args, 0));
}

}  // namespace

std::string answer(std::string_view scriptName, const Args& args, Session& session) {
  if (scriptName == "itunes") return itunes(session, args);
  if (scriptName == "qvresults") return qvresults(session, args);
  if (scriptName == "plcontrol") return plcontrol(session, args);
  return "Call this player as itunes, qvresults or plcontrol, not " + std::string(scriptName) + ".";
}

}  // namespace qvsim
