#include "db/LibraryWalk.h"

#include <QFile>
#include <functional>
#include <limits>
#include <strings.h>

#include "db/ExportTrimmer.h"
#include "db/ImportError.h"

namespace db {

namespace {

// The pairs of tracks and playlists that the walk below reads by name; the parser never
// sees the others.
constexpr std::string_view kKeysRead[] = {"Track ID", "Name", "Artist", "Album", "Genre", "Kind",
                                          "Total Time", "Year", "Playlist ID", "Playlist Items"};
// Tracks and playlists are dicts four deep (plist > dict > Tracks or Playlists > dict);
// the levels above stay whole for the path queries and for the Tracks entries, which
// are taken by position.
constexpr TrimRule kTrimRule{kKeysRead, 4};

// Reading the file whole, when the trimmed text fails to parse.
constexpr TrimRule kWholeText{{}, std::numeric_limits<int>::max()};

struct PugiDeallocate {
  void operator()(char* text) const { pugi::get_memory_deallocation_function()(text); }
};

pugi::xml_parse_result parseFile(pugi::xml_document& doc, const QString& path, const TrimRule& rule) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) throw ImportError(int(file.error()), file.errorString());
  const size_t capacity = size_t(file.size());
  std::unique_ptr<char, PugiDeallocate> text(
      static_cast<char*>(pugi::get_memory_allocation_function()(capacity ? capacity : 1)));
  if (!text) throw std::bad_alloc();
  const qint64 size = readTrimmed(file, text.get(), capacity, rule);
  if (size < 0) throw ImportError(int(file.error()), file.errorString());
  // The document parses in place and owns the text: no second copy of it.
  return doc.load_buffer_inplace_own(text.release(), size_t(size),
                                     pugi::parse_default | pugi::parse_embed_pcdata, pugi::encoding_utf8);
}

}  // namespace

std::unique_ptr<pugi::xml_document> parseLibrary(const QString& path) {
  auto doc = std::make_unique<pugi::xml_document>();
  if (parseFile(*doc, path, kTrimRule)) return doc;
  // Trimming leaves a fault in place but moves it: the file read whole tells its offset.
  const pugi::xml_parse_result parsed = parseFile(*doc, path, kWholeText);
  if (!parsed)
    throw ImportError(int(parsed.status), QString::fromUtf8(parsed.description()) +
                                              " at offset " + QString::number(parsed.offset));
  return doc;
}

std::string_view textOf(pugi::xml_node element) { return element.child_value(); }

namespace {

bool sameKey(pugi::xml_node key, std::string_view name) {
  const std::string_view text = textOf(key);
  return text.size() == name.size() && strncasecmp(text.data(), name.data(), name.size()) == 0;
}

std::string_view trimmed(std::string_view s) {
  constexpr std::string_view blanks = " \t\r\n";
  const size_t first = s.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(blanks) - first + 1);
}

}  // namespace

pugi::xml_node valueFor(pugi::xml_node dict, std::string_view key) {
  for (pugi::xml_node k = dict.first_child(); k; k = k.next_sibling().next_sibling())
    if (sameKey(k, key)) return k.next_sibling();
  return {};
}

pugi::xml_node topLevelValue(const pugi::xml_document& doc, const char* key) {
  const std::string query = std::string("plist/dict/key[. = '") + key + "']";
  return doc.select_node(query.c_str()).node().next_sibling();
}

TrackImport::TrackImport(const sqlite::Connection& db)
    : db_(db),
      insert_(db,
              "Insert into Tracks (Name,Artist,TrackID,Album,Year,Genre,Kind,TotalTime) Values  "
              "(?,?,?,?,?,?,?,?)") {}

void TrackImport::begin() { title = artist = trackID = album = sYear = genre = kind = totalTime = {}; }

void TrackImport::take(pugi::xml_node key, pugi::xml_node value) {
  const std::string_view v = textOf(value);
  if (sameKey(key, "Track ID")) trackID = v;
  else if (sameKey(key, "Name")) title = trimmed(v);
  else if (sameKey(key, "Artist")) artist = trimmed(v);
  else if (sameKey(key, "Album")) album = trimmed(v);
  else if (sameKey(key, "Genre")) genre = trimmed(v);
  else if (sameKey(key, "Kind")) kind = v;
  else if (sameKey(key, "Total Time")) totalTime = v;
  else if (sameKey(key, "Year")) sYear = v;
}

void TrackImport::insert(const std::function<void(const QString&)>& log) {
  sqlite::Statement::Scope scope(insert_);
  int i = 0;
  for (std::string_view value : {title, artist, trackID, album, sYear, genre, kind, totalTime})
    insert_.bindUtf8(++i, value);
  insert_.step();
  if (!insert_.ok())
    log("Error importing track:" + db_.lastError() + "SQL was: " + insert_.expandedSql());
}

PlaylistWalk::PlaylistWalk(const sqlite::Connection& db, pugi::xml_node playlists)
    : insertPlaylist_(db, "Insert into PlayLists (Name,PlayListID) Values  (?,?)"),
      insertEntry_(db, "Insert into PlayListTracks (TrackID,PlayListID) Values  (?,?)"),
      nextPlaylist_(playlists.first_child()) {}

bool PlaylistWalk::step() {
  if (nextItem_) {
    traversePLTracks(nextItem_);
    nextItem_ = nextItem_.next_sibling();
    return true;
  }
  if (!nextPlaylist_) return false;
  traversePL(nextPlaylist_);
  nextPlaylist_ = nextPlaylist_.next_sibling();
  return true;
}

void PlaylistWalk::traversePL(pugi::xml_node playlist) {
  playlistId_ = textOf(valueFor(playlist, "Playlist ID"));
  {
    sqlite::Statement::Scope scope(insertPlaylist_);
    insertPlaylist_.bindUtf8(1, textOf(valueFor(playlist, "Name")));
    insertPlaylist_.bindUtf8(2, playlistId_);
    insertPlaylist_.step();
  }
  ++plCount;
  // Smart and built-in playlists often have no items at all.
  nextItem_ = valueFor(playlist, "Playlist Items").first_child();
}

void PlaylistWalk::traversePLTracks(pugi::xml_node item) {
  const pugi::xml_node trackId = valueFor(item, "Track ID");
  if (!trackId) return;
  sqlite::Statement::Scope scope(insertEntry_);
  insertEntry_.bindUtf8(1, textOf(trackId));
  insertEntry_.bindUtf8(2, playlistId_);
  insertEntry_.step();
}

}  // namespace db
