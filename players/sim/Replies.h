#pragma once
// The reply texts Quaverly reads: fields separated by "%@".
#include <cstdint>
#include <string>
#include <string_view>

#include "Playlist.h"

namespace qvsim {

inline constexpr std::string_view kSeparator = "%@";
inline constexpr std::string_view kNotPlaying = "Not playing.  Please click play/pause.";
inline constexpr std::string_view kNoMatches = "No tracks matched the search query.";

// Nine fields: artist, name, album, genre, year, "m:ss / m:ss", playlist name,
// playlist id, art file name. The values are raw: Quaverly escapes them for its page.
std::string nowPlayingReply(const TrackView& track, const Playlist& playlist, int64_t elapsedMs,
                            std::string_view artFile);

// One listing line: a link that plays the track within the playlist.
void appendListingLine(std::string& out, std::string_view playlistId, const TrackView& track);

// One playlist entry: id, a double quote, a backslash, ">", name; Quaverly puts a
// link head before it and "</a>" after it, so the id sits in a query string and the
// name in HTML.
void appendPlaylistEntry(std::string& out, std::string_view id, std::string_view name);

}  // namespace qvsim
