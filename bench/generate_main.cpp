// bench_generate tree|page N SEED OUT: writes a Favorites tree of N shortcuts
// into the folder OUT, or a bookmark page of the same N links into the file OUT.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <string>

#include "bench/bookmark_page_writer.h"
#include "bench/favorites_tree_writer.h"
#include "bench/sample_favorites.h"

namespace {

int Usage() {
  std::fputs("usage: bench_generate tree|page N SEED OUT\n", stderr);
  return 2;
}

bool ParseNumber(const char* text, unsigned long long& value) {
  char* end = nullptr;
  value = std::strtoull(text, &end, 10);
  return *text != '\0' && *end == '\0';
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) return Usage();
  const std::string what = argv[1];
  unsigned long long count = 0, seed = 0;
  if ((what != "tree" && what != "page") || !ParseNumber(argv[2], count) ||
      !ParseNumber(argv[3], seed)) {
    return Usage();
  }
  try {
    const auto favorites = linkshelf::bench::MakeSampleFavorites(count, seed);
    if (what == "tree") {
      linkshelf::bench::WriteFavoritesTree(favorites, argv[4]);
    } else {
      std::ofstream page(argv[4], std::ios::binary | std::ios::trunc);
      page << linkshelf::bench::BookmarkPageText(favorites);
      if (!page.flush()) {
        std::fprintf(stderr, "bench_generate: cannot write %s\n", argv[4]);
        return 1;
      }
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "bench_generate: %s\n", error.what());
    return 1;
  }
  return 0;
}
