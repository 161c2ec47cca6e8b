#include "prefs/preference_text.h"

#include <algorithm>
#include <limits>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

char LowerAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

PreferenceEntry ParseLine(const std::string& line) {
  if (line[0] == ';') {
    const size_t start = line.size() > 1 && line[1] == ' ' ? 2 : 1;
    return {EntryKind::Comment, line.substr(start), std::string()};
  }
  if (line[0] == '[') {
    const size_t close = line.find(']', 1);
    return {EntryKind::Group, line.substr(1, close == std::string::npos ? close : close - 1),
            std::string()};
  }
  const size_t equals = line.find('=');
  std::string key = line.substr(0, equals);
  while (!key.empty() && IsBlank(key.back())) key.pop_back();
  std::string value;
  if (equals != std::string::npos) {
    size_t start = equals + 1;
    while (start < line.size() && IsBlank(line[start])) ++start;
    value = line.substr(start);
  }
  return {EntryKind::Key, key, value};
}

}  // namespace

std::vector<PreferenceEntry> ParsePreferenceText(const std::string& bytes) {
  std::vector<PreferenceEntry> entries;
  // One entry at most per line end and one more: no growing on the way.
  entries.reserve(static_cast<size_t>(std::count(bytes.begin(), bytes.end(), '\n')) +
                  static_cast<size_t>(std::count(bytes.begin(), bytes.end(), '\r')) + 1);
  size_t pos = 0;
  while (pos < bytes.size()) {
    while (pos < bytes.size() && IsLineEnd(bytes[pos])) ++pos;
    size_t end = pos;
    while (end < bytes.size() && !IsLineEnd(bytes[end])) ++end;
    size_t start = pos;
    while (start < end && IsBlank(bytes[start])) ++start;
    // A line of blanks alone is as empty as an empty one.
    if (start < end) entries.push_back(ParseLine(bytes.substr(start, end - start)));
    pos = end;
  }
  return entries;
}

std::string BuildPreferenceText(const std::vector<PreferenceEntry>& entries) {
  std::string text;
  for (const PreferenceEntry& entry : entries) {
    switch (entry.Kind) {
      case EntryKind::Group:
        text += "[" + entry.Name + "]";
        break;
      case EntryKind::Comment:
        text += "; " + entry.Name;
        break;
      case EntryKind::Key:
        text += entry.Name + " = " + entry.Value;
        break;
    }
    text += "\r\n";
  }
  return text;
}

bool SameNameIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (LowerAsciiLetter(a[i]) != LowerAsciiLetter(b[i])) return false;
  }
  return true;
}

std::string NameIndexKey(const std::string& name) {
  std::string key = name;
  for (char& c : key) c = LowerAsciiLetter(c);
  return key;
}

std::string TrimBlanks(const std::string& text) {
  size_t start = 0;
  size_t end = text.size();
  while (start < end && IsBlank(text[start])) ++start;
  while (end > start && IsBlank(text[end - 1])) --end;
  return text.substr(start, end - start);
}

int32_t ReadDecimal(const std::string& text) {
  size_t pos = 0;
  while (pos < text.size() && (IsBlank(text[pos]) || text[pos] == '\r' || text[pos] == '\n' ||
                               text[pos] == '\v' || text[pos] == '\f')) {
    ++pos;
  }
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  int64_t value = 0;
  constexpr int64_t limit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
  while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
    value = value * 10 + (text[pos] - '0');
    if (value > limit) value = limit;
    ++pos;
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<int32_t>::max()) value = std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(value);
}

std::string Latin1ToUtf8(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      out += c;
    } else {
      out += static_cast<char>(0xC0 | (byte >> 6));
      out += static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
  return out;
}

bool Utf8ToLatin1(const std::string& text, std::string& out) {
  out.clear();
  for (size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte < 0x80) {
      out += text[i];
      continue;
    }
    // Two-byte sequences C2 80 to C3 BF are exactly U+0080 to U+00FF; every
    // other lead byte is either invalid or a character beyond U+00FF.
    if ((byte != 0xC2 && byte != 0xC3) || i + 1 >= text.size()) return false;
    const auto next = static_cast<unsigned char>(text[i + 1]);
    if ((next & 0xC0) != 0x80) return false;
    out += static_cast<char>(((byte & 0x1F) << 6) | (next & 0x3F));
    ++i;
  }
  return true;
}
