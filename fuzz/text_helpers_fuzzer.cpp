// Path and name helpers, the wildcard match and the byte collation on any bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/collation.h"
#include "runtime/text.h"
#include "runtime/wildcard.h"

#include "fuzz/support/check.h"

namespace {

using namespace linkshelf;

// A plain recursive match as the reference, for short inputs only.
bool ReferenceMatch(std::string_view name, std::string_view pattern) {
  if (pattern.empty()) return name.empty();
  if (pattern[0] == '*') {
    for (size_t skip = 0; skip <= name.size(); ++skip) {
      if (ReferenceMatch(name.substr(skip), pattern.substr(1))) return true;
    }
    return false;
  }
  if (name.empty()) return false;
  if (pattern[0] != '?' && !EqualsIgnoringAsciiCase(pattern.substr(0, 1), name.substr(0, 1))) return false;
  return ReferenceMatch(name.substr(1), pattern.substr(1));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  // The first byte 0 splits the input into two texts.
  const size_t split = input.find('\0');
  const std::string_view a = input.substr(0, split);
  const std::string_view b = split == std::string_view::npos ? std::string_view() : input.substr(split + 1);

  const std::string trimmed = TrimBoth(a);
  FUZZ_CHECK(trimmed.size() <= a.size() && a.find(trimmed) != std::string_view::npos);
  FUZZ_CHECK(trimmed.empty() || (static_cast<unsigned char>(trimmed.front()) > 32 &&
                            static_cast<unsigned char>(trimmed.back()) > 32));

  const std::string folder = FolderPart(a);
  const std::string name = NamePart(a);
  FUZZ_CHECK(folder + name == a);
  FUZZ_CHECK(name.find_first_of("\\:") == std::string::npos);
  FUZZ_CHECK(folder.empty() || folder.back() == '\\' || folder.back() == ':');

  const std::string collapsed = CollapseDoubledBackslashes(a);
  FUZZ_CHECK(collapsed.size() <= a.size());
  FUZZ_CHECK(collapsed.size() >= a.size() - a.size() / 2);

  FUZZ_CHECK(LowerAscii(a).size() == a.size() && EqualsIgnoringAsciiCase(LowerAscii(a), a));

  const bool matches = MatchesWildcard(b, a);
  if (a.size() <= 12 && b.size() <= 24 && a != "*.*") FUZZ_CHECK(matches == ReferenceMatch(b, a));

  const ByteCollation collation;
  const int ab = collation.Compare(a, b);
  const int ba = collation.Compare(b, a);
  FUZZ_CHECK((ab < 0) == (ba > 0) && (ab == 0) == (ba == 0));
  FUZZ_CHECK((ab == 0) == EqualsIgnoringAsciiCase(a, b));
  FUZZ_CHECK(collation.Compare(a, a) == 0);
  return 0;
}
