#include "catalogue/version_probe.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "test_folder.h"

namespace {

const char* const NoFile = nullptr;

struct ProbeCase {
  const char* name;
  std::string residents;     // bytes of Residents\<name>.res; "\x01dir" makes it a folder
  const char* userLibrary;   // bytes of the user-library file; NoFile: missing
  std::string identifier;
  std::string expected;
};

std::string Probe(const TestFolder& folder, const std::string& name, const ProbeCase& c,
                  bool hasResidents = true) {
  const std::string subPath = "PureBasic/Residents/" + name + ".res";
  if (hasResidents) {
    if (c.residents == "\x01" "dir") {
      std::filesystem::create_directories(folder.Root() / subPath);
    } else {
      folder.WriteFile(subPath, c.residents);
    }
  }
  std::string libName = name.substr(name.find_last_of('/') + 1);
  if (c.userLibrary != NoFile && c.userLibrary == std::string("\x01" "dir")) {
    std::filesystem::create_directories(folder.Root() / "PureBasic/PureLibraries/UserLibraries" / libName);
  } else if (c.userLibrary != NoFile) {
    folder.WriteFile("PureBasic/PureLibraries/UserLibraries/" + libName, c.userLibrary);
  }
  const std::string pureBasic = folder.Product() + "PureBasic\\";
  std::string productName = name;
  for (char& ch : productName) {
    if (ch == '/') ch = '\\';
  }
  return ProbeInstalledVersion(pureBasic + "Residents\\" + productName, ".res", c.identifier,
                               pureBasic);
}

}  // namespace

TEST(VersionProbe, ReadsTheTextAfterTheFirstMatchOrFallsBack) {
  using namespace std::string_literals;
  const ProbeCase cases[] = {
      {"marker, two bytes, text", "head\0MyLib_Version\0\x01" "2.10\0tail"s, NoFile, "MyLib_Version", "2.10"},
      {"text kept as it is", "MyLib_Version--  2.1 beta \0"s, NoFile, "MyLib_Version", "  2.1 beta "},
      {"any case", "xxMYLIB_VERSION\0\0" "3.0\0"s, NoFile, "MyLib_Version", "3.0"},
      {"high ANSI letters fold", "\xC4RGER__1.5\0"s, NoFile, "\xE4rger", "1.5"},
      {"first match wins", "MyLib_V::1.0\0MyLib_V::2.0\0"s, NoFile, "MyLib_V", "1.0"},
      {"first match empty falls back", "MyLib_V::\0MyLib_V::2.0\0"s, "lib", "MyLib_V", "<unknown>"},
      {"marker at the end", "abcMyLib_V"s, "lib", "MyLib_V", "<unknown>"},
      {"one byte after the marker", "abcMyLib_V:"s, NoFile, "MyLib_V", "<not installed>"},
      {"two bytes after the marker", "abcMyLib_V::"s, "lib", "MyLib_V", "<unknown>"},
      {"text to the end of the file", "MyLib_V::4.2"s, NoFile, "MyLib_V", "4.2"},
      {"marker longer than the file", "MyLib"s, "lib", "MyLib_Version", "<unknown>"},
      {"marker cut by a zero byte", "MyLib\0_V::1.0\0"s, NoFile, "MyLib_V", "<not installed>"},
      {"empty identifier: text at offset 2", "ab1.0\0"s, NoFile, "", "1.0"},
      {"empty identifier, two-byte file", "ab"s, "lib", "", "<unknown>"},
      {"no match, user library present", "nothing here"s, "lib", "MyLib_V", "<unknown>"},
      {"no match, user library empty", "nothing here"s, "", "MyLib_V", "<not installed>"},
      {"no match, user library a folder", "nothing here"s, "\x01" "dir", "MyLib_V", "<not installed>"},
      {"empty residents file", ""s, "lib", "", "<unknown>"},
      {"residents is a folder", "\x01" "dir"s, "lib", "", "<unknown>"},
      {"identifier cut at a zero byte", "MyLib::5.0\0"s, NoFile, "MyLib\0junk"s, "5.0"},
  };
  for (const auto& c : cases) {
    TestFolder folder;
    EXPECT_EQ(Probe(folder, "Lib", c), c.expected) << c.name;
  }
}

TEST(VersionProbe, ResidentsMissing) {
  for (const auto& [userLibrary, expected] :
       {std::pair<const char*, const char*>{"lib", "<unknown>"}, {NoFile, "<not installed>"}}) {
    TestFolder folder;
    const ProbeCase c{"missing", "", userLibrary, "MyLib_V", expected};
    EXPECT_EQ(Probe(folder, "Lib", c, false), expected);
  }
}

TEST(VersionProbe, NamesWithAFolderOrNoName) {
  using namespace std::string_literals;
  {
    // The residents file lies in a subfolder; the fallback looks for the bare name.
    TestFolder folder;
    const ProbeCase found{"", "Sub_V::1.1\0"s, NoFile, "Sub_V", ""};
    EXPECT_EQ(Probe(folder, "Sub/Lib", found), "1.1");
    TestFolder other;
    const ProbeCase fallback{"", "none"s, "lib", "Sub_V", ""};
    EXPECT_EQ(Probe(other, "Sub/Lib", fallback), "<unknown>");
    EXPECT_TRUE(std::filesystem::exists(other.Root() / "PureBasic/PureLibraries/UserLibraries/Lib"));
  }
  {
    // An empty name reads the file ".res"; the fallback names the folder itself.
    TestFolder folder;
    const ProbeCase c{"", "X_V::9\0"s, NoFile, "X_V", ""};
    EXPECT_EQ(Probe(folder, "", c), "9");
    TestFolder none;
    std::filesystem::create_directories(none.Root() / "PureBasic/PureLibraries/UserLibraries");
    EXPECT_EQ(ProbeInstalledVersion(none.Product() + "PureBasic\\Residents\\", ".res", "X_V",
                                    none.Product() + "PureBasic\\"),
              "<not installed>");
  }
}

// The quick candidate search finds what a plain scan at every offset finds.
TEST(VersionProbe, QuickScanAgreesWithAPlainScan) {
  const auto plain = [](const std::string& bytes, const std::string& marker) {
    const auto fold = [](unsigned char c) {
      return ((c >= 0x41 && c <= 0x5A) || (c >= 0xC0 && c <= 0xDE)) ? c + 0x20 : c;
    };
    for (size_t i = 0; i < bytes.size(); ++i) {
      bool match = true;
      for (size_t k = 0; k < marker.size() && match; ++k) {
        const unsigned char b = i + k < bytes.size() ? bytes[i + k] : 0;
        match = b != 0 && fold(b) == fold(static_cast<unsigned char>(marker[k]));
      }
      if (match) {
        std::string padded = bytes + std::string(60, '\0');
        return std::string(padded.c_str() + i + marker.size() + 2);
      }
    }
    return std::string();
  };
  std::mt19937 random(7);
  const std::string alphabet = std::string("aAbB\xC4\xE4\0:.1", 10);
  for (int round = 0; round < 3000; ++round) {
    std::string bytes(random() % 40 + 1, ' ');
    for (char& c : bytes) c = alphabet[random() % alphabet.size()];
    std::string marker(random() % 4 + 1, ' ');
    for (char& c : marker) c = alphabet[random() % 6];
    std::string buffer = bytes + std::string(50, '\0');
    ASSERT_EQ(FindVersionText(buffer.data(), bytes.size(), marker), plain(bytes, marker))
        << round;
  }
}
