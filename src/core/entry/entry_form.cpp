#include "core/entry/entry_form.h"

#include "core/validation/formatters.h"
#include "core/validation/text_ops.h"
#include "core/validation/value_tests.h"

namespace torvex::core::entry {

std::string_view valueOf(const FieldValues& values, std::string_view field) {
  const auto it = values.find(field);
  return it == values.end() ? std::string_view{} : std::string_view(it->second);
}

std::string digitsOf(std::string_view text) {
  std::string out;
  for (char c : text)
    if (c >= '0' && c <= '9') out += c;
  return out;
}

std::string trimmed(std::string_view text) {
  std::size_t b = 0, e = text.size();
  while (b < e && (text[b] == ' ' || text[b] == '\t')) ++b;
  while (e > b && (text[e - 1] == ' ' || text[e - 1] == '\t')) --e;
  return std::string(text.substr(b, e - b));
}

bool filled(std::string_view text) {
  for (char c : text)
    if (c != ' ' && c != '.' && c != '-' && c != '/' && c != '_' && c != '(' && c != ')') return true;
  return false;
}

std::string shownNumber(std::string_view stored) {
  return std::string(validation::stripLeadingZeros(validation::trimBlanks(stored)));
}

std::optional<std::int64_t> parseAmount(std::string_view text) {
  const std::string formatted = validation::formatEnteredAmount(trimmed(text), validation::AmountPadding::None);
  if (formatted == "Erro" || formatted.find('-') != std::string::npos) return std::nullopt;
  const std::string digits = digitsOf(formatted);
  if (digits.size() > 18) return std::nullopt;
  return validation::integerOrZero(digits);
}

std::string shownAmount(std::string_view storedCents) {
  const auto v = validation::trimBlanks(storedCents);
  if (!validation::isNumeric(v)) return "0,00";
  return validation::formatCents(v, validation::AmountPadding::None);
}

std::string shownDate(std::string_view stored) {
  const auto v = validation::trimBlanks(stored);
  if (validation::isNotInformed(v) || v.size() != 8) return std::string(v.size() == 8 ? "" : v);
  return std::string(v.substr(0, 2)) + "/" + std::string(v.substr(2, 2)) + "/" + std::string(v.substr(4, 4));
}

}  // namespace torvex::core::entry
