#pragma once
// What the player remembers between calls, and its text form on disk.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qvsim {

enum class Transport { Stopped, Playing, Paused };
enum class Repeat { Off, All, One };

struct PlayerState {
  Transport transport = Transport::Stopped;
  std::string playlistId;   // empty until something was played
  uint32_t position = 0;    // index of the current track in the playlist (unshuffled)
  std::string trackId;      // the track at that position, to notice a changed library
  int64_t startedAtMs = 0;  // while playing: the moment the track was (or would have been) at 0:00
  int64_t elapsedMs = 0;    // while paused
  bool shuffle = false;
  uint64_t shuffleSeed = 0;
  uint32_t shuffleStart = 0;
  Repeat repeat = Repeat::Off;
  int volume = 50;
  bool muted = false;
  std::string artTrackId;   // the track whose cover the art file shows

  bool operator==(const PlayerState&) const = default;
};

std::string serializeState(const PlayerState& state);

// Nothing when the text is not a complete, well-formed state.
std::optional<PlayerState> parseState(std::string_view text);

}  // namespace qvsim
