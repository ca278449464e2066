// Writes a sample collection as a Favorites folder tree of shortcut files.
#pragma once

#include <filesystem>
#include <string>

#include "bench/sample_favorites.h"

namespace linkshelf::bench {

// The bytes of one shortcut file (CR LF line ends).
std::string ShortcutFileBytes(const SampleLink& link);

// Creates `root` and every folder and shortcut below it. Throws
// std::filesystem::filesystem_error or std::runtime_error when a file cannot be written.
void WriteFavoritesTree(const SampleFavorites& favorites, const std::filesystem::path& root);

}  // namespace linkshelf::bench
