#pragma once
// What the general error handler shows for an unexpected error: engine errors
// with their codes and texts, other data-access errors, and any other failure.
#include <exception>
#include <string>

namespace torvex::core::store {

struct ErrorReport {
  enum class Kind { Engine, Database, Other };
  Kind kind = Kind::Other;
  std::string text;   // the dialog text, line breaks as the dialog shows them
  bool beep = false;  // sound the exclamation beep before the dialog
  // Engine code 10756 while a lookup list bound to a table field has the focus:
  // nothing is shown (the program still ends).
  bool silent = false;
};

inline constexpr const char* kUnexpectedErrorClosing =
    "\n\r\n\rErro não previsto.\n\rContatar a VALNOR comunicando todos os itens da mensagem.";

// Builds the report for an error; `focusOnBoundLookup` tells whether the focused
// control is a lookup list bound to a table field.
ErrorReport buildErrorReport(const std::exception& error, bool focusOnBoundLookup = false);

}  // namespace torvex::core::store
