#pragma once
// Text as the database holds it: UTF-8, measured, cut and compared in
// characters, never in bytes. Every character counts, a NUL included.
// A declaration file has one byte per character (code page 1252, see
// code_page_1252.h), so a value's width in the file is its character count here.
#include <cstddef>
#include <string>
#include <string_view>

namespace torvex::core::text {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// One character of a UTF-8 text.
struct DecodedCharacter {
  char32_t codePoint = kReplacementCharacter;
  std::size_t length = 1;  // bytes it takes (1 for a malformed byte)
  bool valid = false;      // a well-formed sequence (no overlong form, surrogate or value past U+10FFFF)
};

// The character that starts at byte `at` (which must be inside the text). A
// malformed byte is one character of its own, U+FFFD.
DecodedCharacter decodeAt(std::string_view utf8, std::size_t at);

// Decodes the character at byte `at` and moves `at` past it.
inline char32_t nextCodePoint(std::string_view utf8, std::size_t& at) {
  const DecodedCharacter c = decodeAt(utf8, at);
  at += c.length;
  return c.codePoint;
}

// Appends a code point as UTF-8.
void appendUtf8(std::string& out, char32_t codePoint);

// Number of characters.
std::size_t characterCount(std::string_view utf8);
// Characters [from, from + count) (0-based), cut to what exists; never splits a character.
std::string_view characterSubstr(std::string_view utf8, std::size_t from,
                                 std::size_t count = std::string_view::npos);
// The first `count` characters.
inline std::string_view firstCharacters(std::string_view utf8, std::size_t count) {
  return characterSubstr(utf8, 0, count);
}
// True when the text holds `run` identical non-blank characters in a row.
bool hasRepeatedCharacter(std::string_view utf8, int run);

// Blanks (the blank character only) removed at both ends, or at the end.
inline std::string_view trimBlanks(std::string_view value) {
  std::size_t b = 0, e = value.size();
  while (b < e && value[b] == ' ') ++b;
  while (e > b && value[e - 1] == ' ') --e;
  return value.substr(b, e - b);
}
inline std::string_view trimTrailingBlanks(std::string_view value) {
  std::size_t e = value.size();
  while (e > 0 && value[e - 1] == ' ') --e;
  return value.substr(0, e);
}

// a-z upper-cased; every other character (accented letters included) unchanged,
// as the declaration file is written.
inline char32_t upperAsciiLetter(char32_t c) { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c; }
inline char upperAsciiLetter(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace torvex::core::text
