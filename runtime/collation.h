// The order of names in the page: the user locale's case-insensitive comparison.
#pragma once

#include <string_view>

namespace linkshelf {

class Collation {
 public:
  virtual ~Collation() = default;
  // Below 0, 0 or above 0 as `a` sorts before, equal to or after `b`.
  virtual int Compare(std::string_view a, std::string_view b) const = 0;
};

// Bytes compared with ASCII letters folded to lower case, the blank before every
// other byte, otherwise by unsigned byte value; a text sorts before its
// extensions. The POSIX system collation, and a fixed order for tests.
class ByteCollation final : public Collation {
 public:
  int Compare(std::string_view a, std::string_view b) const override;
};

}  // namespace linkshelf
