#include "core/delivery/record_text.h"

#include <algorithm>

#include "core/text/code_page_1252.h"
#include "core/text/utf8_text.h"

namespace torvex::core::delivery {

void placeField(std::string& record, int start, int width, std::string_view value, std::string_view defaultValue) {
  if (start < 1 || width < 1 || static_cast<std::size_t>(start - 1 + width) > record.size()) return;
  if (!defaultValue.empty() && text::trimBlanks(value).empty()) value = defaultValue;
  char* out = record.data() + (start - 1);
  int written = 0;
  for (std::size_t i = 0; i < value.size() && written < width;) {
    char byte;
    out[written++] = text::toCp1252(text::upperAsciiLetter(text::nextCodePoint(value, i)), byte) ? byte : '?';
  }
  std::fill(out + written, out + width, ' ');
}

std::string zeroPadded(long long number, int width) {
  std::string digits = std::to_string(number);
  if (static_cast<int>(digits.size()) < width) digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
  return digits;
}

}  // namespace torvex::core::delivery
