#include "core/delivery/record_text.h"

#include <algorithm>
#include <cstdint>

namespace torvex::core::delivery {
namespace {

constexpr char kUnmappable = '?';

// Code page 1252 bytes 0x80-0x9F and the code points they stand for.
struct SpecialChar {
  char32_t codePoint;
  unsigned char byte;
};
constexpr SpecialChar kSpecials[] = {
    {0x20AC, 0x80}, {0x201A, 0x82}, {0x0192, 0x83}, {0x201E, 0x84}, {0x2026, 0x85}, {0x2020, 0x86},
    {0x2021, 0x87}, {0x02C6, 0x88}, {0x2030, 0x89}, {0x0160, 0x8A}, {0x2039, 0x8B}, {0x0152, 0x8C},
    {0x017D, 0x8E}, {0x2018, 0x91}, {0x2019, 0x92}, {0x201C, 0x93}, {0x201D, 0x94}, {0x2022, 0x95},
    {0x2013, 0x96}, {0x2014, 0x97}, {0x02DC, 0x98}, {0x2122, 0x99}, {0x0161, 0x9A}, {0x203A, 0x9B},
    {0x0153, 0x9C}, {0x017E, 0x9E}, {0x0178, 0x9F},
};

char toCp1252(char32_t cp) {
  if (cp < 0x80) return (cp >= 'a' && cp <= 'z') ? static_cast<char>(cp - 'a' + 'A') : static_cast<char>(cp);
  if (cp >= 0xA0 && cp <= 0xFF) return static_cast<char>(cp);
  for (const auto& s : kSpecials)
    if (s.codePoint == cp) return static_cast<char>(s.byte);
  return kUnmappable;
}

// Decodes one UTF-8 character at `i`, advancing it; malformed input gives U+FFFD.
char32_t nextCodePoint(std::string_view s, std::size_t& i) {
  const auto lead = static_cast<unsigned char>(s[i++]);
  if (lead < 0x80) return lead;
  int extra = 0;
  char32_t cp = 0;
  if ((lead & 0xE0) == 0xC0) {
    extra = 1;
    cp = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2;
    cp = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3;
    cp = lead & 0x07;
  } else {
    return 0xFFFD;
  }
  for (int k = 0; k < extra; ++k) {
    if (i >= s.size() || (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) return 0xFFFD;
    cp = (cp << 6) | (static_cast<unsigned char>(s[i++]) & 0x3F);
  }
  return cp;
}

}  // namespace

std::string_view trimmed(std::string_view value) {
  const auto first = value.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return value.substr(first, value.find_last_not_of(' ') - first + 1);
}

void placeField(std::string& record, int start, int width, std::string_view value, std::string_view defaultValue) {
  if (start < 1 || width < 1 || static_cast<std::size_t>(start - 1 + width) > record.size()) return;
  if (!defaultValue.empty() && trimmed(value).empty()) value = defaultValue;
  char* out = record.data() + (start - 1);
  int written = 0;
  for (std::size_t i = 0; i < value.size() && written < width;) out[written++] = toCp1252(nextCodePoint(value, i));
  std::fill(out + written, out + width, ' ');
}

std::string zeroPadded(long long number, int width) {
  std::string digits = std::to_string(number);
  if (static_cast<int>(digits.size()) < width) digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
  return digits;
}

}  // namespace torvex::core::delivery
