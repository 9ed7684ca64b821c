#pragma once
// The now-playing fields: a player reply split at "%@". A reply may split into fewer
// fields than a page reads; a missing field reads as empty text, never a failure.
#include <QStringList>

namespace pages {

enum class Field { Artist, Title, Album, Genre, Year, Time, PlaylistName, PlaylistId, ArtFile };

inline QString field(const QStringList& fields, Field which) {
  return fields.value(static_cast<int>(which));
}

}  // namespace pages
