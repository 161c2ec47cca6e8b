#include "selfupdate/finalizer/command_line.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Split(const std::string& line) {
  std::vector<char> buffer(line.size() + 1);
  const char* tokens[16] = {};
  const int count = SplitCommandLine(line.c_str(), buffer.data(), tokens, 16);
  std::vector<std::string> result;
  for (int i = 0; i < count && i < 16; ++i) result.push_back(tokens[i]);
  EXPECT_LE(count, 16);
  return result;
}

}  // namespace

TEST(FinalizerCommandLine, SplitsAtBlanksAndQuotes) {
  using Tokens = std::vector<std::string>;
  const struct {
    const char* line;
    Tokens tokens;
  } cases[] = {
      {"\"C:\\Temp\\UpdateFinalizer.exe\" \"/FinalizeUpdate\" \"C:\\My Tools\\Backups\\Tessary.exe\" "
       "\"C:\\My Tools\\Tessary.exe\"",
       {"C:\\Temp\\UpdateFinalizer.exe", "/FinalizeUpdate", "C:\\My Tools\\Backups\\Tessary.exe",
        "C:\\My Tools\\Tessary.exe"}},
      {"   prog    a   b   ", {"prog", "a", "b"}},
      {"\"a b\"c d", {"a b", "c", "d"}},
      {"\"a\"\"b\"", {"a", "b"}},
      {"prog \"unclosed quote runs on", {"prog", "unclosed quote runs on"}},
      {"prog a\"b\"c", {"prog", "a\"b\"c"}},
      {"prog\ta\tb", {"prog\ta\tb"}},
      {"prog \"back\\\"slash\"", {"prog", "back\\", "slash\""}},
      {"prog \"\" x", {"prog", "", "x"}},
      {"", {}},
      {"    ", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(Split(c.line), c.tokens) << c.line;
}

TEST(FinalizerCommandLine, CountsTokensBeyondTheOnesKept) {
  const std::string line = "p a b c d e";
  std::vector<char> buffer(line.size() + 1);
  const char* tokens[2] = {};
  EXPECT_EQ(SplitCommandLine(line.c_str(), buffer.data(), tokens, 2), 6);
  EXPECT_STREQ(tokens[0], "p");
  EXPECT_STREQ(tokens[1], "a");
}
