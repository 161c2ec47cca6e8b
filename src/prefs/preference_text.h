#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The INI syntax of preference files as pure functions over bytes: parsing
// into entries, building the bytes back, and the rules for names, numbers and
// the UTF-8 mode. No state and no I/O.

enum class EntryKind { Group, Comment, Key };

struct PreferenceEntry {
  EntryKind Kind;
  std::string Name;   // group name, key text, or comment text
  std::string Value;  // a key's value as it stands in the file
};

// Splits file bytes (without a byte-order mark) into entries, one per
// meaningful line, in file order. CR, LF and any run of them end a line.
std::vector<PreferenceEntry> ParsePreferenceText(const std::string& bytes);

// The bytes of a file holding these entries: one CR LF ended line each.
std::string BuildPreferenceText(const std::vector<PreferenceEntry>& entries);

// Equality that ignores the letter case of A to Z and nothing else.
bool SameNameIgnoringCase(const std::string& a, const std::string& b);
// The key under which a name is indexed: A to Z lowered, all else kept.
std::string NameIndexKey(const std::string& name);

// Removes leading and trailing spaces and tabs.
std::string TrimBlanks(const std::string& text);

// A decimal integer at the start of the text: blanks skipped, an optional sign,
// digits up to the first other character; 0 without digits. Values beyond the
// 32-bit range are held at its ends.
int32_t ReadDecimal(const std::string& text);

// ISO-8859-1 text (one byte, one code point) as UTF-8.
std::string Latin1ToUtf8(const std::string& text);
// UTF-8 text as ISO-8859-1; false when it is not valid UTF-8 or holds a
// character beyond U+00FF.
bool Utf8ToLatin1(const std::string& text, std::string& out);
