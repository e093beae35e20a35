#pragma once
// How the values of report data sets are shown: inscriptions by their kind,
// amounts in reais, blank for "not informed", municipality and date forms.
// Applied to every row before a report sees it, so that each report shows a
// column the same way.
#include <string>
#include <string_view>

#include "core/reports/row.h"

namespace torvex::core::reports {

enum class DisplayRule {
  AsStored,
  Inscription,   // by the kind column that belongs to it; an unknown kind shows nothing
  CnpjColumn,    // a CNPJ with no kind column beside it (union and head-office CNPJs)
  LinkedCei,     // fourteen zeros show blank, anything else the CEI form
  ClosingDate,   // blank or "00000000" show blank, else dd/mm/aaaa
  PlainNumber,   // 0 shows blank, else the digits without leading zeros
  Amount9,       // cents in 9 digits (7 of reais)
  Amount8,       // cents in 8 digits (6 of reais): the VaGlobal columns
  Municipality,  // "0000000" shows blank, else "NN-NNNNN"
};

// The rule of a column, by its name.
DisplayRule displayRuleFor(std::string_view column);
// The kind column that gives an inscription column its form ("" when none).
std::string_view kindColumnFor(std::string_view inscriptionColumn);

// The rules one by one, for callers that format a single value.
std::string displayInscription(std::string_view inscription, std::string_view kind);
std::string displayLinkedCei(std::string_view cei);
std::string displayDate8(std::string_view ddmmyyyy);  // "00000000" and blank show blank
std::string displayDate4(std::string_view ddmm);      // "dd/mm"; "0000" and blank show blank
std::string displayPlainNumber(std::string_view value);
std::string displayAmount(std::string_view cents, int digits);  // not all digits: as stored
std::string displayMunicipality(std::string_view code);
std::string displayPis(std::string_view pis);                    // "NNN.NNNNN.NN.N"

// Applies the rules to every column of the row. Kinds are read from the row by
// name, so the order of the columns does not matter.
void applyDisplayRules(Row& row);

}  // namespace torvex::core::reports
