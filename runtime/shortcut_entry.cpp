#include "runtime/shortcut_entry.h"

#include <algorithm>
#include <optional>
#include <vector>

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

std::vector<Line> SplitLines(std::string_view text) {
  std::vector<Line> lines;
  if (!text.empty()) lines.reserve(8);  // a shortcut has a handful of lines
  size_t pos = 0;
  // The line ends at the first CR or LF: the next LF is known, then a CR is
  // looked for before it. Each search runs through the text once in all.
  size_t next_lf = std::min(text.find('\n'), text.size());
  while (pos < text.size()) {
    Line line{pos, pos, pos};
    if (next_lf < pos) next_lf = std::min(text.find('\n', pos), text.size());
    line.end = std::min(text.substr(0, next_lf).find('\r', pos), next_lf);
    line.next = line.end;
    if (line.next < text.size() && text[line.next] == '\r') ++line.next;
    if (line.next < text.size() && text[line.next] == '\n') ++line.next;
    lines.push_back(line);
    pos = line.next;
  }
  return lines;
}

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

// Where the wanted section lies: the index of its header and one past its last line.
struct SectionSpan {
  size_t header = 0;
  size_t end = 0;
};

std::optional<SectionSpan> FindSection(std::string_view text, const std::vector<Line>& lines,
                                       std::string_view section) {
  for (size_t i = 0; i < lines.size(); ++i) {
    const auto name = SectionName(text.substr(lines[i].begin, lines[i].end - lines[i].begin));
    if (!name || !EqualsIgnoringAsciiCase(*name, section)) continue;
    size_t end = i + 1;
    while (end < lines.size() &&
           !SectionName(text.substr(lines[end].begin, lines[end].end - lines[end].begin))) {
      ++end;
    }
    return SectionSpan{i, end};
  }
  return std::nullopt;
}

std::string_view LineText(std::string_view text, const Line& line) {
  return text.substr(line.begin, line.end - line.begin);
}

std::optional<size_t> FindKey(std::string_view text, const std::vector<Line>& lines,
                              const SectionSpan& span, std::string_view key) {
  for (size_t i = span.header + 1; i < span.end; ++i) {
    const std::string_view line = LineText(text, lines[i]);
    if (!IsBlankOrComment(line) && EqualsIgnoringAsciiCase(KeyOf(line), key)) return i;
  }
  return std::nullopt;
}

// A line break inside a value would start a new entry or section in the file.
std::string SingleLine(std::string_view value) {
  // A value seldom holds a line break; then it is taken whole.
  if (value.find('\r') == std::string_view::npos && value.find('\n') == std::string_view::npos)
    return std::string(value);
  std::string line;
  line.reserve(value.size());
  for (char c : value) {
    if (c != '\r' && c != '\n') line += c;
  }
  return line;
}

}  // namespace

std::string FindShortcutEntry(std::string_view file_text, std::string_view section,
                              std::string_view key) {
  // One walk through the lines, holding none: a shortcut is read for every
  // link of the page. The first section of the name is the one searched.
  std::optional<std::string_view> found;
  bool in_section = false;
  size_t pos = 0;
  while (pos < file_text.size() && !found) {
    const size_t lf = std::min(file_text.find('\n', pos), file_text.size());
    size_t end = std::min(file_text.substr(0, lf).find('\r', pos), lf);
    const std::string_view line = file_text.substr(pos, end - pos);
    if (end < file_text.size() && file_text[end] == '\r') ++end;
    if (end < file_text.size() && file_text[end] == '\n') ++end;
    pos = end;
    if (const auto name = SectionName(line)) {
      if (in_section) break;
      in_section = EqualsIgnoringAsciiCase(*name, section);
    } else if (in_section && !IsBlankOrComment(line) && EqualsIgnoringAsciiCase(KeyOf(line), key)) {
      found = line;
    }
  }
  if (!found) return {};
  const size_t equals = found->find('=');
  if (equals == std::string_view::npos) return {};
  std::string_view value = TrimmedView(found->substr(equals + 1));
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(value.substr(0, kShortcutValueLimit));
}

std::string SetShortcutEntry(std::string_view file_text, std::string_view section,
                             std::string_view key, std::string_view value) {
  std::string entry(key);
  entry += '=';
  entry += SingleLine(value);
  const std::vector<Line> lines = SplitLines(file_text);
  const auto span = FindSection(file_text, lines, section);
  std::string result;
  result.reserve(file_text.size() + entry.size() + section.size() + 8);

  if (!span) {
    result.append(file_text);
    if (!result.empty() && result.back() != '\n' && result.back() != '\r') result += "\r\n";
    result += '[';
    result.append(section);
    result += "]\r\n";
    result += entry;
    result += "\r\n";
    return result;
  }

  if (const auto index = FindKey(file_text, lines, *span, key)) {
    // Keep the line's own spelling of the key and its line end; only the value changes.
    const Line& line = lines[*index];
    const std::string_view text = LineText(file_text, line);
    const size_t equals = text.find('=');
    result.append(file_text.substr(0, line.begin));
    if (equals == std::string_view::npos) {
      result.append(text);
      result += '=';
    } else {
      result.append(text.substr(0, equals + 1));
    }
    result += SingleLine(value);
    result.append(file_text.substr(line.end));
    return result;
  }

  // The new entry follows the section's last entry (or its header), ahead of
  // any blank lines that separate it from the next section.
  size_t after = span->header;
  for (size_t i = span->header + 1; i < span->end; ++i) {
    if (!IsBlankOrComment(LineText(file_text, lines[i]))) after = i;
  }
  const Line& anchor = lines[after];
  result.append(file_text.substr(0, anchor.next));
  if (anchor.next == anchor.end) result += "\r\n";  // the last line had no line end
  result += entry;
  result += "\r\n";
  result.append(file_text.substr(anchor.next));
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
