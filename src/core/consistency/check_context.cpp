#include "core/consistency/check_context.h"

namespace torvex::core::consistency {
namespace {

const Field kClosing{RecordKind::Establishment, "InEncerramentoAtividade"};
const Field kClosureDate{RecordKind::Establishment, "DaEncerramentoAtividade"};
const Field kYear{RecordKind::Link, "AnBase"};
const Field kInscription{RecordKind::Link, "CoCgcCeiEstabelecimento"};
const Field kPrefix{RecordKind::Link, "NuPrefixoEstabelecimento"};
const Field kPis{RecordKind::Link, "CoPisPasepEmpregado"};
const Field kName{RecordKind::Link, "NoEmpregado"};
const Field kAdmission{RecordKind::Link, "DaAdmissaoEmpregado"};

bool allZeros(std::string_view v) { return !v.empty() && v.find_first_not_of('0') == std::string_view::npos; }

std::string duplicateSql(std::string_view table, bool byName) {
  return "SELECT count(*) FROM " + store::quoteIdentifier(table) +
         " WHERE AnBase = :anbase AND CoCgcCeiEstabelecimento = :inscricao AND NuPrefixoEstabelecimento = :prefixo"
         " AND CoPisPasepEmpregado = :pispasep" +
         (byName ? " AND NoEmpregado = :nome" : "") + " AND DaAdmissaoEmpregado = :admissao";
}

std::string samePersonSql(std::string_view table, bool byName) {
  return "SELECT DaNascimentoEmpregado, DaAdmissaoEmpregado FROM " + store::quoteIdentifier(table) +
         " WHERE AnBase = :anbase AND CoCgcCeiEstabelecimento = :inscricao AND NuPrefixoEstabelecimento = :prefixo"
         " AND CoPisPasepEmpregado = :pispasep" +
         std::string(byName ? " AND NoEmpregado = :nome" : "");
}

}  // namespace

std::string referenceYear(const Record& establishment) {
  const std::string& date = establishment[kClosureDate];
  // A closure date that was not informed leaves the base year.
  if (establishment[kClosing] != "1" || date.size() != 8 || allZeros(date)) return std::string(kBaseYear);
  return date.substr(4) == kBaseYear ? std::string(kBaseYear) : std::string(kNextYear);
}

CheckContext::CheckContext(store::Database& db, const store::ReferenceLookup& reference, ErrorLog& log,
                           bool fileFlag, std::string_view linkTable)
    : reference_(reference),
      log_(log),
      fileFlag_(fileFlag),
      duplicateByPis_(db.prepare(duplicateSql(linkTable, false))),
      duplicateByName_(db.prepare(duplicateSql(linkTable, true))),
      personByPis_(db.prepare(samePersonSql(linkTable, false))),
      personByName_(db.prepare(samePersonSql(linkTable, true))) {
  log_.setEstablishment(&establishment_);
  log_.setLink(&link_);
}

void CheckContext::establishmentChanged() { referenceYear_ = consistency::referenceYear(establishment_); }

void CheckContext::finding(Severity severity, RecordType type, std::string_view code,
                           std::initializer_list<FindingRow> rows) {
  for (const auto& row : rows) log_.record(severity, type, code, row.label, row.content);
}

std::int64_t CheckContext::duplicateCount() {
  const bool byName = allZeros(link_[kPis]);
  auto& s = byName ? duplicateByName_ : duplicateByPis_;
  s.reset();
  s.bind(":anbase", link_[kYear]).bind(":inscricao", link_[kInscription]).bind(":prefixo", link_[kPrefix]);
  s.bind(":pispasep", link_[kPis]).bind(":admissao", link_[kAdmission]);
  if (byName) s.bind(":nome", link_[kName]);
  const std::int64_t count = s.step() ? s.integer(0) : 0;
  s.reset();
  return count;
}

const std::vector<std::string>& CheckContext::samePersonBirthDates() {
  const bool byName = allZeros(link_[kPis]);
  auto& s = byName ? personByName_ : personByPis_;
  s.reset();
  s.bind(":anbase", link_[kYear]).bind(":inscricao", link_[kInscription]).bind(":prefixo", link_[kPrefix]);
  s.bind(":pispasep", link_[kPis]);
  if (byName) s.bind(":nome", link_[kName]);
  birthDates_.clear();
  while (s.step()) birthDates_.push_back(s.text(0));
  s.reset();
  return birthDates_;
}

}  // namespace torvex::core::consistency
