#pragma once
// Reading the player's library export: its property-list pairs, one track at a time,
// and the walk over playlists and their entries that the full import and the playlist
// reload share. Pairs are found by key, never by position, since exports differ in
// key order.
#include <pugixml.hpp>

#include <QString>
#include <functional>
#include <memory>
#include <string_view>

#include "db/Sqlite.h"

namespace db {

// Parses the library file, without the pairs of tracks and playlists that nothing
// reads and without whitespace-only text; throws ImportError.
std::unique_ptr<pugi::xml_document> parseLibrary(const QString& path);

// The element holding the text: its first child's value, empty when it has none.
std::string_view textOf(pugi::xml_node element);
// The value element that follows the key named `key` (letter case ignored) in dict.
pugi::xml_node valueFor(pugi::xml_node dict, std::string_view key);
// The element after the top-level key `key`, through the path query on the document.
pugi::xml_node topLevelValue(const pugi::xml_document& doc, const char* key);

// One track's pairs, taken one at a time, then inserted with its values bound.
class TrackImport {
 public:
  explicit TrackImport(const sqlite::Connection& db);
  void begin();
  // Keeps the value when the key is one the Tracks table stores.
  void take(pugi::xml_node key, pugi::xml_node value);
  // Inserts the track; a failure logs "Error importing track:" with the statement.
  void insert(const std::function<void(const QString&)>& log);

 private:
  const sqlite::Connection& db_;
  sqlite::Statement insert_;
  std::string_view title, artist, trackID, album, sYear, genre, kind, totalTime;
};

// The playlists array, one playlist row or one entry row per step().
class PlaylistWalk {
 public:
  PlaylistWalk(const sqlite::Connection& db, pugi::xml_node playlists);
  // Inserts the next row; false when the walk is done.
  bool step();
  int playlistCount() const { return plCount; }

 private:
  void traversePL(pugi::xml_node playlist);
  void traversePLTracks(pugi::xml_node item);

  sqlite::Statement insertPlaylist_, insertEntry_;
  pugi::xml_node nextPlaylist_;
  pugi::xml_node nextItem_;
  std::string_view playlistId_;
  int plCount = 0;
};

}  // namespace db
