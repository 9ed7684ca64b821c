#include "Library.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace qvsim {

namespace {

constexpr const char* kCacheName = "/player-library.cache";

int64_t mtimeNs(const struct stat& st) {
  return static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
}

}  // namespace

Library Library::open(const std::string& libraryPath, const std::string& dataDir) {
  if (libraryPath.empty()) throw LibraryError("No music library file is set.");
  struct stat st {};
  if (::stat(libraryPath.c_str(), &st) != 0)
    throw LibraryError("Cannot read the music library file " + libraryPath + ": " +
                       std::strerror(errno) + ".");
  if (!S_ISREG(st.st_mode))
    throw LibraryError("The music library file " + libraryPath + " is not a file.");

  const std::string cachePath = dataDir + kCacheName;
  auto isCurrent = [&](const Library& lib) {
    const cache::Header& h = lib.header();
    return h.librarySize == static_cast<uint64_t>(st.st_size) && h.libraryMtimeNs == mtimeNs(st) &&
           lib.text(h.libraryPath) == libraryPath;
  };
  if (auto cached = map(cachePath); cached && isCurrent(*cached)) return std::move(*cached);

  buildLibraryCache(libraryPath, static_cast<uint64_t>(st.st_size), mtimeNs(st), cachePath);
  auto built = map(cachePath);
  if (!built) throw LibraryError("Cannot write the library cache " + cachePath + ".");
  return std::move(*built);
}

std::optional<Library> Library::map(const std::string& cachePath) {
  const int fd = ::open(cachePath.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat st {};
  void* data = MAP_FAILED;
  if (::fstat(fd, &st) == 0 && static_cast<size_t>(st.st_size) >= sizeof(cache::Header))
    data = ::mmap(nullptr, static_cast<size_t>(st.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
  ::close(fd);
  if (data == MAP_FAILED) return std::nullopt;
  Library lib(static_cast<const char*>(data), static_cast<size_t>(st.st_size));
  if (!lib.valid()) return std::nullopt;
  return lib;
}

// A damaged or foreign cache is rebuilt rather than trusted: every section must lie
// inside the file and the string pool must end with a NUL.
bool Library::valid() const {
  const cache::Header& h = header();
  if (std::memcmp(h.magic, cache::kMagic, sizeof h.magic) != 0 || h.fileSize != size_) return false;
  auto fits = [&](uint64_t offset, uint64_t count, uint64_t unit) {
    return offset % 8 == 0 && offset <= size_ && count <= (size_ - offset) / unit;
  };
  return fits(h.tracksOffset, h.trackCount, sizeof(cache::Track)) &&
         fits(h.idIndexOffset, h.trackCount, sizeof(cache::IdEntry)) &&
         fits(h.playlistsOffset, h.playlistCount, sizeof(cache::Playlist)) &&
         fits(h.itemsOffset, h.itemCount, sizeof(uint32_t)) && fits(h.stringsOffset, h.stringsSize, 1) &&
         h.stringsSize > 0 && data_[h.stringsOffset + h.stringsSize - 1] == '\0' &&
         h.masterPlaylist < h.playlistCount &&
         std::all_of(playlists(), playlists() + h.playlistCount, [&](const cache::Playlist& pl) {
           return pl.firstItem <= h.itemCount && pl.itemCount <= h.itemCount - pl.firstItem;
         });
}

// Indices are checked where they are read, not all at open, so that a call touches
// only the pages it needs.
uint32_t Library::itemTrack(const cache::Playlist& pl, uint32_t position) const {
  const uint32_t index = items()[pl.firstItem + position];
  if (index >= trackCount()) throw LibraryError("The library cache is damaged; delete it to rebuild it.");
  return index;
}

Library::Library(Library&& other) noexcept : data_(other.data_), size_(other.size_) {
  other.data_ = nullptr;
  other.size_ = 0;
}

Library::~Library() {
  if (data_) ::munmap(const_cast<char*>(data_), size_);
}

std::string_view Library::text(uint32_t stringRef) const {
  const cache::Header& h = header();
  if (stringRef >= h.stringsSize) return {};
  return std::string_view(data_ + h.stringsOffset + stringRef);
}

std::optional<uint32_t> Library::findTrack(uint32_t id) const {
  const cache::IdEntry* begin = idIndex();
  const cache::IdEntry* end = begin + trackCount();
  const auto* it = std::lower_bound(begin, end, id,
                                    [](const cache::IdEntry& e, uint32_t v) { return e.id < v; });
  if (it == end || it->id != id || it->index >= trackCount()) return std::nullopt;
  return it->index;
}

std::optional<uint32_t> Library::findPlaylist(int64_t id) const {
  for (uint32_t i = 0; i < playlistCount(); ++i)
    if (playlist(i).id == id) return i;
  return std::nullopt;
}

}  // namespace qvsim
