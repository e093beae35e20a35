#include "core/validation/value_tests.h"

#include "core/validation/text_ops.h"

namespace torvex::core::validation {

bool isNumeric(std::string_view value) {
  const auto v = trimBlanks(value);
  if (v.empty()) return false;
  for (char c : v)
    if (c < '0' || c > '9') return false;
  return true;
}

bool isAllZero(std::string_view value) {
  return !value.empty() && value.find_first_not_of('0') == std::string_view::npos;
}

bool isPrintable(std::string_view value) {
  for (char c : value) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 32 || u > 126 || c == '"' || c == '\'') return false;
  }
  return true;
}

bool isLettersOnly(std::string_view value) {
  for (char c : value)
    if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))) return false;
  return true;
}

bool passesRepeatedCharacter(std::string_view value) { return !text::hasRepeatedCharacter(trimBlanks(value), 4); }

bool isValidDate(std::string_view v) {
  if (v.size() != 8) return false;
  for (char c : v)
    if (c < '0' || c > '9') return false;
  auto num = [&](std::size_t pos, std::size_t len) {
    int n = 0;
    for (std::size_t i = pos; i < pos + len; ++i) n = n * 10 + (v[i] - '0');
    return n;
  };
  const int day = num(0, 2), month = num(2, 2), year = num(4, 4);
  if (year < 1 || month < 1 || month > 12 || day < 1) return false;
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  const int last = month == 2 && leap ? 29 : kDays[month - 1];
  return day <= last;
}

bool isHeadOffice(std::string_view inscription) {
  return text::characterSubstr(inscription, 8, 4) == "0001";
}

bool containsAtSign(std::string_view value) { return value.find('@') != std::string_view::npos; }

bool isBelowMinimumWage(std::int64_t cents, int month) { return cents < (month >= 4 ? 35000 : 30000); }

bool isAtMinimumWageCeiling(std::int64_t cents, int month) {
  return cents >= 150 * (month >= 5 ? 35000 : 30000);
}

namespace {
std::string_view fixedWidth(std::string_view value, std::size_t width, std::string_view shortCode) {
  const auto v = trimBlanks(value);
  if (v.empty()) return "0040";
  for (char c : v)
    if (c < '0' || c > '9') return "0040";
  if (v.size() > width) return kTooLong;
  if (v.size() < width) return shortCode;
  return kValid;
}
}  // namespace

std::string_view checkFixedWidthNumeric(std::string_view value, std::size_t width) {
  return fixedWidth(value, width, "0040");
}

std::string_view checkFixedWidthNumericShort(std::string_view value, std::size_t width) {
  return fixedWidth(value, width, "3648");
}

std::string_view checkNumericContent(std::string_view value) { return isNumeric(value) ? kValid : "0030"; }

std::string_view checkText(std::string_view value) {
  const auto v = trimBlanks(value);
  if (!isPrintable(v)) return "0020";
  if (text::characterCount(v) <= 2) return "0010";
  return kValid;
}

}  // namespace torvex::core::validation
