#pragma once
// Finds library tracks by a term typed into the search form.
#include <cstdint>
#include <string_view>
#include <vector>

#include "Library.h"

namespace qvsim {

// Library track indices, in library order, whose field ("name", "artist", "album" or
// "genre"; anything else means "name") contains the term, ignoring letter case and
// accents. "+" in the term stands for a blank, as the search form sends it.
std::vector<uint32_t> searchLibrary(const Library& lib, std::string_view term, std::string_view field);

}  // namespace qvsim
