#include "core/validation/formatters.h"

#include "core/validation/text_ops.h"
#include "core/validation/value_tests.h"

namespace torvex::core::validation {
namespace {

// Formats a non-negative number given as integer digits and exactly two decimals.
std::string group(std::string_view intDigits, std::string_view twoDecimals, bool negative) {
  auto digits = stripLeadingZeros(intDigits);
  std::string whole = digits.empty() ? "0" : std::string(digits);
  std::string out;
  for (std::size_t i = 0; i < whole.size(); ++i) {
    if (i > 0 && (whole.size() - i) % 3 == 0) out += '.';
    out += whole[i];
  }
  out += ',';
  out += twoDecimals;
  if (negative && out != "0,00") out.insert(0, "-");
  return out;
}

std::string finish(std::string formatted, AmountPadding padding) {
  return padding == AmountPadding::Table ? padAmount(formatted) : formatted;
}

// Adds one to a string of decimal digits.
void increment(std::string& digits) {
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    if (*it != '9') {
      ++*it;
      return;
    }
    *it = '0';
  }
  digits.insert(digits.begin(), '1');
}

}  // namespace

std::string padAmount(std::string_view formatted) {
  std::size_t pad = 0;
  switch (formatted.size()) {
    case 4: pad = 14; break;
    case 5: pad = 12; break;
    case 6: pad = 11; break;
    case 8: pad = 7; break;
    case 9: pad = 5; break;
    case 10: pad = 3; break;
    default: break;
  }
  return blanks(pad) + std::string(formatted);
}

std::string formatEnteredAmount(std::string_view text, AmountPadding padding) {
  std::string s;
  for (char c : trimBlanks(text))
    if (c != '.') s += c;
  std::string_view v = s;
  bool negative = false;
  if (!v.empty() && (v[0] == '-' || v[0] == '+')) {
    negative = v[0] == '-';
    v.remove_prefix(1);
  }
  const auto comma = v.find(',');
  std::string intPart(v.substr(0, comma));
  std::string frac(comma == std::string_view::npos ? std::string_view{} : v.substr(comma + 1));
  auto digitsOnly = [](std::string_view d) { return d.find_first_not_of("0123456789") == std::string_view::npos; };
  if ((intPart.empty() && frac.empty()) || !digitsOnly(intPart) || !digitsOnly(frac)) return finish("Erro", padding);
  // Two decimals, the third rounding half away from zero.
  const bool roundUp = frac.size() > 2 && frac[2] >= '5';
  frac.resize(2, '0');
  frac.resize(2);
  std::string all = intPart + frac;
  if (roundUp) increment(all);
  if (all.size() < 3) all.insert(0, 3 - all.size(), '0');
  const std::string_view a = all;
  return finish(group(a.substr(0, a.size() - 2), a.substr(a.size() - 2), negative), padding);
}

std::string formatCents(std::string_view cents, AmountPadding padding) {
  const auto v = trimBlanks(cents);
  if (!isNumeric(v)) return std::string(v);
  // Read as cents whatever the length, so a short or long value is not shifted.
  const std::string all = fitRight(v, v.size() < 3 ? 3 : v.size());
  const std::string_view a = all;
  return finish(group(a.substr(0, a.size() - 2), a.substr(a.size() - 2), false), padding);
}

std::string formatInscription(std::string_view inscription, std::string_view kind) {
  std::string v(inscription);
  const std::size_t count = text::characterCount(v);
  if (count == 12 && kind == "3") v.insert(0, "00");
  if (count == 11 && kind == "4") v.insert(0, "000");
  if (text::characterCount(v) != 14) return v;
  auto p = [&](std::size_t from, std::size_t to) { return std::string(text::characterSubstr(v, from - 1, to - from + 1)); };
  if (kind == "1") return p(1, 2) + "." + p(3, 5) + "." + p(6, 8) + "/" + p(9, 12) + "-" + p(13, 14);
  if (kind == "3") return p(3, 4) + "-" + p(5, 7) + "-" + p(8, 9) + "." + p(10, 12) + "-" + p(13, 13) + "/" + p(14, 14);
  if (kind == "4") return p(4, 6) + "." + p(7, 9) + "." + p(10, 12) + "-" + p(13, 14);
  return v;
}

std::string formatPis(std::string_view pis) {
  if (text::characterCount(pis) != 11) return std::string(pis);
  auto p = [&](std::size_t from, std::size_t n) { return std::string(text::characterSubstr(pis, from, n)); };
  return p(0, 3) + "." + p(3, 5) + "." + p(8, 2) + "." + p(10, 1);
}

}  // namespace torvex::core::validation
