#pragma once
// The cover picture of the simulated player: no real artwork exists, so each album
// gets a small PNG whose colours come from its name.
#include <string>
#include <string_view>

namespace qvsim {

inline constexpr std::string_view kArtFileName = "wbfittemp.png";

// The PNG file's bytes for the album.
std::string coverPng(std::string_view album);

}  // namespace qvsim
