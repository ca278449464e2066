#include "import/htmlpr.h"

#include <algorithm>
#include <stdexcept>

#include "runtime/text.h"

namespace linkshelf {

void TParams::Add(std::string text) {
  if (fCount < fItems.size()) {
    fItems[fCount] = std::move(text);
  } else {
    fItems.push_back(std::move(text));
  }
  ++fCount;
  Changed();
}

void TParams::Insert(std::size_t index, std::string text) {
  fItems.insert(fItems.begin() + static_cast<std::ptrdiff_t>(std::min(index, fCount)),
                std::move(text));
  ++fCount;
  Changed();
}

void TParams::Set(std::size_t index, std::string text) {
  if (index >= fCount) throw std::out_of_range("TParams::Set");
  fItems[index] = std::move(text);
  Changed();
}

void TParams::Delete(std::size_t index) {
  if (index >= fCount) throw std::out_of_range("TParams::Delete");
  fItems.erase(fItems.begin() + static_cast<std::ptrdiff_t>(index));
  --fCount;
  Changed();
}

void TParams::Clear() {
  if (fCount == 0) return;
  fCount = 0;
  Changed();
}

void TParams::AddQuietly(std::string_view text) {
  if (fCount < fItems.size()) {
    fItems[fCount].assign(text);
  } else {
    fItems.emplace_back(text);
  }
  ++fCount;
}

void TParams::Changed() {
  if (fTag != nullptr) fTag->DoChange();
}

std::string TTag::GetName() const {
  std::string name = fName;
  for (char& c : name) c = UpperAsciiByte(c);
  return name;
}

void TTag::ParseText(std::string_view s) {
  const size_t n = s.size();
  // Only the space ends the name; a tab or a line break stays part of it.
  const size_t space = std::min(s.find(' '), n);
  fName.assign(s.substr(0, space));
  fParams.ClearQuietly();

  size_t piece_start = space + 1;
  auto close_piece = [&](size_t last) {  // `last` is included, clipped at the end
    const size_t stop = std::min(last + 1, n);
    if (piece_start < stop) {
      const std::string_view piece = TrimmedView(s.substr(piece_start, stop - piece_start));
      if (!piece.empty()) fParams.AddQuietly(piece);
    }
    piece_start = last + 1;
  };

  for (size_t i = space + 1; i < n; ++i) {
    const char c = s[i];
    if (c == ' ') {
      close_piece(i);
    } else if (c == '"' || c == '\'') {
      // A quoted stretch keeps its blanks and the other quote; its closing
      // quote ends the piece. Without one, the rest of the tag is the piece.
      const size_t closing = s.find(c, i + 1);
      if (closing == std::string_view::npos) break;
      i = closing;
      close_piece(i);
    }
  }
  if (piece_start < n) close_piece(n);
}

std::string TTag::BuildText() const {
  std::string text = fName;
  for (const std::string& param : fParams) {
    text += ' ';
    text += param;
  }
  return text;
}

void TTag::DoChange() {
  if (fOnChange != nullptr) fOnChange(fOnChangeContext);
}

THtmlParser::THtmlParser() {
  LoadText(std::string());
}

void THtmlParser::LoadText(std::string document) {
  LoadSource(std::move(document), nullptr);
}

void THtmlParser::LoadSource(std::string start, TextSource more) {
  fHeld = HeldText(std::move(start), std::move(more));
  Reset();
}

void THtmlParser::LetGoOfPassedText() {
  if (fPos <= 1) return;
  const auto passed = static_cast<std::ptrdiff_t>(fHeld.LetGoBefore(static_cast<size_t>(fPos - 1)));
  if (passed == 0) return;
  fPos -= passed;
  // The remembered search for `>` still holds for what stays of its range.
  if (fCloseFound != 0 && fCloseFound <= passed) {
    fCloseSearchFrom = 0;
    fCloseFound = 0;
  } else if (fCloseSearchFrom != 0) {
    fCloseSearchFrom = std::max<std::ptrdiff_t>(fCloseSearchFrom - passed, 1);
    if (fCloseFound != 0) fCloseFound -= passed;
  }
}

void THtmlParser::Reset() {
  fPos = 0;
  fCloseSearchFrom = 0;
  fCloseFound = 0;
  ClearTag();
  ClearTextBefore();
}

void THtmlParser::ClearTag() {
  SetTagText(std::string_view());
  fTagStart = 0;
  fTagLength = 0;
}

void THtmlParser::ClearTextBefore() {
  fTextStart = 0;
  fTextLength = 0;
}

std::ptrdiff_t THtmlParser::FindFrom(char c, std::ptrdiff_t from) {
  const size_t found = fHeld.Find(c, static_cast<size_t>(from - 1));
  return found == std::string::npos ? 0 : static_cast<std::ptrdiff_t>(found) + 1;
}

std::ptrdiff_t THtmlParser::FindCloseFrom(std::ptrdiff_t from) {
  const bool remembered = fCloseSearchFrom != 0 && fCloseSearchFrom <= from &&
                          (fCloseFound == 0 || from <= fCloseFound);
  if (!remembered) {
    fCloseSearchFrom = from;
    fCloseFound = FindFrom('>', from);
  }
  return fCloseFound;
}

bool THtmlParser::NextTag() {
  if (!fHeld.Has(0)) return false;
  if (fTagStart != 0) ++fPos;
  // The scan position lies inside the text held, unless the document has ended.
  if (fPos > 1) fHeld.Has(static_cast<size_t>(fPos - 1));
  LetGoOfPassedText();
  fPos = std::clamp<std::ptrdiff_t>(fPos, 1, static_cast<std::ptrdiff_t>(fHeld.text().size()));

  const std::ptrdiff_t open = FindFrom('<', fPos);
  // The first `>` from the scan position both ends the text before the tag
  // (when it lies before the `<`) and, when it does not, ends the tag itself.
  const std::ptrdiff_t first_close = FindCloseFrom(fPos);
  std::ptrdiff_t close = 0;
  if (open != 0) close = first_close >= open ? first_close : FindCloseFrom(open);
  const bool found = open != 0 && close != 0;
  // A search that found nothing took the rest of the document in.
  const auto length = static_cast<std::ptrdiff_t>(fHeld.text().size());

  const std::ptrdiff_t limit = open != 0 ? open : length + 1;
  const std::ptrdiff_t text_start =
      first_close != 0 && first_close < limit ? first_close + 1 : fPos;

  std::ptrdiff_t text_end;
  std::ptrdiff_t tag_start = 0;
  std::ptrdiff_t tag_end = 0;
  if (found) {
    tag_start = open;
    tag_end = close;
    fPos = open;
    text_end = open - 1;
  } else {
    fPos = length;
    text_end = length;
  }

  fTagStart = tag_start;
  fTagLength = tag_end - tag_start + 1;
  if (fTagLength >= 2) {
    SetTagText(std::string_view(fHeld.text())
                   .substr(static_cast<size_t>(fTagStart), static_cast<size_t>(fTagLength - 2)));
  } else {
    SetTagText(std::string_view());
  }

  fTextStart = text_start;
  fTextLength = text_end >= text_start ? text_end - text_start + 1 : 0;
  return found;
}

TTag* THtmlParser::GetTag() {
  return fTagStart != 0 ? &fCurrentTag : nullptr;
}

void THtmlParser::SetTagText(std::string_view text) {
  fCurrentTag.SetOnChange(nullptr, nullptr);
  fCurrentTag.ParseText(text);
  fCurrentTag.SetOnChange(&THtmlParser::TagChanged, this);
}

void THtmlParser::TagChanged(void* context) {
  auto& self = *static_cast<THtmlParser*>(context);
  if (self.fTagStart == 0) return;
  const auto inner_start = static_cast<size_t>(self.fTagStart);  // just after the `<`
  self.fHeld.text().erase(inner_start, static_cast<size_t>(self.fTagLength - 2));
  const std::string rebuilt = self.fCurrentTag.BuildText();
  const auto new_length = static_cast<std::ptrdiff_t>(rebuilt.size()) + 2;
  if (self.fTextStart > self.fTagStart) self.fTextStart += new_length - self.fTagLength;
  self.fTagLength = new_length;
  self.fHeld.text().insert(inner_start, rebuilt);
  // The `>` positions after the tag have moved.
  self.fCloseSearchFrom = 0;
  self.fCloseFound = 0;
}

}  // namespace linkshelf
