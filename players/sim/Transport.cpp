#include "Transport.h"

#include <unistd.h>

#include "ShuffleOrder.h"

namespace qvsim {

namespace {

constexpr int64_t kLongestCatchUpMs = 7LL * 24 * 3600 * 1000;

uint32_t lengthOf(const TrackView& t) { return t.totalMs ? t.totalMs : kDefaultTrackMs; }

// Position in play order and back, through the shuffle when it is on.
uint32_t orderPosition(const PlayerState& s, const Playlist& pl) {
  return s.shuffle ? ShuffleOrder(pl.size(), s.shuffleSeed, s.shuffleStart).positionOf(s.position)
                   : s.position;
}

uint32_t indexAt(const PlayerState& s, const Playlist& pl, uint32_t orderPos) {
  return s.shuffle ? ShuffleOrder(pl.size(), s.shuffleSeed, s.shuffleStart).at(orderPos) : orderPos;
}

void moveTo(PlayerState& s, const Playlist& pl, uint32_t index) {
  s.position = index;
  s.trackId = pl.track(index).id;
}

void restartTrack(PlayerState& s, int64_t nowMs) {
  s.startedAtMs = nowMs;
  s.elapsedMs = 0;
}

uint64_t freshSeed(int64_t nowMs) {
  return static_cast<uint64_t>(nowMs) * 0x9E3779B97F4A7C15ull ^ static_cast<uint64_t>(getpid()) << 32;
}

// One step forward in play order; false when the playlist has run out.
bool stepForward(PlayerState& s, const Playlist& pl, bool wrap) {
  const uint32_t next = orderPosition(s, pl) + 1;
  if (next < pl.size()) {
    moveTo(s, pl, indexAt(s, pl, next));
    return true;
  }
  if (!wrap) return false;
  moveTo(s, pl, indexAt(s, pl, 0));
  return true;
}

// At the end of the playlist the player stops, ready to begin it again.
void stopAtEnd(PlayerState& s, const Playlist& pl) {
  moveTo(s, pl, indexAt(s, pl, 0));
  stop(s);
}

}  // namespace

int64_t elapsedMs(const PlayerState& s, int64_t nowMs) {
  switch (s.transport) {
    case Transport::Playing: return nowMs - s.startedAtMs;
    case Transport::Paused: return s.elapsedMs;
    case Transport::Stopped: break;
  }
  return 0;
}

void catchUp(PlayerState& s, const Playlist& pl, int64_t nowMs) {
  if (pl.size() == 0) {
    if (s.transport != Transport::Stopped) stop(s);
    return;
  }
  if (s.transport == Transport::Playing && nowMs - s.startedAtMs > kLongestCatchUpMs) {
    restartTrack(s, nowMs);  // left playing for weeks: no need to replay every track
    return;
  }
  while (s.transport == Transport::Playing) {
    const int64_t length = lengthOf(pl.track(s.position));
    const int64_t played = nowMs - s.startedAtMs;
    if (played < length) return;
    if (s.repeat == Repeat::One) {  // the same track again, as often as it fitted
      s.startedAtMs += played / length * length;
      return;
    }
    s.startedAtMs += length;
    if (!stepForward(s, pl, s.repeat == Repeat::All)) stopAtEnd(s, pl);
  }
}

void skipForward(PlayerState& s, const Playlist& pl, int64_t nowMs) {
  if (pl.size() == 0) return;
  // Repeat one holds a track only while it plays through; a skip moves on and wraps.
  if (!stepForward(s, pl, s.repeat != Repeat::Off)) {
    stopAtEnd(s, pl);
    return;
  }
  restartTrack(s, nowMs);
}

void skipBack(PlayerState& s, const Playlist& pl, int64_t nowMs) {
  if (pl.size() == 0) return;
  const uint32_t current = orderPosition(s, pl);
  if (current > 0) moveTo(s, pl, indexAt(s, pl, current - 1));
  else if (s.repeat != Repeat::Off) moveTo(s, pl, indexAt(s, pl, pl.size() - 1));
  restartTrack(s, nowMs);  // at the very start without repeat: the first track again
}

void startPlaylist(PlayerState& s, const Playlist& pl, int64_t nowMs, std::optional<uint32_t> position) {
  s.playlistId = pl.id();
  if (pl.size() == 0) {
    s.position = 0;
    s.trackId.clear();
    stop(s);
    return;
  }
  if (s.shuffle) {
    s.shuffleSeed = freshSeed(nowMs);
    s.shuffleStart = position ? ShuffleOrder::startAt(pl.size(), s.shuffleSeed, *position) : 0;
  }
  moveTo(s, pl, position ? *position : indexAt(s, pl, 0));
  s.transport = Transport::Playing;
  restartTrack(s, nowMs);
}

void pause(PlayerState& s, int64_t nowMs) {
  if (s.transport != Transport::Playing) return;
  s.elapsedMs = nowMs - s.startedAtMs;
  s.transport = Transport::Paused;
}

void resume(PlayerState& s, int64_t nowMs) {
  if (s.transport != Transport::Paused) return;
  s.startedAtMs = nowMs - s.elapsedMs;
  s.transport = Transport::Playing;
}

void stop(PlayerState& s) {
  s.transport = Transport::Stopped;
  s.startedAtMs = 0;
  s.elapsedMs = 0;
}

void setShuffle(PlayerState& s, const Playlist* current, bool on, int64_t nowMs) {
  if (on == s.shuffle) return;
  s.shuffle = on;
  if (!on) return;
  s.shuffleSeed = freshSeed(nowMs);
  s.shuffleStart = current && current->size() > 0
                       ? ShuffleOrder::startAt(current->size(), s.shuffleSeed, s.position)
                       : 0;
}

}  // namespace qvsim
