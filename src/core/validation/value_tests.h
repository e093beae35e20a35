#pragma once
// The small shared tests every field check rests on: digits, zeros, printable
// text, dates, head office, the minimum-wage bounds, and the fixed-width
// numeric tests and text rule that answer a message code ("0000" when valid).
#include <cstdint>
#include <string>
#include <string_view>

namespace torvex::core::validation {

// Message code meaning "valid".
inline constexpr std::string_view kValid = "0000";
// Answer of the fixed-width numeric test for a value longer than the field; not a message key.
inline constexpr std::string_view kTooLong = "X";

// Trimmed value is non-empty and made only of the digits 0 to 9.
bool isNumeric(std::string_view value);
// Value (untrimmed) is non-empty and every character is "0".
bool isAllZero(std::string_view value);
// Empty, or every character in blank..'~' and no quote of either kind (accented letters fail).
bool isPrintable(std::string_view value);
// Empty, or every character an ASCII letter.
bool isLettersOnly(std::string_view value);
// Fails when the trimmed value holds four identical non-blank characters in a row.
bool passesRepeatedCharacter(std::string_view value);
// A real Gregorian date written ddmmyyyy (exactly 8 digits, year 1 to 9999).
bool isValidDate(std::string_view ddmmyyyy);
// Characters 9 to 12 are "0001" (an all-zero value is not a head office).
bool isHeadOffice(std::string_view inscription);
bool containsAtSign(std::string_view value);
// Empty or all-zero: the field was not informed.
inline bool isNotInformed(std::string_view value) { return value.empty() || isAllZero(value); }

// Amount in cents below the month's minimum wage (30000 in months 1 to 3, 35000 after).
bool isBelowMinimumWage(std::int64_t cents, int month);
// Amount in cents at least 150 minimum wages (150 x 30000 in months 1 to 4, 150 x 35000 from month 5).
bool isAtMinimumWageCeiling(std::int64_t cents, int month);

// Trimmed value: not numeric "0040", longer than width "X", shorter "0040", exact "0000".
std::string_view checkFixedWidthNumeric(std::string_view value, std::size_t width);
// As above, but a shorter value answers "3648".
std::string_view checkFixedWidthNumericShort(std::string_view value, std::size_t width);
// Trimmed value numeric "0000", else "0030".
std::string_view checkNumericContent(std::string_view value);
// Trimmed value: not printable "0020", two characters or fewer "0010", else "0000".
std::string_view checkText(std::string_view value);

}  // namespace torvex::core::validation
