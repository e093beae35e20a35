#include "core/text/utf8_text.h"

namespace torvex::core::text {

DecodedCharacter decodeAt(std::string_view s, std::size_t at) {
  const auto lead = static_cast<unsigned char>(s[at]);
  if (lead < 0x80) return {lead, 1, true};
  std::size_t n = 0;
  char32_t cp = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    n = 2;
    cp = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    n = 3;
    cp = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    n = 4;
    cp = lead & 0x07;
  } else {
    return {};
  }
  if (at + n > s.size()) return {};
  for (std::size_t k = 1; k < n; ++k) {
    const auto c = static_cast<unsigned char>(s[at + k]);
    if ((c & 0xC0) != 0x80) return {};
    cp = (cp << 6) | (c & 0x3F);
  }
  // Overlong forms, surrogates and values past U+10FFFF are malformed.
  if ((n == 3 && cp < 0x800) || (n == 4 && (cp < 0x10000 || cp > 0x10FFFF)) || (cp >= 0xD800 && cp <= 0xDFFF))
    return {};
  return {cp, n, true};
}

void appendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

std::size_t characterCount(std::string_view s) {
  std::size_t n = 0;
  for (std::size_t at = 0; at < s.size(); ++n) {
    // Plain ASCII needs no decoding.
    if (static_cast<unsigned char>(s[at]) < 0x80)
      ++at;
    else
      at += decodeAt(s, at).length;
  }
  return n;
}

std::string_view characterSubstr(std::string_view s, std::size_t from, std::size_t count) {
  std::size_t at = 0;
  for (std::size_t skipped = 0; skipped < from && at < s.size(); ++skipped) at += decodeAt(s, at).length;
  std::size_t end = at;
  for (std::size_t taken = 0; taken < count && end < s.size(); ++taken) end += decodeAt(s, end).length;
  return s.substr(at, end - at);
}

bool hasRepeatedCharacter(std::string_view s, int run) {
  char32_t previous = 0;
  int same = 0;
  for (std::size_t at = 0; at < s.size();) {
    const char32_t c = nextCodePoint(s, at);
    same = (same > 0 && c == previous) ? same + 1 : 1;
    previous = c;
    if (same >= run && c != U' ') return true;
  }
  return false;
}

}  // namespace torvex::core::text
