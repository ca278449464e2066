#include "import/written_shortcuts.h"

namespace linkshelf {

void WrittenShortcuts::Add(std::string_view file_name, std::string_view link_text,
                           std::string_view target) {
  lengths_.push_back({file_name.size(), link_text.size(), target.size()});
  texts_.append(file_name).append(link_text).append(target);
}

std::vector<WrittenShortcut> WrittenShortcuts::Take() {
  std::vector<WrittenShortcut> shortcuts;
  shortcuts.reserve(lengths_.size());
  std::string_view texts = texts_;
  const auto take = [&texts](size_t size) {
    std::string text(texts.substr(0, size));
    texts.remove_prefix(size);
    return text;
  };
  for (const Lengths& lengths : lengths_) {
    WrittenShortcut shortcut;
    shortcut.file_name = take(lengths.file_name);
    shortcut.link_text = take(lengths.link_text);
    shortcut.target = take(lengths.target);
    shortcuts.push_back(std::move(shortcut));
  }
  Clear();
  return shortcuts;
}

void WrittenShortcuts::Clear() {
  lengths_.clear();
  texts_.clear();
}

}  // namespace linkshelf
