#pragma once
// Text operations shared by validators, windows, readers and writers of
// fixed-width declaration values.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "core/text/utf8_text.h"

namespace torvex::core::validation {

std::string zeros(std::size_t n);
std::string blanks(std::size_t n);
// Padded on the right with blanks to n characters, then cut to n (characters, not bytes).
std::string fitLeft(std::string_view value, std::size_t n);
// Padded on the left with "0" to n characters, then cut to its first n characters (a longer value loses its right end).
std::string fitRight(std::string_view value, std::size_t n);
// Leading and trailing blanks removed (only the blank character).
using text::trimBlanks;
// The text read as a decimal integer (leading blanks and a sign allowed); 0 when it is not one.
std::int64_t integerOrZero(std::string_view value);
// The folder that holds the running executable.
std::filesystem::path applicationFolder();
// 0 for an empty trimmed value, else 1 plus the number of non-blank characters followed by a blank.
int wordCount(std::string_view value);
// Leading "0" removed; an all-zero value becomes empty.
std::string_view stripLeadingZeros(std::string_view value);
// Leading zeros stripped; with 5 or more digits left, "-" before the last four.
std::string phoneDisplay(std::string_view value);
// "1".."12" give the month's Portuguese name, "99" gives "Totalização", anything else "".
std::string_view monthName(std::string_view number);

}  // namespace torvex::core::validation
