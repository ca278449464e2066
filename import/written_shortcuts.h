// The shortcuts written into one folder that is not finished yet, kept with
// few allocations: their texts one after another in one buffer. They are
// asked for again only when the folder cannot be finished as written.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace linkshelf {

// A shortcut written, named as the failures name a link.
struct WrittenShortcut {
  std::string file_name;
  std::string link_text;
  std::string target;
};

class WrittenShortcuts {
 public:
  void Add(std::string_view file_name, std::string_view link_text, std::string_view target);
  bool empty() const { return lengths_.empty(); }
  // Every one, in the order written; the record is emptied.
  std::vector<WrittenShortcut> Take();
  void Clear();

 private:
  struct Lengths {
    size_t file_name, link_text, target;  // in this order in the buffer
  };
  std::string texts_;
  std::vector<Lengths> lengths_;
};

}  // namespace linkshelf
