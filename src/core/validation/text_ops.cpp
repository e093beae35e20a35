#include "core/validation/text_ops.h"

#include <array>
#include <limits>
#include <system_error>

namespace torvex::core::validation {

std::string zeros(std::size_t n) { return std::string(n, '0'); }
std::string blanks(std::size_t n) { return std::string(n, ' '); }

std::string fitLeft(std::string_view value, std::size_t n) {
  std::string s(text::firstCharacters(value, n));
  return s + blanks(n - text::characterCount(s));
}

std::string fitRight(std::string_view value, std::size_t n) {
  const std::size_t count = text::characterCount(value);
  if (count >= n) return std::string(text::firstCharacters(value, n));
  return zeros(n - count) + std::string(value);
}

std::int64_t integerOrZero(std::string_view value) {
  const auto b = value.find_first_not_of(' ');
  if (b == std::string_view::npos) return 0;
  value.remove_prefix(b);
  bool negative = false;
  if (value[0] == '+' || value[0] == '-') {
    negative = value[0] == '-';
    value.remove_prefix(1);
  }
  if (value.empty()) return 0;
  // Eighteen digits always fit; beyond that every step is checked.
  constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
  std::int64_t n = 0;
  std::size_t i = 0;
  for (; i < value.size() && i < 18; ++i) {
    const char c = value[i];
    if (c < '0' || c > '9') return 0;
    n = n * 10 + (c - '0');
  }
  for (; i < value.size(); ++i) {
    const char c = value[i];
    if (c < '0' || c > '9') return 0;
    const int d = c - '0';
    if (n > (kMax - d) / 10) return 0;
    n = n * 10 + d;
  }
  return negative ? -n : n;
}

std::filesystem::path applicationFolder() {
  std::error_code ec;
  auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return std::filesystem::current_path(ec) / "";
  return exe.parent_path() / "";
}

int wordCount(std::string_view value) {
  const auto v = trimBlanks(value);
  if (v.empty()) return 0;
  int count = 1;
  for (std::size_t i = 0; i + 1 < v.size(); ++i)
    if (v[i] != ' ' && v[i + 1] == ' ') ++count;
  return count;
}

std::string_view stripLeadingZeros(std::string_view value) {
  const auto b = value.find_first_not_of('0');
  return b == std::string_view::npos ? std::string_view{} : value.substr(b);
}

std::string phoneDisplay(std::string_view value) {
  std::string s(stripLeadingZeros(value));
  if (s.size() >= 5) s.insert(s.size() - 4, "-");
  return s;
}

std::string_view monthName(std::string_view number) {
  static constexpr std::array<std::string_view, 12> kNames{
      "Janeiro", "Fevereiro", "Março", "Abril", "Maio", "Junho",
      "Julho", "Agosto", "Setembro", "Outubro", "Novembro", "Dezembro"};
  const auto n = integerOrZero(number);
  if (n >= 1 && n <= 12) return kNames[static_cast<std::size_t>(n - 1)];
  if (n == 99) return "Totalização";
  return {};
}

}  // namespace torvex::core::validation
