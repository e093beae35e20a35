#pragma once
// Small helpers shared by the field validators (not part of their interface).
#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "core/validation/text_ops.h"
#include "core/validation/value_tests.h"

namespace torvex::core::validation::detail {

inline bool oneOf(std::string_view v, std::initializer_list<std::string_view> set) {
  for (auto s : set)
    if (v == s) return true;
  return false;
}

// Value of an all-digit text (0 for anything else); no allocation.
inline std::int64_t number(std::string_view v) { return isNumeric(v) ? integerOrZero(trimBlanks(v)) : 0; }

// Upper-cased comparison of the start of `text` with `prefix` (ASCII letters only).
inline bool startsWithUpper(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    char c = text[i];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c != prefix[i]) return false;
  }
  return true;
}
inline bool equalsUpper(std::string_view text, std::string_view upper) {
  return text.size() == upper.size() && startsWithUpper(text, upper);
}

// Parts of an 8-digit ddmmyyyy date, or of a 4-digit ddmm date; 0 when absent.
inline int yearOf(std::string_view ddmmyyyy) {
  return ddmmyyyy.size() == 8 && isNumeric(ddmmyyyy) ? static_cast<int>(integerOrZero(ddmmyyyy.substr(4))) : 0;
}
inline int monthOf(std::string_view date) {
  return date.size() >= 4 && isNumeric(date.substr(2, 2)) ? static_cast<int>(integerOrZero(date.substr(2, 2))) : 0;
}
// Month and day as mmdd, for comparing dates within one year.
inline int monthDayOf(std::string_view date) {
  if (date.size() < 4 || !isNumeric(date.substr(0, 4))) return 0;
  return static_cast<int>(integerOrZero(date.substr(2, 2)) * 100 + integerOrZero(date.substr(0, 2)));
}
// ddmmyyyy as yyyymmdd.
inline std::int64_t sortableDate(std::string_view ddmmyyyy) {
  if (ddmmyyyy.size() != 8 || !isNumeric(ddmmyyyy)) return 0;
  return integerOrZero(ddmmyyyy.substr(4)) * 10000 + integerOrZero(ddmmyyyy.substr(2, 2)) * 100 +
         integerOrZero(ddmmyyyy.substr(0, 2));
}

// A ddmm date with the year appended passes the date test (no allocation).
inline bool isValidDayMonth(std::string_view ddmm, int year) {
  if (ddmm.size() != 4 || year < 1 || year > 9999) return false;
  char buf[8] = {ddmm[0], ddmm[1], ddmm[2], ddmm[3], static_cast<char>('0' + year / 1000),
                 static_cast<char>('0' + year / 100 % 10), static_cast<char>('0' + year / 10 % 10),
                 static_cast<char>('0' + year % 10)};
  return isValidDate(std::string_view(buf, 8));
}

// Informed: not empty and not all zeros (after trimming).
inline bool informed(std::string_view v) { return !isNotInformed(trimBlanks(v)); }

}  // namespace torvex::core::validation::detail
