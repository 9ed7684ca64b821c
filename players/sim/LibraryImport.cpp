// Builds the library cache from the player's XML library export.
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <optional>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <vector>

#include "Files.h"
#include "Library.h"
#include "PlistReader.h"
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
std::optional<Int> integerValue(std::string_view text) {
  text = trimmed(text);
  Int v{};
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return v;
}

struct Draft {
  StringPool strings;
  std::vector<cache::Track> tracks;
  std::unordered_map<uint32_t, uint32_t> indexById;
  std::vector<cache::Playlist> playlists;
  std::vector<uint32_t> items;
  uint32_t master = UINT32_MAX;
};

void readTrack(PlistReader& in, Draft& d) {
  cache::Track t{};
  bool hasId = false;
  std::string key;
  auto setText = [&](cache::Field f) {
    const std::string value = in.readText();
    const std::string_view text = trimmed(value);
    t.text[f] = d.strings.add(text);
    t.folded[f] = d.strings.add(foldForSearch(text));
  };
  in.enter();
  while (in.nextKey(key)) {
    if (key == "Track ID") {
      if (auto id = integerValue<uint32_t>(in.readText())) t.id = *id, hasId = true;
    } else if (key == "Name") {
      setText(cache::Name);
    } else if (key == "Artist") {
      setText(cache::Artist);
    } else if (key == "Album") {
      setText(cache::Album);
    } else if (key == "Genre") {
      setText(cache::Genre);
    } else if (key == "Year") {
      t.year = integerValue<uint32_t>(in.readText()).value_or(0);
    } else if (key == "Total Time") {
      t.totalMs = integerValue<uint32_t>(in.readText()).value_or(0);
    } else {
      in.skipValue();
    }
  }
  if (!hasId || !d.indexById.try_emplace(t.id, static_cast<uint32_t>(d.tracks.size())).second) return;
  d.tracks.push_back(t);
}

void readPlaylistItems(PlistReader& in, Draft& d) {
  std::string key;
  in.enter();
  while (in.nextItem()) {
    if (in.peekValue() != "dict") {
      in.skipValue();
      continue;
    }
    in.enter();
    while (in.nextKey(key)) {
      if (key != "Track ID") {
        in.skipValue();
        continue;
      }
      const auto trackId = integerValue<uint32_t>(in.readText());
      const auto it = trackId ? d.indexById.find(*trackId) : d.indexById.end();
      if (it != d.indexById.end()) d.items.push_back(it->second);
    }
  }
}

void readPlaylist(PlistReader& in, Draft& d) {
  cache::Playlist pl{};
  pl.firstItem = static_cast<uint32_t>(d.items.size());
  std::optional<int64_t> id;
  bool master = false;
  std::string key;
  in.enter();
  while (in.nextKey(key)) {
    if (key == "Playlist ID") id = integerValue<int64_t>(in.readText());
    else if (key == "Name") pl.name = d.strings.add(in.readText());
    else if (key == "Master") master = in.readText() == "true";
    else if (key == "Playlist Items" && in.peekValue() == "array") readPlaylistItems(in, d);
    else in.skipValue();
  }
  if (!id) {
    d.items.resize(pl.firstItem);
    return;
  }
  pl.id = *id;
  pl.itemCount = static_cast<uint32_t>(d.items.size()) - pl.firstItem;
  if (master && d.master == UINT32_MAX) d.master = static_cast<uint32_t>(d.playlists.size());
  d.playlists.push_back(pl);
}

// Reads the top dict: the tracks first, then the playlists, whatever their order.
void readLibrary(PlistReader& in, Draft& d) {
  if (in.peekValue() != "dict") throw std::invalid_argument("no dict");
  std::string key;
  in.enter();
  while (in.nextKey(key)) {
    if (key == "Tracks" && in.peekValue() == "dict") {
      in.enter();
      while (in.nextKey(key)) {
        if (in.peekValue() == "dict") readTrack(in, d);
        else in.skipValue();
      }
    } else if (key == "Playlists" && in.peekValue() == "array") {
      in.enter();
      while (in.nextItem()) {
        if (in.peekValue() == "dict") readPlaylist(in, d);
        else in.skipValue();
      }
    } else {
      in.skipValue();
    }
  }
}

// The library file, mapped for one sequential read.
class MappedFile {
 public:
  explicit MappedFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && st.st_size > 0) {
      size_ = static_cast<size_t>(st.st_size);
      void* data = ::mmap(nullptr, size_, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
      if (data != MAP_FAILED) {
        data_ = static_cast<const char*>(data);
        ::madvise(data, size_, MADV_SEQUENTIAL);
      }
    }
    opened_ = true;
    ::close(fd);
  }
  ~MappedFile() {
    if (data_) ::munmap(const_cast<char*>(data_), size_);
  }
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;
  bool opened() const { return opened_; }
  std::string_view text() const { return data_ ? std::string_view(data_, size_) : std::string_view(); }

 private:
  const char* data_ = nullptr;
  size_t size_ = 0;
  bool opened_ = false;
};

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
  const MappedFile file(libraryPath);
  if (!file.opened())
    throw LibraryError("Cannot read the music library file " + libraryPath + ": " + std::strerror(errno) + ".");
  Draft d;
  PlistReader in(file.text());
  try {
    if (!in.enterPlist()) throw std::invalid_argument("no plist");
    readLibrary(in, d);
  } catch (const PlistSyntaxError& e) {
    throw LibraryError("The music library file " + libraryPath + " is damaged near byte " +
                       std::to_string(e.offset()) + ".");
  } catch (const std::invalid_argument&) {
    throw LibraryError("The music library file " + libraryPath + " is not a library export.");
  }
  if (d.master == UINT32_MAX) addLibraryPlaylist(d);

  if (!writeFileAtomically(cachePath, serialize(d, libraryPath, librarySize, libraryMtimeNs)))
    throw LibraryError("Cannot write the library cache " + cachePath + ".");
}

}  // namespace qvsim
