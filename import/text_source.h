// A document handed over a piece at a time, so that a large one is never held whole.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace linkshelf {

// Gives the rest of a document a piece at a time: appends the next piece to
// `text`, or returns false, appending nothing, once the document has ended.
using TextSource = std::function<bool(std::string& text)>;

// The part of a document held while it is read from front to back: pieces
// are taken in as the searches need them, and the part passed is let go of.
// Positions count from the start of what is held.
class HeldText {
 public:
  HeldText() = default;
  HeldText(std::string start, TextSource more) : text_(std::move(start)), more_(std::move(more)) {}

  std::string& text() { return text_; }
  const std::string& text() const { return text_; }

  // Takes the next piece in; false once the document has ended.
  bool TakeMore();
  // True when the document goes on to position `i`, taken in as far as that.
  bool Has(std::size_t i) {
    while (i >= text_.size()) {
      if (!TakeMore()) return false;
    }
    return true;
  }
  // The first `wanted` at `from` or later, taking the document in as far as
  // the search needs; npos, with all of the document in, when there is none.
  std::size_t Find(std::string_view wanted, std::size_t from);
  std::size_t Find(char wanted, std::size_t from) {
    // Most searches end in what is held already.
    const std::size_t found = text_.find(wanted, from);
    return found != std::string::npos ? found : Find(std::string_view(&wanted, 1), from);
  }
  // Lets go of the text before `at` once that is worth it; gives how many
  // bytes went, by which every position held moves forward.
  std::size_t LetGoBefore(std::size_t at) {
    // In large steps, each at least as long as what stays and is moved
    // forward: every byte is moved a few times at most.
    constexpr std::size_t kPassedWorthLettingGo = std::size_t{1} << 16;
    if (!more_ || at < kPassedWorthLettingGo || at < text_.size() / 2) return 0;
    text_.erase(0, at);
    return at;
  }

 private:
  std::string text_;
  TextSource more_;  // the rest of the document; empty once all of it is in text_
};

}  // namespace linkshelf
