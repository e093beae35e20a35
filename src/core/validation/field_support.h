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

// Value of the digits at [pos, pos + len); -1 when one is missing or not a digit.
inline std::int64_t digitsAt(std::string_view v, std::size_t pos, std::size_t len) {
  if (pos + len > v.size() || len == 0) return -1;
  std::int64_t n = 0;
  for (std::size_t i = pos; i < pos + len; ++i) {
    const char c = v[i];
    if (c < '0' || c > '9') return -1;
    n = n * 10 + (c - '0');
  }
  return n;
}

// Value of an all-digit text after trimming (0 for anything else); no allocation.
inline std::int64_t number(std::string_view v) {
  v = trimBlanks(v);
  if (v.size() > 18) return isNumeric(v) ? integerOrZero(v) : 0;
  const auto n = digitsAt(v, 0, v.size());
  return n < 0 ? 0 : n;
}

// Upper-cased comparison of the start of `text` with `prefix` (ASCII letters only).
inline bool startsWithUpper(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (text::upperAsciiLetter(text[i]) != prefix[i]) return false;
  }
  return true;
}
inline bool equalsUpper(std::string_view text, std::string_view upper) {
  return text.size() == upper.size() && startsWithUpper(text, upper);
}

// Parts of an 8-digit ddmmyyyy date, or of a 4-digit ddmm date; 0 when absent.
inline int yearOf(std::string_view ddmmyyyy) {
  if (ddmmyyyy.size() != 8 || digitsAt(ddmmyyyy, 0, 4) < 0) return 0;
  const auto y = digitsAt(ddmmyyyy, 4, 4);
  return y < 0 ? 0 : static_cast<int>(y);
}
inline int monthOf(std::string_view date) {
  const auto m = digitsAt(date, 2, 2);
  return m < 0 ? 0 : static_cast<int>(m);
}
// Month and day as mmdd, for comparing dates within one year.
inline int monthDayOf(std::string_view date) {
  const auto d = digitsAt(date, 0, 2);
  const auto m = digitsAt(date, 2, 2);
  return d < 0 || m < 0 ? 0 : static_cast<int>(m * 100 + d);
}
// ddmmyyyy as yyyymmdd.
inline std::int64_t sortableDate(std::string_view ddmmyyyy) {
  if (ddmmyyyy.size() != 8 || digitsAt(ddmmyyyy, 0, 8) < 0) return 0;
  return digitsAt(ddmmyyyy, 4, 4) * 10000 + digitsAt(ddmmyyyy, 2, 2) * 100 + digitsAt(ddmmyyyy, 0, 2);
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
