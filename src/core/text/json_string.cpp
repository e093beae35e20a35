#include "core/text/json_string.h"

#include "core/text/utf8_text.h"

namespace torvex::core::text {

void appendJsonString(std::string& out, std::string_view utf8) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += '"';
  for (std::size_t i = 0; i < utf8.size();) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      case '\b': out += "\\b"; break;
      case '\f': out += "\\f"; break;
      default:
        if (c < 0x20 || c == 0x7F) {
          out += "\\u00";
          out += kHex[c >> 4];
          out += kHex[c & 15];
        } else if (c < 0x80) {
          out += static_cast<char>(c);
        } else if (const auto decoded = decodeAt(utf8, i); decoded.valid) {
          out.append(utf8.substr(i, decoded.length));
          i += decoded.length;
          continue;
        } else {
          out += "\xEF\xBF\xBD";
        }
    }
    ++i;
  }
  out += '"';
}

std::string jsonQuoted(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size() + 2);
  appendJsonString(out, utf8);
  return out;
}

}  // namespace torvex::core::text
