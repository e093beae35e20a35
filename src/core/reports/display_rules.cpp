#include "core/reports/display_rules.h"

#include <array>

#include "core/store/table_def.h"
#include "core/validation/formatters.h"
#include "core/validation/text_ops.h"

namespace torvex::core::reports {
namespace {

using store::equalsIgnoreCase;

bool allDigits(std::string_view v) { return !v.empty() && v.find_first_not_of("0123456789") == std::string_view::npos; }
bool allZeros(std::string_view v) { return !v.empty() && v.find_first_not_of('0') == std::string_view::npos; }
bool startsWithIgnoreCase(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && equalsIgnoreCase(s.substr(0, prefix.size()), prefix);
}

struct InscriptionPair {
  std::string_view inscription, kind;
};
constexpr std::array<InscriptionPair, 3> kInscriptionPairs{{
    {"CoCgcCeiEstabelecimento", "InInscrEstabelecimento"},
    {"CoCgcCeiResponsavel", "InInscrResponsavel"},
    {"inscricao", "tipoinscricao"},
}};

struct NamedRule {
  std::string_view column;
  DisplayRule rule;
};
constexpr std::array<NamedRule, 21> kNamedRules{{
    {"CoCgcVinculado", DisplayRule::LinkedCei},
    {"DaEncerramentoAtividade", DisplayRule::ClosingDate},
    {"NuEnderecoEstabelecimento", DisplayRule::PlainNumber},
    {"NuVinculosEstabelecimento", DisplayRule::PlainNumber},
    {"AnChegadaEmpregado", DisplayRule::PlainNumber},
    {"NuVinculoPatMaior5", DisplayRule::PlainNumber},
    {"NuVinculoPatMenor5", DisplayRule::PlainNumber},
    {"NuTotalDesligados", DisplayRule::PlainNumber},
    {"NuTotalDuplicados", DisplayRule::PlainNumber},
    {"NuTotalImportados", DisplayRule::PlainNumber},
    {"VaSalContratualEmpregado", DisplayRule::Amount9},
    {"Va13AdiantamentoEmpregado", DisplayRule::Amount9},
    {"Va13ParcelaFinalEmpregado", DisplayRule::Amount9},
    {"VaAvisoPrevioEmpregado", DisplayRule::Amount9},
    {"CoMunicipioTrabalho", DisplayRule::Municipality},
    {"CoCNPJSindical", DisplayRule::CnpjColumn},
    {"CoCNPJAssociativa", DisplayRule::CnpjColumn},
    {"CoCNPJPrimAssociativa", DisplayRule::CnpjColumn},
    {"CoCNPJSegAssociativa", DisplayRule::CnpjColumn},
    {"CoCNPJAssistencial", DisplayRule::CnpjColumn},
    {"CoCNPJConfederativa", DisplayRule::CnpjColumn},
}};

constexpr std::array<std::string_view, 12> kMonths{"Janeiro", "Fevereiro", "Marco",    "Abril",   "Maio",     "Junho",
                                                  "Julho",   "Agosto",    "Setembro", "Outubro", "Novembro", "Dezembro"};

bool isMonthlyAmount(std::string_view column) {
  for (auto m : kMonths)
    if (equalsIgnoreCase(column, "Va" + std::string(m) + "Empregado")) return true;
  return false;
}

}  // namespace

std::string_view kindColumnFor(std::string_view inscriptionColumn) {
  for (const auto& p : kInscriptionPairs)
    if (equalsIgnoreCase(p.inscription, inscriptionColumn)) return p.kind;
  return {};
}

DisplayRule displayRuleFor(std::string_view column) {
  if (!kindColumnFor(column).empty()) return DisplayRule::Inscription;
  for (const auto& r : kNamedRules)
    if (equalsIgnoreCase(r.column, column)) return r.rule;
  if (column == "CoCNPJCentralizada") return DisplayRule::CnpjColumn;
  if (isMonthlyAmount(column)) return DisplayRule::Amount9;
  if (startsWithIgnoreCase(column, "VaGlobal")) return DisplayRule::Amount8;
  return DisplayRule::AsStored;
}

std::string displayInscription(std::string_view inscription, std::string_view kind) {
  if (kind != "1" && kind != "3" && kind != "4") return {};
  if (validation::trimBlanks(inscription).empty()) return {};
  return validation::formatInscription(inscription, kind);
}

std::string displayLinkedCei(std::string_view cei) {
  if (validation::trimBlanks(cei).empty() || allZeros(cei)) return {};
  return validation::formatInscription(cei, "3");
}

std::string displayDate8(std::string_view d) {
  if (validation::trimBlanks(d).empty() || allZeros(d)) return {};
  if (d.size() != 8 || !allDigits(d)) return std::string(d);
  return std::string(d.substr(0, 2)) + "/" + std::string(d.substr(2, 2)) + "/" + std::string(d.substr(4, 4));
}

std::string displayDate4(std::string_view d) {
  if (validation::trimBlanks(d).empty() || allZeros(d)) return {};
  if (d.size() != 4 || !allDigits(d)) return std::string(d);
  return std::string(d.substr(0, 2)) + "/" + std::string(d.substr(2, 2));
}

std::string displayPlainNumber(std::string_view value) {
  const auto v = validation::trimBlanks(value);
  if (!allDigits(v)) return std::string(v);
  return std::string(validation::stripLeadingZeros(v));  // all zeros give ""
}

std::string displayAmount(std::string_view cents, int digits) {
  if (!allDigits(cents)) return std::string(cents);
  // The mask shows the last `digits` characters: units before the last two, cents after.
  const std::string_view v = cents.size() > static_cast<std::size_t>(digits) ? cents.substr(cents.size() - digits) : cents;
  return validation::formatCents(v, validation::AmountPadding::None);
}

std::string displayMunicipality(std::string_view code) {
  if (validation::trimBlanks(code).empty() || allZeros(code)) return {};
  if (code.size() != 7) return std::string(code);
  return std::string(code.substr(0, 2)) + "-" + std::string(code.substr(2));
}

std::string displayPis(std::string_view pis) {
  if (validation::trimBlanks(pis).empty()) return {};
  return validation::formatPis(pis);
}

namespace {

// The rule of each column of a list of names, worked out once per list: the
// rows of a data set share theirs. The list is held so its address stays its own.
struct ColumnRules {
  ColumnNames names;
  std::vector<DisplayRule> rules;
  std::vector<std::string_view> kindColumns;
};

const ColumnRules& rulesOf(const Row& row) {
  thread_local ColumnRules last;
  if (last.names != row.names()) {
    last.names = row.names();
    last.rules.clear();
    last.kindColumns.clear();
    for (std::size_t i = 0; i < row.size(); ++i) {
      last.rules.push_back(displayRuleFor(row.name(i)));
      last.kindColumns.push_back(kindColumnFor(row.name(i)));
    }
  }
  return last;
}

}  // namespace

void applyDisplayRules(Row& row) {
  const ColumnRules& columns = rulesOf(row);
  // Kinds first, read as stored, so that every inscription of the row finds its own.
  std::vector<std::string> display(row.size());
  for (std::size_t i = 0; i < row.size(); ++i) {
    const std::string& v = row.value(i);
    switch (columns.rules[i]) {
      case DisplayRule::AsStored: display[i] = v; break;
      case DisplayRule::Inscription: display[i] = displayInscription(v, row[columns.kindColumns[i]]); break;
      case DisplayRule::CnpjColumn: display[i] = allZeros(v) ? std::string() : displayInscription(v, "1"); break;
      case DisplayRule::LinkedCei: display[i] = displayLinkedCei(v); break;
      case DisplayRule::ClosingDate: display[i] = displayDate8(v); break;
      case DisplayRule::PlainNumber: display[i] = displayPlainNumber(v); break;
      case DisplayRule::Amount9: display[i] = displayAmount(v, 9); break;
      case DisplayRule::Amount8: display[i] = displayAmount(v, 8); break;
      case DisplayRule::Municipality: display[i] = displayMunicipality(v); break;
    }
  }
  for (std::size_t i = 0; i < row.size(); ++i) row.value(i) = std::move(display[i]);
}

}  // namespace torvex::core::reports
