#pragma once
// How the simulated player moves through a playlist as time passes and buttons are pressed.
#include <cstdint>

#include "PlayerState.h"
#include "Playlist.h"

namespace qvsim {

// The length the clock gives a track whose export has none.
inline constexpr uint32_t kDefaultTrackMs = 180000;

// Milliseconds into the current track.
int64_t elapsedMs(const PlayerState& state, int64_t nowMs);

// Lets the clock run up to now: every track that ended moves on as its end dictates
// (repeat one plays it again; the end of the playlist wraps with repeat, else stops).
void catchUp(PlayerState& state, const Playlist& playlist, int64_t nowMs);

// Next and previous as pressed by the listener: they follow shuffle and repeat, the
// elapsed time starts again at 0:00 and a paused player stays paused.
void skipForward(PlayerState& state, const Playlist& playlist, int64_t nowMs);
void skipBack(PlayerState& state, const Playlist& playlist, int64_t nowMs);

// Plays the playlist from position (or, when none is given, from the start of its
// play order, which shuffle randomizes).
void startPlaylist(PlayerState& state, const Playlist& playlist, int64_t nowMs,
                   std::optional<uint32_t> position = std::nullopt);

void pause(PlayerState& state, int64_t nowMs);
void resume(PlayerState& state, int64_t nowMs);
void stop(PlayerState& state);

// Shuffle on makes a fresh order that starts at the current track.
void setShuffle(PlayerState& state, const Playlist* current, bool on, int64_t nowMs);

}  // namespace qvsim
