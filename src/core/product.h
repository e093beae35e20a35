#pragma once
// The base year this program declares and the program's version. The version
// is the project version given to CMake (TORVEX_VERSION); every other place
// reads both from here.
#include <string_view>

namespace torvex::core::product {

inline constexpr std::string_view kBaseYear = "2006";
inline constexpr std::string_view kNextYear = "2007";      // the year a declaration is written in
inline constexpr std::string_view kPreviousYear = "2005";  // the layout read only for imports
inline constexpr std::string_view kVersion = TORVEX_VERSION;

constexpr int yearNumber(std::string_view year) {
  int n = 0;
  for (char c : year) n = n * 10 + (c - '0');
  return n;
}
inline constexpr int kBaseYearNumber = yearNumber(kBaseYear);

static_assert(yearNumber(kNextYear) == kBaseYearNumber + 1 && yearNumber(kPreviousYear) == kBaseYearNumber - 1);
// The version is "<base year>.<release>": the release digit goes into the declaration file.
static_assert(kVersion.size() == 6 && kVersion.substr(0, 4) == kBaseYear && kVersion[4] == '.');

}  // namespace torvex::core::product
