// Builds the library cache from the player's XML library export.
#include <pugixml.hpp>

#include <algorithm>
#include <charconv>
#include <optional>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

#include "Files.h"
#include "Library.h"
#include "Text.h"

namespace qvsim {

namespace {

// Collects the texts of the cache, each distinct text stored once.
class StringPool {
 public:
  StringPool() : pool_(1, '\0') {}
  uint32_t add(std::string_view text) {
    if (text.empty()) return 0;
    auto [it, added] = offsets_.try_emplace(std::string(text), static_cast<uint32_t>(pool_.size()));
    if (added) {
      pool_.append(text);
      pool_ += '\0';
    }
    return it->second;
  }
  const std::string& bytes() const { return pool_; }

 private:
  std::string pool_;
  std::unordered_map<std::string, uint32_t> offsets_;
};

std::string_view trimmed(std::string_view s) {
  const auto first = s.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1);
}

template <typename Int>
std::optional<Int> integerValue(const pugi::xml_node& value) {
  const std::string_view text = trimmed(value.child_value());
  Int v{};
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return v;
}

// The value element that follows the key named name in a property-list dict.
pugi::xml_node valueFor(const pugi::xml_node& dict, std::string_view name) {
  for (pugi::xml_node key = dict.child("key"); key; key = key.next_sibling("key"))
    if (name == key.child_value()) return key.next_sibling();
  return {};
}

struct Draft {
  StringPool strings;
  std::vector<cache::Track> tracks;
  std::unordered_map<uint32_t, uint32_t> indexById;
  std::vector<cache::Playlist> playlists;
  std::vector<uint32_t> items;
  uint32_t master = UINT32_MAX;
};

void readTrack(const pugi::xml_node& dict, Draft& d) {
  cache::Track t{};
  bool hasId = false;
  for (pugi::xml_node key = dict.child("key"); key; key = key.next_sibling("key")) {
    const std::string_view name = key.child_value();
    const pugi::xml_node value = key.next_sibling();
    auto setText = [&](cache::Field f) {
      const std::string_view text = trimmed(value.child_value());
      t.text[f] = d.strings.add(text);
      t.folded[f] = d.strings.add(foldForSearch(text));
    };
    if (name == "Track ID") {
      if (auto id = integerValue<uint32_t>(value)) t.id = *id, hasId = true;
    } else if (name == "Name") {
      setText(cache::Name);
    } else if (name == "Artist") {
      setText(cache::Artist);
    } else if (name == "Album") {
      setText(cache::Album);
    } else if (name == "Genre") {
      setText(cache::Genre);
    } else if (name == "Year") {
      t.year = integerValue<uint32_t>(value).value_or(0);
    } else if (name == "Total Time") {
      t.totalMs = integerValue<uint32_t>(value).value_or(0);
    }
  }
  if (!hasId || !d.indexById.try_emplace(t.id, static_cast<uint32_t>(d.tracks.size())).second) return;
  d.tracks.push_back(t);
}

void readPlaylist(const pugi::xml_node& dict, Draft& d) {
  const auto id = integerValue<int64_t>(valueFor(dict, "Playlist ID"));
  if (!id) return;
  cache::Playlist pl{};
  pl.id = *id;
  pl.name = d.strings.add(valueFor(dict, "Name").child_value());
  pl.firstItem = static_cast<uint32_t>(d.items.size());
  for (pugi::xml_node item : valueFor(dict, "Playlist Items").children("dict")) {
    const auto trackId = integerValue<uint32_t>(valueFor(item, "Track ID"));
    if (!trackId) continue;
    if (auto it = d.indexById.find(*trackId); it != d.indexById.end()) d.items.push_back(it->second);
  }
  pl.itemCount = static_cast<uint32_t>(d.items.size()) - pl.firstItem;
  if (d.master == UINT32_MAX && std::strcmp(valueFor(dict, "Master").name(), "true") == 0)
    d.master = static_cast<uint32_t>(d.playlists.size());
  d.playlists.push_back(pl);
}

// An export without a whole-library playlist (a trimmed or single-playlist export)
// still gets one, holding every track, so there is always something to play.
void addLibraryPlaylist(Draft& d) {
  int64_t maxId = 0;
  for (const auto& pl : d.playlists) maxId = std::max(maxId, pl.id);
  cache::Playlist pl{};
  pl.id = maxId + 1;
  pl.name = d.strings.add("Library");
  pl.firstItem = static_cast<uint32_t>(d.items.size());
  pl.itemCount = static_cast<uint32_t>(d.tracks.size());
  for (uint32_t i = 0; i < pl.itemCount; ++i) d.items.push_back(i);
  d.playlists.insert(d.playlists.begin(), pl);
  d.master = 0;
}

template <typename T>
uint64_t appendSection(std::string& file, const T* data, size_t count) {
  file.resize((file.size() + 7) / 8 * 8, '\0');
  const uint64_t offset = file.size();
  file.append(reinterpret_cast<const char*>(data), count * sizeof(T));
  return offset;
}

std::string serialize(Draft& d, const std::string& libraryPath, uint64_t librarySize,
                      int64_t libraryMtimeNs) {
  std::vector<cache::IdEntry> idIndex;
  idIndex.reserve(d.tracks.size());
  for (uint32_t i = 0; i < d.tracks.size(); ++i) idIndex.push_back({d.tracks[i].id, i});
  std::sort(idIndex.begin(), idIndex.end(),
            [](const cache::IdEntry& a, const cache::IdEntry& b) { return a.id < b.id; });

  cache::Header h{};
  std::memcpy(h.magic, cache::kMagic, sizeof h.magic);
  h.librarySize = librarySize;
  h.libraryMtimeNs = libraryMtimeNs;
  h.libraryPath = d.strings.add(libraryPath);
  h.trackCount = static_cast<uint32_t>(d.tracks.size());
  h.playlistCount = static_cast<uint32_t>(d.playlists.size());
  h.itemCount = static_cast<uint32_t>(d.items.size());
  h.masterPlaylist = d.master;

  std::string file(sizeof h, '\0');
  h.tracksOffset = appendSection(file, d.tracks.data(), d.tracks.size());
  h.idIndexOffset = appendSection(file, idIndex.data(), idIndex.size());
  h.playlistsOffset = appendSection(file, d.playlists.data(), d.playlists.size());
  h.itemsOffset = appendSection(file, d.items.data(), d.items.size());
  h.stringsOffset = appendSection(file, d.strings.bytes().data(), d.strings.bytes().size());
  h.stringsSize = d.strings.bytes().size();
  h.fileSize = file.size();
  std::memcpy(file.data(), &h, sizeof h);
  return file;
}

}  // namespace

void buildLibraryCache(const std::string& libraryPath, uint64_t librarySize, int64_t libraryMtimeNs,
                       const std::string& cachePath) {
  pugi::xml_document doc;
  const pugi::xml_parse_result parsed = doc.load_file(libraryPath.c_str(), pugi::parse_default,
                                                      pugi::encoding_utf8);
  if (!parsed)
    throw LibraryError("The music library file " + libraryPath + " could not be read: " +
                       parsed.description() + " at byte " + std::to_string(parsed.offset) + ".");
  const pugi::xml_node top = doc.child("plist").child("dict");
  if (!top) throw LibraryError("The music library file " + libraryPath + " is not a library export.");

  Draft d;
  for (pugi::xml_node track : valueFor(top, "Tracks").children("dict")) readTrack(track, d);
  for (pugi::xml_node playlist : valueFor(top, "Playlists").children("dict")) readPlaylist(playlist, d);
  if (d.master == UINT32_MAX) addLibraryPlaylist(d);

  if (!writeFileAtomically(cachePath, serialize(d, libraryPath, librarySize, libraryMtimeNs)))
    throw LibraryError("Cannot write the library cache " + cachePath + ".");
}

}  // namespace qvsim
