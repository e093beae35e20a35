#pragma once
// The error table read back for the findings report: rows in report order
// (errors first, each severity in recording order) with the message-table texts
// of their codes, as text for people and as JSON Lines for scripts.
#include <array>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "core/store/database.h"
#include "core/store/reference_lookup.h"

namespace torvex::core::consistency {

// The columns of Te8ErrWa, in table order.
inline constexpr std::array<std::string_view, 14> kErrorColumns{
    "errwar", "inscricao", "tipoinscricao", "prefixo", "tiporegistro", "retorno", "razaosocial",
    "copispasep", "noempregado", "DaAdmissao", "usoempresa", "lbl", "Conteudo", "Sequencial"};

struct ReportedFinding {
  std::array<std::string, 14> columns;  // in kErrorColumns order
  std::string texto;                    // message text of `retorno`
  std::string rotulo;                   // message text of `lbl`
  const std::string& operator[](std::string_view column) const;
};

// Calls `row` for every row of the error table in report order; answers the
// number of rows (0 when the table does not exist).
std::size_t forEachFinding(store::Database& db, const store::ReferenceLookup& reference,
                           const std::function<void(const ReportedFinding&)>& row);

// One JSON object (no line break), keyed by the column names plus "texto" and "rotulo".
std::string findingJson(const ReportedFinding& f);
// Whether `next` is one more row of the finding that starts with `first`: a rule
// records one row per label of a finding, one after the other, with the same
// severity, record and code. A label seen again starts a new finding.
bool sameFinding(std::span<const ReportedFinding> finding, const ReportedFinding& next);
// A few lines for people about one finding (its rows): severity, establishment,
// employee, each label with its content, message.
std::string findingText(std::span<const ReportedFinding> finding);
inline std::string findingText(const ReportedFinding& f) { return findingText({&f, 1}); }

}  // namespace torvex::core::consistency
