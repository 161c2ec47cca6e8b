// Any bytes parse, and what is built from the entries parses back to them.
#include <cstddef>
#include <cstdint>
#include <string>

#include "prefs/preference_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::vector<PreferenceEntry> entries = ParsePreferenceText(bytes);
  const std::vector<PreferenceEntry> again = ParsePreferenceText(BuildPreferenceText(entries));
  if (again.size() != entries.size()) __builtin_trap();
  for (size_t i = 0; i < entries.size(); ++i) {
    if (again[i].Kind != entries[i].Kind || again[i].Name != entries[i].Name ||
        again[i].Value != entries[i].Value) {
      __builtin_trap();
    }
    const std::string value = TrimBlanks(entries[i].Value);
    ReadDecimal(value);
    std::string latin1;
    if (Utf8ToLatin1(value, latin1) && Latin1ToUtf8(latin1) != value) __builtin_trap();
    if (!SameNameIgnoringCase(entries[i].Name, NameIndexKey(entries[i].Name))) __builtin_trap();
  }
  return 0;
}
