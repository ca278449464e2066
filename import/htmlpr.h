// HTMLPR: the tag scanner. It walks an HTML text from front to back and hands
// out one tag at a time (its name and its raw attribute texts) together with
// the plain text between the previous tag and this one. It knows nothing of
// HTML itself: no element tree, no entities, no comments or script.
//
// Texts are bytes in the system code page. Every byte the scanner looks for
// (`<`, `>`, quotes, space) is below 0x40 and so can never be the second byte
// of a double-byte character. Positions are 1-based byte indices, 0 meaning
// "none".
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "import/text_source.h"

namespace linkshelf {

class TTag;

// The attributes of one tag, each as its raw text (`href="u"`), in the order
// written; duplicates kept. Every change runs `Changed`, which tells the
// owning tag.
class TParams {
 public:
  explicit TParams(TTag* tag) : fTag(tag) {}
  TParams(const TParams&) = delete;
  TParams& operator=(const TParams&) = delete;

  std::size_t Count() const { return fCount; }
  const std::string& operator[](std::size_t index) const { return fItems[index]; }
  auto begin() const { return fItems.begin(); }
  auto end() const { return fItems.begin() + static_cast<std::ptrdiff_t>(fCount); }

  void Add(std::string text);
  void Insert(std::size_t index, std::string text);
  void Set(std::size_t index, std::string text);
  void Delete(std::size_t index);
  // Clears the list; a list that is empty already reports no change.
  void Clear();

 private:
  friend class TTag;
  void Changed();
  // Appends without a change notification: used while a tag is being parsed.
  // A text kept from an earlier tag takes the new one, so that scanning
  // a page does not allocate for each attribute.
  void AddQuietly(std::string_view text);
  void ClearQuietly() { fCount = 0; }

  TTag* fTag;
  // The first fCount are the list; the rest are kept for their storage.
  std::vector<std::string> fItems;
  std::size_t fCount = 0;
};

// One parsed tag.
class TTag {
 public:
  using ChangeHandler = void (*)(void* context);

  TTag() : fParams(this) {}
  TTag(const TTag&) = delete;
  TTag& operator=(const TTag&) = delete;

  // The name with ASCII letters in upper case, so that names match without case.
  std::string GetName() const;
  const std::string& Name() const { return fName; }

  // Parses the bytes between `<` and `>`.
  void ParseText(std::string_view text);
  // The tag rebuilt from its parts: the name, then a space and each attribute.
  std::string BuildText() const;
  void DoChange();

  void SetOnChange(ChangeHandler handler, void* context) {
    fOnChange = handler;
    fOnChangeContext = context;
  }

  TParams fParams;

 private:
  std::string fName;
  ChangeHandler fOnChange = nullptr;
  void* fOnChangeContext = nullptr;
};

class THtmlParser {
 public:
  THtmlParser();
  THtmlParser(const THtmlParser&) = delete;
  THtmlParser& operator=(const THtmlParser&) = delete;

  void LoadText(std::string document);
  // The document as `start` and then what `more` gives: it is taken as the
  // steps need it, and the part that the steps have passed is let go, so a
  // large document is never held whole. The steps are those of LoadText.
  void LoadSource(std::string start, TextSource more);
  // Starts the steps over at the start of the text held: the whole document
  // when it was loaded at once.
  void Reset();
  void ClearTag();
  void ClearTextBefore();

  // Steps to the next tag; false when there is none, and from then on.
  bool NextTag();
  // The current tag, or null when no tag is current.
  TTag* GetTag();
  // A view into the document, good until the next step or edit.
  std::string_view TextBefore() const {
    if (fTextLength == 0) return {};
    return std::string_view(fHeld.text())
        .substr(static_cast<size_t>(fTextStart - 1), static_cast<size_t>(fTextLength));
  }
  // The length of the current tag from `<` to `>`, both included; 0 with no tag.
  std::ptrdiff_t TagLength() const { return fTagStart != 0 ? fTagLength : 0; }
  // The document, including any edit written back from the current tag; of
  // a document given piece by piece, the part held now.
  const std::string& Text() const { return fHeld.text(); }

 private:
  void SetTagText(std::string_view text);
  static void TagChanged(void* context);
  // The 1-based position of the first `c` at `from` or later, 0 when none;
  // a document given piece by piece is taken on as far as the search needs.
  std::ptrdiff_t FindFrom(char c, std::ptrdiff_t from);
  // Lets go of the text before the scan position once it is large.
  void LetGoOfPassedText();
  std::ptrdiff_t FindCloseFrom(std::ptrdiff_t from);

  HeldText fHeld;  // the document, or of one given piece by piece, the part held now
  TTag fCurrentTag;
  std::ptrdiff_t fPos = 0;
  std::ptrdiff_t fTagStart = 0;
  std::ptrdiff_t fTagLength = 0;
  std::ptrdiff_t fTextStart = 0;
  std::ptrdiff_t fTextLength = 0;  // of the text before the tag, from fTextStart
  // The last search for `>`: where it started and what it found. The next
  // search usually starts inside that range, so remembering it keeps a scan
  // over many `<` without a `>` between them linear.
  std::ptrdiff_t fCloseSearchFrom = 0;
  std::ptrdiff_t fCloseFound = 0;
};

}  // namespace linkshelf
