// Shared pieces of the tests that fail one file operation after another.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "runtime/text.h"
#include "tests/support/faulty_file_system.h"

namespace linkshelf {

using Entries = std::map<std::string, std::string>;

// The ways a call is made to fail in these tests. A write whose success is
// lost or whose partial file cannot be removed is beyond what the file layer
// promises, so it has no place in the all-or-nothing checks.
inline const std::vector<FaultKind> kRecoverableFaults = {FaultKind::kRefuse,
                                                          FaultKind::kPartialWrite};

// The entries that differ between two snapshots: added, changed or gone.
inline std::vector<std::string> ChangedEntries(const Entries& before, const Entries& after) {
  std::vector<std::string> changed;
  for (const auto& [path, bytes] : after) {
    auto old = before.find(path);
    if (old == before.end() || old->second != bytes) changed.push_back(path);
  }
  for (const auto& [path, bytes] : before) {
    if (!after.contains(path)) changed.push_back(path);
  }
  return changed;
}

inline bool IsBelow(const std::string& folder, const std::string& path) {
  return path.size() > folder.size() &&
         EqualsIgnoringAsciiCase(path.substr(0, folder.size()), folder);
}

}  // namespace linkshelf
