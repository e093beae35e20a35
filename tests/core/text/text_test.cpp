// The text module: code page 1252 both ways, characters of stored UTF-8, JSON strings.
#include <gtest/gtest.h>

#include <string>

#include "core/text/code_page_1252.h"
#include "core/text/json_string.h"
#include "core/text/utf8_text.h"
#include "core/text/visible_text.h"

namespace torvex::core::text {
namespace {

using namespace std::string_literals;

TEST(CodePage1252, EveryByteComesBackAsItWas) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  const std::string utf8 = cp1252ToUtf8(all);
  EXPECT_EQ(characterCount(utf8), 256u);
  EXPECT_EQ(utf8ToCp1252(utf8), all);
}

TEST(CodePage1252, CharactersBothWays) {
  EXPECT_EQ(cp1252ToUtf8("\x80\xC7\xE3\x9C"), "€Çãœ");
  EXPECT_EQ(utf8ToCp1252("€Çãœ"), "\x80\xC7\xE3\x9C");
  // A character the code page lacks, and a malformed byte, are one '?' each.
  EXPECT_EQ(utf8ToCp1252("A→B\xFF"), "A?B?");
}

TEST(Utf8Text, CountsCutsAndRepeatsInCharacters) {
  EXPECT_EQ(characterCount("RUA ÇÇÇÇ"), 8u);
  EXPECT_EQ(characterCount("AB\0CD"s), 5u);
  EXPECT_EQ(characterCount("A\xC3"), 2u);  // a cut sequence is one character
  EXPECT_EQ(characterSubstr("0012345678901Ç", 2, 12), "12345678901Ç");
  EXPECT_EQ(characterSubstr("ÇÃ", 1), "Ã");
  EXPECT_EQ(characterSubstr("ÇÃ", 5, 2), "");
  EXPECT_EQ(firstCharacters("JOÃO DA SILVA", 4), "JOÃO");
  EXPECT_TRUE(hasRepeatedCharacter("RUA ÇÇÇÇ", 4));
  EXPECT_FALSE(hasRepeatedCharacter("RUA ÇÇÇ", 4));
  EXPECT_FALSE(hasRepeatedCharacter("A    B", 4));  // blanks do not count
  EXPECT_EQ(trimBlanks("  A B  "), "A B");
  EXPECT_EQ(trimTrailingBlanks("  A  "), "  A");
  std::string s;
  for (char32_t c : {U'A', U'é', U'€', U'😀'}) appendUtf8(s, c);
  EXPECT_EQ(s, "Aé€😀");
  std::size_t at = 0;
  for (char32_t c : {U'A', U'é', U'€', U'😀'}) EXPECT_EQ(nextCodePoint(s, at), c);
  EXPECT_EQ(at, s.size());
}

TEST(JsonString, AnyTextGivesValidJson) {
  EXPECT_EQ(jsonQuoted("SALA \"B\" \\ 2\n"), R"("SALA \"B\" \\ 2\n")");
  EXPECT_EQ(jsonQuoted("AB\0CD\x7F"s), R"("AB\u0000CD\u007f")");
  EXPECT_EQ(jsonQuoted("JOÃO \xC3"), "\"JOÃO \xEF\xBF\xBD\"");
  EXPECT_EQ(jsonQuoted("\xED\xA0\x80"), "\"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\"");  // a surrogate is malformed
}

TEST(VisibleText, ControlCharactersAndStrayBytesAreEscaped) {
  const struct {
    std::string in, out;
  } cases[] = {
      {"Razão Social 12", "Razão Social 12"},
      {"\x1b[2J", "\\x1B[2J"},
      {"a\nb\rc\x7f", "a\\x0Ab\\x0Dc\\x7F"},
      {"\xC2\x9B" "31m", "\\xC2\\x9B31m"},  // C1 CSI in UTF-8
      {"\xE7\xE3o", "\\xE7\\xE3o"},          // code page 1252 bytes, not UTF-8
  };
  for (const auto& c : cases) EXPECT_EQ(visibleText(c.in), c.out) << c.in;
}

}  // namespace
}  // namespace torvex::core::text
