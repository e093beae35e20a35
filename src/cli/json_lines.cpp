#include "cli/json_lines.h"

namespace torvex::cli {
namespace {

// Length of the valid UTF-8 sequence starting at s[i], or 0 when it is not one.
std::size_t utf8SequenceLength(std::string_view s, std::size_t i) {
  const auto b = static_cast<unsigned char>(s[i]);
  std::size_t n = 0;
  std::uint32_t cp = 0;
  if (b < 0x80) return 1;
  if (b >= 0xC2 && b <= 0xDF) {
    n = 2;
    cp = b & 0x1F;
  } else if (b >= 0xE0 && b <= 0xEF) {
    n = 3;
    cp = b & 0x0F;
  } else if (b >= 0xF0 && b <= 0xF4) {
    n = 4;
    cp = b & 0x07;
  } else {
    return 0;
  }
  if (i + n > s.size()) return 0;
  for (std::size_t k = 1; k < n; ++k) {
    const auto c = static_cast<unsigned char>(s[i + k]);
    if ((c & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (c & 0x3F);
  }
  // Overlong forms, surrogates and values past U+10FFFF are refused.
  if ((n == 3 && cp < 0x800) || (n == 4 && (cp < 0x10000 || cp > 0x10FFFF)) || (cp >= 0xD800 && cp <= 0xDFFF))
    return 0;
  return n;
}

}  // namespace

std::string jsonQuoted(std::string_view utf8) {
  static const char* hex = "0123456789abcdef";
  std::string out = "\"";
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
          out += hex[c >> 4];
          out += hex[c & 15];
        } else if (c < 0x80) {
          out += static_cast<char>(c);
        } else if (const std::size_t n = utf8SequenceLength(utf8, i)) {
          out.append(utf8.substr(i, n));
          i += n;
          continue;
        } else {
          out += "\xEF\xBF\xBD";
        }
    }
    ++i;
  }
  return out + "\"";
}

void JsonObject::key(std::string_view k) {
  if (!body_.empty()) body_ += ", ";
  body_ += jsonQuoted(k);
  body_ += ": ";
}

JsonObject& JsonObject::add(std::string_view k, std::string_view text) {
  key(k);
  body_ += jsonQuoted(text);
  return *this;
}

JsonObject& JsonObject::add(std::string_view k, std::int64_t number) {
  key(k);
  body_ += std::to_string(number);
  return *this;
}

JsonObject& JsonObject::add(std::string_view k, bool flag) {
  key(k);
  body_ += flag ? "true" : "false";
  return *this;
}

JsonObject& JsonObject::addNull(std::string_view k) {
  key(k);
  body_ += "null";
  return *this;
}

void writeJsonLine(std::ostream& out, const JsonObject& object) { out << object.str() << '\n'; }

}  // namespace torvex::cli
