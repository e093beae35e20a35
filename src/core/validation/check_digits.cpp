#include "core/validation/check_digits.h"

#include <array>

namespace torvex::core::validation {
namespace {

bool allDigits(std::string_view s) {
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

// Weighted sum with weights cycling from 2 up to maxWeight, from the rightmost digit leftwards.
int cyclicSum(std::string_view digits, int maxWeight) {
  int sum = 0;
  int weight = 2;
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    sum += (*it - '0') * weight;
    weight = weight == maxWeight ? 2 : weight + 1;
  }
  return sum;
}

char ruleA(int sum) {
  const int r = sum % 11;
  return r < 2 ? '0' : static_cast<char>('0' + 11 - r);
}

// Remainder 1 has no valid digit: answers 'X', which no digit matches.
char ruleB(int sum) {
  const int r = sum % 11;
  if (r == 0) return '0';
  if (r == 1) return 'X';
  return static_cast<char>('0' + 11 - r);
}

char ceiDigit(std::string_view first11) {
  static constexpr std::array<int, 11> kWeights{7, 4, 1, 8, 5, 2, 1, 6, 3, 7, 4};
  int sum = 0;
  for (std::size_t i = 0; i < kWeights.size(); ++i) sum += (first11[i] - '0') * kWeights[i];
  const int lastTwo = sum % 100;
  const int u = (lastTwo / 10 + lastTwo % 10) % 10;
  return u == 0 ? '0' : static_cast<char>('0' + 10 - u);
}

}  // namespace

bool isCnpj(std::string_view value) {
  if (value.size() < 14) return false;
  const auto v = value.substr(0, 14);
  if (!allDigits(v) || v.substr(8, 4) == "0000") return false;
  return ruleA(cyclicSum(v.substr(0, 12), 9)) == v[12] && ruleA(cyclicSum(v.substr(0, 13), 9)) == v[13];
}

bool isCnpjStrict(std::string_view value) { return value.size() == 14 && isCnpj(value); }

bool isCei(std::string_view value) {
  if (value.size() != 14 || !allDigits(value)) return false;
  if (value.substr(0, 2) != "00" || value.substr(2, 4) == "0000") return false;
  return ceiDigit(value.substr(2, 11)) == value[13];
}

bool isCpf(std::string_view value) {
  if (value.size() != 11 || !allDigits(value)) return false;
  return ruleA(cyclicSum(value.substr(0, 9), 11)) == value[9] && ruleA(cyclicSum(value.substr(0, 10), 11)) == value[10];
}

bool isPis(std::string_view value) {
  if (value.size() != 11 || !allDigits(value)) return false;
  if (value[0] != '1' && value[0] != '2') return false;
  // Well-known dummy numbers whose check digit happens to fit.
  if (value == "12345678900" || value == "10987654321" || value == "10000000008") return false;
  return ruleB(cyclicSum(value.substr(0, 10), 9)) == value[10];
}

std::string cnpjCheckDigits(std::string_view first12) {
  if (first12.size() != 12 || !allDigits(first12)) return {};
  std::string n(first12);
  n += ruleA(cyclicSum(n, 9));
  n += ruleA(cyclicSum(n, 9));
  return n.substr(12);
}

std::optional<char> ceiCheckDigit(std::string_view first11) {
  if (first11.size() != 11 || !allDigits(first11)) return std::nullopt;
  return ceiDigit(first11);
}

std::string cpfCheckDigits(std::string_view first9) {
  if (first9.size() != 9 || !allDigits(first9)) return {};
  std::string n(first9);
  n += ruleA(cyclicSum(n, 11));
  n += ruleA(cyclicSum(n, 11));
  return n.substr(9);
}

std::optional<char> pisCheckDigit(std::string_view first10) {
  if (first10.size() != 10 || !allDigits(first10)) return std::nullopt;
  const char d = ruleB(cyclicSum(first10, 9));
  if (d == 'X') return std::nullopt;
  return d;
}

}  // namespace torvex::core::validation
