#pragma once
// Small file helpers on plain POSIX calls, so the player starts without any framework.
#include <optional>
#include <string>
#include <string_view>

namespace qvsim {

// Creates the folder and its missing parents; returns false when it cannot.
bool makeFolders(const std::string& path);

// The whole file, or nothing when it cannot be read.
std::optional<std::string> readWholeFile(const std::string& path);

// Writes a temporary file beside path and renames it over path, so that a reader
// sees the old or the new content, never a part. Returns false on failure.
bool writeFileAtomically(const std::string& path, std::string_view content);

}  // namespace qvsim
