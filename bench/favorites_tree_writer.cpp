#include "bench/favorites_tree_writer.h"

#include <fstream>
#include <stdexcept>
#include <vector>

namespace linkshelf::bench {

std::string ShortcutFileBytes(const SampleLink& link) {
  switch (link.kind) {
    case ShortcutKind::kPlain:
      return "[InternetShortcut]\r\nURL=" + link.address + "\r\n";
    case ShortcutKind::kWithExtraEntries:
      return "[DEFAULT]\r\nBASEURL=" + link.address +
             "\r\n[InternetShortcut]\r\nURL=" + link.address +
             "\r\nIDList=\r\nIconFile=" + link.address.substr(0, link.address.find('/', 8)) +
             "/favicon.ico\r\nIconIndex=1\r\nHotKey=0\r\n[Properties]\r\nProp3=19,2\r\n";
    case ShortcutKind::kWithoutAddress:
      return link.empty_file ? std::string() : "[InternetShortcut]\r\nIconIndex=0\r\n";
  }
  return {};
}

void WriteFavoritesTree(const SampleFavorites& favorites, const std::filesystem::path& root) {
  std::filesystem::create_directories(root);
  // Parents precede their subfolders, so one level at a time is enough.
  std::vector<std::filesystem::path> folder_paths(favorites.folders.size(), root);
  for (std::size_t i = 1; i < favorites.folders.size(); ++i) {
    folder_paths[i] = folder_paths[favorites.folders[i].parent] / favorites.folders[i].name;
    std::filesystem::create_directory(folder_paths[i]);
  }
  for (const SampleLink& link : favorites.links) {
    const std::filesystem::path path = folder_paths[link.folder] / (link.stem + ".url");
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << ShortcutFileBytes(link);
    if (!file.flush()) throw std::runtime_error("cannot write " + path.string());
  }
}

}  // namespace linkshelf::bench
