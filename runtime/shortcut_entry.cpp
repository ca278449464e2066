#include "runtime/shortcut_entry.h"

#include <algorithm>
#include <optional>

#include "runtime/file_operations.h"
#include "runtime/text.h"

namespace linkshelf {
namespace {

// One line of the file: where its text lies and where its line end stops.
struct Line {
  size_t begin = 0;
  size_t end = 0;   // end of the text, before CR or LF
  size_t next = 0;  // start of the following line
};

// Hands out the lines of a text one by one. A line ends at the first CR or
// LF: the next LF is known, then a CR is looked for before it, so each search
// runs through the text once in all.
class LineReader {
 public:
  explicit LineReader(std::string_view text)
      : text_(text), next_lf_(std::min(text.find('\n'), text.size())) {}

  bool Next(Line& line) {
    if (pos_ >= text_.size()) return false;
    if (next_lf_ < pos_) next_lf_ = std::min(text_.find('\n', pos_), text_.size());
    line.begin = pos_;
    line.end = std::min(text_.substr(0, next_lf_).find('\r', pos_), next_lf_);
    line.next = line.end;
    if (line.next < text_.size() && text_[line.next] == '\r') ++line.next;
    if (line.next < text_.size() && text_[line.next] == '\n') ++line.next;
    pos_ = line.next;
    return true;
  }

 private:
  std::string_view text_;
  size_t pos_ = 0;
  size_t next_lf_;
};

// The section name of a header line, or nothing when the line is no header.
std::optional<std::string_view> SectionName(std::string_view line) {
  const std::string_view trimmed = TrimmedView(line);
  if (!trimmed.starts_with('[')) return std::nullopt;
  std::string_view name = trimmed.substr(1);
  if (const size_t close = name.find(']'); close != std::string_view::npos)
    name = name.substr(0, close);
  return TrimmedView(name);
}

// The key of an entry line: the text before the first "=" (or the whole line).
std::string_view KeyOf(std::string_view line) {
  return TrimmedView(line.substr(0, line.find('=')));
}

bool IsBlankOrComment(std::string_view line) {
  const std::string_view trimmed = TrimmedView(line);
  return trimmed.empty() || trimmed.starts_with(';');
}

std::string_view LineText(std::string_view text, const Line& line) {
  return text.substr(line.begin, line.end - line.begin);
}

// Where the entry of `key` in the first section named `section` lies, or
// where a new one would go: after the section's last entry, or its header.
struct EntrySpot {
  bool section_found = false;
  bool key_found = false;
  Line line;  // the entry's line when found, else the line a new entry follows
};

// One walk through the lines, which a shortcut has a handful of.
EntrySpot FindEntrySpot(std::string_view text, std::string_view section, std::string_view key) {
  EntrySpot spot;
  LineReader reader(text);
  Line line;
  while (reader.Next(line)) {
    const std::string_view line_text = LineText(text, line);
    const auto name = SectionName(line_text);
    if (!spot.section_found) {
      if (name && EqualsIgnoringAsciiCase(*name, section)) {
        spot.section_found = true;
        spot.line = line;
      }
      continue;
    }
    if (name) break;  // the next section starts
    if (IsBlankOrComment(line_text)) continue;
    spot.line = line;
    if (EqualsIgnoringAsciiCase(KeyOf(line_text), key)) {
      spot.key_found = true;
      break;
    }
  }
  return spot;
}

}  // namespace

void AppendSingleLineValue(std::string& out, std::string_view value) {
  // The bytes between line breaks go in whole; a value rarely holds a break.
  if (value.find('\n') == std::string_view::npos && value.find('\r') == std::string_view::npos) {
    out.append(value);
    return;
  }
  const auto is_break = [](char c) { return c == '\r' || c == '\n'; };
  for (auto at = value.begin(); at != value.end();) {
    const auto stop = std::find_if(at, value.end(), is_break);
    out.append(at, stop);
    at = stop == value.end() ? stop : stop + 1;
  }
}

std::string FindShortcutEntry(std::string_view file_text, std::string_view section,
                              std::string_view key) {
  const EntrySpot spot = FindEntrySpot(file_text, section, key);
  if (!spot.key_found) return {};
  const std::string_view line = LineText(file_text, spot.line);
  const size_t equals = line.find('=');
  if (equals == std::string_view::npos) return {};
  std::string_view value = TrimmedView(line.substr(equals + 1));
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(value.substr(0, kShortcutValueLimit));
}

std::string SetShortcutEntry(std::string_view file_text, std::string_view section,
                             std::string_view key, std::string_view value) {
  const EntrySpot spot = FindEntrySpot(file_text, section, key);
  std::string result;
  result.reserve(file_text.size() + key.size() + value.size() + section.size() + 8);

  if (!spot.section_found) {
    result.append(file_text);
    if (!result.empty() && result.back() != '\n' && result.back() != '\r') result += "\r\n";
    result += '[';
    result.append(section);
    result += "]\r\n";
    result.append(key);
    result += '=';
    AppendSingleLineValue(result, value);
    result += "\r\n";
    return result;
  }

  const Line& line = spot.line;
  if (spot.key_found) {
    // Keep the line's own spelling of the key and its line end; only the value changes.
    const std::string_view text = LineText(file_text, line);
    const size_t equals = text.find('=');
    result.append(file_text.substr(0, line.begin));
    if (equals == std::string_view::npos) {
      result.append(text);
      result += '=';
    } else {
      result.append(text.substr(0, equals + 1));
    }
    AppendSingleLineValue(result, value);
    result.append(file_text.substr(line.end));
    return result;
  }

  // The new entry follows the section's last entry (or its header), ahead of
  // any blank lines that separate it from the next section.
  result.append(file_text.substr(0, line.next));
  if (line.next == line.end) result += "\r\n";  // the last line had no line end
  result.append(key);
  result += '=';
  AppendSingleLineValue(result, value);
  result += "\r\n";
  result.append(file_text.substr(line.next));
  return result;
}

std::string ReadShortcutEntry(FileSystem& files, const std::string& path, std::string_view section,
                              std::string_view key) {
  std::string bytes;
  if (!files.ReadFile(path, bytes)) return {};
  return FindShortcutEntry(bytes, section, key);
}

FileStatus WriteShortcutEntry(FileSystem& files, const std::string& path, std::string_view section,
                              std::string_view key, std::string_view value) {
  const FileStatus failed = FileStatus::Failure("Unable to write to " + path);
  if (!files.FileExists(path)) {
    return files.WriteNewFile(path, SetShortcutEntry({}, section, key, value))
               ? FileStatus::Success()
               : failed;
  }
  std::string bytes;
  if (!files.ReadFile(path, bytes)) return failed;
  return ReplaceFileContent(files, path, SetShortcutEntry(bytes, section, key, value))
             ? FileStatus::Success()
             : failed;
}

}  // namespace linkshelf
