#include "prefs/preference_file.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

#include "platform/files.h"
#include "prefs/preference_text.h"

namespace {

constexpr char ByteOrderMark[] = "\xEF\xBB\xBF";
constexpr int None = -1;

struct CurrentFile {
  bool open = false;
  std::string path;
  // Holds the file (or, for a created one, its replacement beside it) open
  // with read sharing only, so no other program writes it meanwhile.
  FileStream stream;
  std::string replacementPath;  // the file beside it that takes its place
  bool utf8 = false;
  std::vector<PreferenceEntry> entries;
  int selectedGroup = None;  // index of the selected header; None: top section
  int lastTouched = None;    // entry last written or selected
  bool groupPending = false;
  std::string pendingGroup;
  bool changed = false;

  // Where each group name first appears, and where every header stands, so
  // that selecting a group does not scan the whole file. Rebuilt after the
  // entries change.
  bool indexStale = true;
  std::unordered_map<std::string, int> firstHeader;
  std::vector<int> headers;
};

CurrentFile current;

void RebuildIndex() {
  current.firstHeader.clear();
  current.headers.clear();
  current.firstHeader.reserve(current.entries.size() / 2 + 1);
  for (int i = 0; i < static_cast<int>(current.entries.size()); ++i) {
    if (current.entries[i].Kind != EntryKind::Group) continue;
    current.headers.push_back(i);
    current.firstHeader.emplace(NameIndexKey(current.entries[i].Name), i);
  }
  current.indexStale = false;
}

void EnsureIndex() {
  if (current.indexStale) RebuildIndex();
}

// The entries of the selected section: [first, end).
std::pair<int, int> SelectedSection() {
  EnsureIndex();
  const int first = current.selectedGroup == None ? 0 : current.selectedGroup + 1;
  const auto next = std::upper_bound(current.headers.begin(), current.headers.end(),
                                     current.selectedGroup);
  const int end = next == current.headers.end() ? static_cast<int>(current.entries.size()) : *next;
  return {first, end};
}

// Names as they stand in the file: UTF-8 in the UTF-8 mode.
std::string InFileForm(const std::string& text) {
  return current.utf8 ? Latin1ToUtf8(text) : text;
}

int FindKey(const std::string& key) {
  if (!current.open || current.groupPending) return None;
  const std::string wanted = InFileForm(key);
  const auto [first, end] = SelectedSection();
  for (int i = first; i < end; ++i) {
    const PreferenceEntry& entry = current.entries[i];
    if (entry.Kind == EntryKind::Key && SameNameIgnoringCase(entry.Name, wanted)) return i;
  }
  return None;
}

void InsertEntry(int at, PreferenceEntry entry) {
  current.entries.insert(current.entries.begin() + at, std::move(entry));
  if (current.selectedGroup >= at) ++current.selectedGroup;
  if (current.lastTouched >= at) ++current.lastTouched;
  current.indexStale = true;
  current.changed = true;
}

// A group that was selected but missing comes into being with the first
// write after its selection.
void WritePendingGroup() {
  if (!current.groupPending) return;
  const int at = static_cast<int>(current.entries.size());
  InsertEntry(at, {EntryKind::Group, InFileForm(current.pendingGroup), std::string()});
  current.selectedGroup = at;
  current.lastTouched = at;
  current.groupPending = false;
  current.pendingGroup.clear();
}

void Reset() { current = CurrentFile(); }

bool WriteWhole(const std::string& bytes) {
  if (current.replacementPath.empty()) {
    // An opened file gets its new content beside it too, so a failure
    // halfway never leaves it cut.
    current.stream.Close();
    current.stream = CreateFileBeside(current.path, current.replacementPath);
  }
  const bool written = current.stream.IsOpen() &&
                       current.stream.Write(bytes.data(), static_cast<int64_t>(bytes.size())) &&
                       current.stream.Flush();
  current.stream.Close();
  if (written && ReplaceFileWith(current.replacementPath, current.path)) return true;
  if (!current.replacementPath.empty()) DeleteFileAt(current.replacementPath);
  return false;
}

}  // namespace

int PrefOpen(const std::string& path) {
  PrefClose();
  FileStream stream = FileStream::OpenExisting(path, true, FileSharing::Read);
  if (!stream.IsOpen()) stream = FileStream::OpenExisting(path, false, FileSharing::Read);
  if (!stream.IsOpen()) return 0;

  std::string bytes;
  const int64_t size = stream.Size();
  if (size > 0) {
    bytes.resize(static_cast<size_t>(size));
    int64_t got = 0;
    while (got < size) {
      const int64_t n = stream.Read(bytes.data() + got, size - got);
      if (n <= 0) break;
      got += n;
    }
    bytes.resize(static_cast<size_t>(got));
  }

  current.open = true;
  current.path = path;
  current.stream = std::move(stream);
  if (bytes.compare(0, 3, ByteOrderMark) == 0) {
    current.utf8 = true;
    bytes.erase(0, 3);
  }
  current.entries = ParsePreferenceText(bytes);
  return 1;
}

int PrefCreate(const std::string& path) {
  PrefClose();
  // A folder cannot become the file, nor can a file that may not be written
  // (read-only, or held by another program).
  const int64_t size = FileSize(path);
  if (size == -2) return 0;
  if (size >= 0 && !FileStream::OpenExisting(path, true, FileSharing::ReadWrite).IsOpen()) return 0;
  std::string replacement;
  FileStream stream = CreateFileBeside(path, replacement);
  if (!stream.IsOpen()) return 0;
  current.open = true;
  current.path = path;
  current.replacementPath = replacement;
  current.stream = std::move(stream);
  return 1;
}

int PrefSelectGroup(const std::string& name) {
  if (!current.open) return 0;
  current.groupPending = false;
  current.pendingGroup.clear();
  if (name.empty()) {
    current.selectedGroup = None;
    current.lastTouched = None;
    return 1;
  }
  EnsureIndex();
  const auto found = current.firstHeader.find(NameIndexKey(InFileForm(name)));
  if (found == current.firstHeader.end()) {
    current.groupPending = true;
    current.pendingGroup = name;
    return 0;
  }
  current.selectedGroup = found->second;
  current.lastTouched = found->second;
  return 1;
}

std::string PrefReadText(const std::string& key, const std::string& defaultText) {
  const int found = FindKey(key);
  if (found == None) return defaultText;
  const std::string value = TrimBlanks(current.entries[found].Value);
  if (!current.utf8) return value;
  std::string converted;
  return Utf8ToLatin1(value, converted) ? converted : std::string();
}

int32_t PrefReadNumber(const std::string& key, int32_t defaultValue) {
  if (FindKey(key) == None) return defaultValue;
  return ReadDecimal(PrefReadText(key));
}

int PrefWriteComment(const std::string& text) {
  if (!current.open) return 0;
  WritePendingGroup();
  const int at = current.lastTouched == None ? 0 : current.lastTouched + 1;
  InsertEntry(at, {EntryKind::Comment, InFileForm(text), std::string()});
  current.lastTouched = at;
  return 1;
}

void PrefWriteText(const std::string& key, const std::string& value) {
  if (!current.open) return;
  WritePendingGroup();
  const int found = FindKey(key);
  if (found != None) {
    current.entries[found].Name = InFileForm(key);
    current.entries[found].Value = InFileForm(value);
    current.lastTouched = found;
    current.changed = true;
    return;
  }
  const int at = SelectedSection().second;
  InsertEntry(at, {EntryKind::Key, InFileForm(key), InFileForm(value)});
  current.lastTouched = at;
}

void PrefWriteNumber(const std::string& key, int32_t value) {
  PrefWriteText(key, std::to_string(value));
}

void PrefClose() {
  if (!current.open) return;
  if (!current.replacementPath.empty() && !current.changed) {
    // Nothing was written into a created file: it is empty on disk.
    WriteWhole(std::string());
  } else if (current.changed) {
    std::string bytes = current.utf8 ? ByteOrderMark : "";
    bytes += BuildPreferenceText(current.entries);
    WriteWhole(bytes);
  }
  Reset();
}
