#include "import/link_target.h"

#include "runtime/text.h"

namespace linkshelf {

namespace {

bool IsSeparator(char c) {
  return c == '/' || c == '\\';
}

size_t CountSeparators(std::string_view text) {
  size_t count = 0;
  while (count < text.size() && IsSeparator(text[count])) ++count;
  return count;
}

// The host part of `file://HOST/...` names this machine: empty, "localhost",
// or a drive written where the host would stand (`file://C:/...`).
bool IsLocalHost(std::string_view host) {
  if (host.empty() || EqualsIgnoringAsciiCase(host, "localhost")) return true;
  const auto first = static_cast<unsigned char>(host[0]);
  const bool letter = (first >= 'A' && first <= 'Z') || (first >= 'a' && first <= 'z');
  return letter && host.size() == 2 && (host[1] == ':' || host[1] == '|');
}

bool NamesAnotherMachine(std::string_view target) {
  if (CountSeparators(target) >= 2) return true;
  if (target.size() < 5 || !EqualsIgnoringAsciiCase(target.substr(0, 5), "file:")) return false;
  std::string_view rest = target.substr(5);
  const size_t separators = CountSeparators(rest);
  if (separators >= 4) return true;   // file:////host/share
  if (separators != 2) return false;  // file:C:\x, file:/C:/x, file:///C:/x
  rest.remove_prefix(2);
  size_t host_end = 0;
  while (host_end < rest.size() && !IsSeparator(rest[host_end])) ++host_end;
  if (!IsLocalHost(rest.substr(0, host_end))) return true;
  // file://localhost//host/share
  return CountSeparators(rest.substr(host_end)) >= 2;
}

}  // namespace

std::string TargetRefusal(std::string_view target) {
  // Every link's address comes this way: one walk without a branch, a whole register at a time.
  unsigned control = 0;
  for (const char c : target)
    control |= static_cast<unsigned>(static_cast<unsigned char>(c) < 0x20);
  if (control != 0) return "地址含有控制字符";
  if (NamesAnotherMachine(target)) return "地址指向其他计算机上的文件";
  return {};
}

}  // namespace linkshelf
