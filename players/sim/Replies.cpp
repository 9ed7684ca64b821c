#include "Replies.h"

#include "Text.h"
#include "Transport.h"

namespace qvsim {

std::string nowPlayingReply(const TrackView& track, const Playlist& playlist, int64_t elapsedMs,
                            std::string_view artFile) {
  const uint32_t length = track.totalMs ? track.totalMs : kDefaultTrackMs;
  const std::string time = minutesSeconds(elapsedMs) + " / " + minutesSeconds(length);
  const std::string year = track.year ? std::to_string(track.year) : std::string();
  std::string out;
  for (std::string_view field : {track.artist, track.name, track.album, track.genre, std::string_view(year),
                                 std::string_view(time), std::string_view(playlist.name()),
                                 std::string_view(playlist.id()), artFile}) {
    out += field;
    out += kSeparator;
  }
  return out;
}

void appendListingLine(std::string& out, std::string_view playlistId, const TrackView& track) {
  out += "<a href=\"/playsong.qv?plid=";
  out += percentEncode(playlistId);
  out += "&tid=";
  out += percentEncode(track.id);
  out += "\">";
  out += htmlEscape(track.artist);
  out += " - ";
  out += htmlEscape(track.name);
  out += "</a>";
  out += kSeparator;
}

void appendPlaylistEntry(std::string& out, std::string_view id, std::string_view name) {
  out += percentEncode(id);
  out += "\"\\>";
  out += htmlEscape(name);
  out += kSeparator;
}

}  // namespace qvsim
