#include "core/text/visible_text.h"

#include "core/text/utf8_text.h"

namespace torvex::core::text {

namespace {

void appendEscaped(std::string& out, unsigned char byte) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  out += "\\x";
  out += kHex[byte >> 4];
  out += kHex[byte & 15];
}

}  // namespace

std::string visibleText(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const DecodedCharacter c = decodeAt(utf8, i);
    const bool control = c.codePoint < 0x20 || c.codePoint == 0x7F || (c.codePoint >= 0x80 && c.codePoint < 0xA0);
    if (!c.valid || control) {
      for (std::size_t k = 0; k < c.length; ++k) appendEscaped(out, static_cast<unsigned char>(utf8[i + k]));
    } else {
      out.append(utf8.substr(i, c.length));
    }
    i += c.length;
  }
  return out;
}

}  // namespace torvex::core::text
