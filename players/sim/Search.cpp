#include "Search.h"

#include <algorithm>
#include <string>

#include "Text.h"

namespace qvsim {

namespace {

cache::Field fieldNamed(std::string_view field) {
  const std::string f = foldForSearch(field);
  if (f == "artist") return cache::Artist;
  if (f == "album") return cache::Album;
  if (f == "genre") return cache::Genre;
  return cache::Name;
}

}  // namespace

std::vector<uint32_t> searchLibrary(const Library& lib, std::string_view term, std::string_view field) {
  std::string spaced(term);
  std::replace(spaced.begin(), spaced.end(), '+', ' ');
  const std::string wanted = foldForSearch(spaced);
  const auto first = wanted.find_first_not_of(' ');
  std::vector<uint32_t> found;
  if (first == std::string::npos) return found;
  const std::string_view needle =
      std::string_view(wanted).substr(first, wanted.find_last_not_of(' ') - first + 1);

  const cache::Field f = fieldNamed(field);
  for (uint32_t i = 0; i < lib.trackCount(); ++i)
    if (lib.text(lib.track(i).folded[f]).find(needle) != std::string_view::npos) found.push_back(i);
  return found;
}

}  // namespace qvsim
