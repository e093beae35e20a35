#pragma once
// What the entry windows share: the values a window shows, keyed by the column
// name of the field (the widget carries the same name), and the outcome of a
// field check: the message to show, whether the move is cancelled, and which
// field gets the focus back.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace torvex::core::entry {

// Displayed text of each field, by field name.
using FieldValues = std::map<std::string, std::string, std::less<>>;

struct FieldOutcome {
  std::string code = "0000";  // message to show; "0000" shows nothing
  bool refuses = false;       // the move (or the save) is cancelled
  std::string focus;          // field that gets the focus back on refusal
  std::string next;           // on acceptance: the field the focus moves to ("" the natural tab order)

  bool accepted() const { return !refuses; }
  bool showsMessage() const { return code != "0000" && !code.empty(); }

  static FieldOutcome accept() { return {}; }
  static FieldOutcome refuse(std::string_view code, std::string_view focus) {
    return {std::string(code), true, std::string(focus)};
  }
  // A refusal whose message was already shown (a question was asked instead).
  static FieldOutcome stop(std::string_view focus) { return {"0000", true, std::string(focus)}; }
  // A message that is shown without stopping the user.
  static FieldOutcome warn(std::string_view code) { return {std::string(code), false, {}}; }
  // Accepted, the focus moving on to a fixed field.
  static FieldOutcome moveTo(std::string_view next) { return {"0000", false, {}, std::string(next)}; }
};

// The value of a field ("" when the window has none).
std::string_view valueOf(const FieldValues& values, std::string_view field);
// The digits of a text, in order (punctuation of a masked field dropped).
std::string digitsOf(std::string_view text);
// Leading and trailing blanks removed.
std::string trimmed(std::string_view text);
// Something was typed: a character other than blanks and mask punctuation.
bool filled(std::string_view text);
// A count or number as shown: leading zeros dropped, all zeros empty.
std::string shownNumber(std::string_view stored);

// A money text typed in the Brazilian form ("1.234,56", "150", "0,5") in cents;
// nullopt when it is not an amount.
std::optional<std::int64_t> parseAmount(std::string_view text);
// Cents shown as money: "1.234,56"; an empty or non-numeric value shows "0,00".
std::string shownAmount(std::string_view storedCents);
// "ddmmyyyy" shown as "dd/mm/yyyy"; an empty or all-zero date shows empty.
std::string shownDate(std::string_view stored);

}  // namespace torvex::core::entry
