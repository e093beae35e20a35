#include "core/text/code_page_1252.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "core/text/utf8_text.h"

namespace torvex::core::text {
namespace {

// Characters of bytes 0x80-0x9F; the undefined ones stand for themselves.
constexpr char32_t kHigh[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

char32_t cp1252CodePoint(unsigned char byte) { return byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : byte; }

bool toCp1252(char32_t cp, char& byte) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
    byte = static_cast<char>(cp);
    return true;
  }
  for (unsigned char b = 0x80; b < 0xA0; ++b)
    if (kHigh[b - 0x80] == cp) {
      byte = static_cast<char>(b);
      return true;
    }
  return false;
}

void appendCp1252AsUtf8(std::string& out, std::string_view bytes) {
  for (char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x80)
      out += c;
    else
      appendUtf8(out, cp1252CodePoint(b));
  }
}

std::string cp1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  appendCp1252AsUtf8(out, bytes);
  return out;
}

std::string utf8ToCp1252(std::string_view utf8, char unmappable) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t at = 0; at < utf8.size();) {
    char b;
    out += toCp1252(nextCodePoint(utf8, at), b) ? b : unmappable;
  }
  return out;
}

bool isAscii(std::string_view bytes) {
  // Eight bytes at a time: this runs for every field of every record.
  std::size_t i = 0;
  for (; i + 8 <= bytes.size(); i += 8) {
    std::uint64_t word;
    std::memcpy(&word, bytes.data() + i, 8);
    if (word & 0x8080808080808080ull) return false;
  }
  for (; i < bytes.size(); ++i)
    if (static_cast<unsigned char>(bytes[i]) >= 0x80) return false;
  return true;
}

bool isPrintable(std::string_view bytes) {
  return std::all_of(bytes.begin(), bytes.end(), [](char c) { return isPrintableByte(static_cast<unsigned char>(c)); });
}

bool isLetterByte(unsigned char b) {
  if ((b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z')) return true;
  switch (b) {
    case 0x83: case 0x8A: case 0x8C: case 0x8E: case 0x9A: case 0x9C: case 0x9E: case 0x9F:
    case 0xAA: case 0xB5: case 0xBA:
      return true;
    default:
      return b >= 0xC0 && b != 0xD7 && b != 0xF7;
  }
}

bool isAllDigits(std::string_view bytes) {
  return !bytes.empty() &&
         std::all_of(bytes.begin(), bytes.end(), [](char c) { return isDigitByte(static_cast<unsigned char>(c)); });
}

}  // namespace torvex::core::text
