// Path and name helpers, the wildcard match and the byte collation on any bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/collation.h"
#include "runtime/text.h"
#include "runtime/wildcard.h"

#include "fuzz/support/check.h"

namespace {

using namespace linkshelf;

// The reference match: a table of which pattern prefixes match which name
// prefixes, built the plain way.
bool ReferenceMatch(std::string_view name, std::string_view pattern) {
  std::vector<std::vector<bool>> matches(pattern.size() + 1,
                                         std::vector<bool>(name.size() + 1, false));
  matches[0][0] = true;
  for (size_t p = 1; p <= pattern.size(); ++p) {
    for (size_t n = 0; n <= name.size(); ++n) {
      if (pattern[p - 1] == '*') {
        matches[p][n] = matches[p - 1][n] || (n > 0 && matches[p][n - 1]);
      } else if (n > 0) {
        matches[p][n] = matches[p - 1][n - 1] &&
                        (pattern[p - 1] == '?' ||
                         EqualsIgnoringAsciiCase(pattern.substr(p - 1, 1), name.substr(n - 1, 1)));
      }
    }
  }
  return matches[pattern.size()][name.size()];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  // The first byte 0 splits the input into two texts.
  const size_t split = input.find('\0');
  const std::string_view a = input.substr(0, split);
  const std::string_view b =
      split == std::string_view::npos ? std::string_view() : input.substr(split + 1);

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
  if (a.size() <= 64 && b.size() <= 256 && a != "*.*") FUZZ_CHECK(matches == ReferenceMatch(b, a));

  const ByteCollation collation;
  const int ab = collation.Compare(a, b);
  const int ba = collation.Compare(b, a);
  FUZZ_CHECK((ab < 0) == (ba > 0) && (ab == 0) == (ba == 0));
  FUZZ_CHECK((ab == 0) == EqualsIgnoringAsciiCase(a, b));
  FUZZ_CHECK(collation.Compare(a, a) == 0);
  return 0;
}
