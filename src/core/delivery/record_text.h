#pragma once
// Placing stored values into a fixed-width record of the declaration file:
// left-aligned, blank-padded, a-z upper-cased (accented letters unchanged),
// the layout's default for a blank value, converted from UTF-8 to code page
// 1252 (the file's character set).
#include <string>
#include <string_view>

namespace torvex::core::delivery {

// Writes `value` into `record` at the 1-based position `start`, `width`
// characters wide. A value blank after trimming is replaced by `defaultValue`
// when one is given. Characters beyond `width` are not written; characters
// that code page 1252 lacks are written as '?'.
void placeField(std::string& record, int start, int width, std::string_view value,
                std::string_view defaultValue = {});

// A number as decimal digits, left-padded with "0" to `width`.
std::string zeroPadded(long long number, int width);

}  // namespace torvex::core::delivery
