#pragma once
// Display forms of amounts (integer cents, "1.234,56"), inscriptions and PIS numbers.
#include <string>
#include <string_view>

namespace torvex::core::validation {

// Whether an amount is padded on the left with blanks (by its length) to line
// columns up in a proportional font, or left bare for right-aligned widgets.
enum class AmountPadding { Table, None };

// Text as entered ("1.234,5"): dots removed, "," as decimal separator, shown
// with thousands "." and two decimals; "Erro" when it is not a number.
std::string formatEnteredAmount(std::string_view text, AmountPadding padding = AmountPadding::Table);
// A stored cents value (9-digit or 8-digit fields): "000123456" gives "1.234,56".
// A value that is not numeric comes back trimmed and unformatted.
std::string formatCents(std::string_view cents, AmountPadding padding = AmountPadding::Table);
// The blank padding of the display table applied to a formatted amount.
std::string padAmount(std::string_view formatted);

// Kind "1": 11.222.333/0001-81; "3": 12-345-67.890-1/2 (CEI); "4": 123.456.789-01 (CPF).
// A 12-character CEI gets "00" in front, an 11-character CPF "000". Other kinds unchanged.
std::string formatInscription(std::string_view inscription, std::string_view kind);
// 11 digits shown as 123.45678.90.1; other values unchanged.
std::string formatPis(std::string_view pis);

}  // namespace torvex::core::validation
