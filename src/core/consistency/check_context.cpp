#include "core/consistency/check_context.h"

#include "core/consistency/fields.h"
#include "core/text/utf8_text.h"

namespace torvex::core::consistency {

namespace estField = fields::establishment;
namespace linkField = fields::link;

namespace {

bool allZeros(std::string_view v) { return !v.empty() && v.find_first_not_of('0') == std::string_view::npos; }

std::string samePisSql(std::string_view columns, std::string_view table) {
  return "SELECT " + std::string(columns) + " FROM " + store::quoteIdentifier(table) +
         " WHERE AnBase = :anbase AND CoCgcCeiEstabelecimento = :inscricao AND NuPrefixoEstabelecimento = :prefixo"
         " AND CoPisPasepEmpregado = :pispasep";
}

constexpr std::string_view kDates = "DaNascimentoEmpregado, DaAdmissaoEmpregado";

// The rows of one PIS whose name is borne by more than one of them.
std::string sharedNamesSql(std::string_view table) {
  const std::string group = samePisSql("NoEmpregado", table);
  return samePisSql("NoEmpregado, " + std::string(kDates), table) + " AND NoEmpregado IN (" + group +
         " GROUP BY NoEmpregado HAVING count(*) > 1)";
}

}  // namespace

std::string referenceYear(const Record& establishment) {
  const std::string& date = establishment[estField::kClosureDate];
  // A closure date that was not informed leaves the base year.
  if (establishment[estField::kClosing] != "1" || text::characterCount(date) != 8 || allZeros(date))
    return std::string(kBaseYear);
  return text::characterSubstr(date, 4) == kBaseYear ? std::string(kBaseYear) : std::string(kNextYear);
}

CheckContext::CheckContext(store::Database& db, const store::ReferenceLookup& reference, ErrorLog& log,
                           bool fileFlag, std::string_view linkTable)
    : reference_(reference),
      log_(log),
      fileFlag_(fileFlag),
      personByPis_(db.prepare(samePisSql(kDates, linkTable))),
      sharedNames_(db.prepare(sharedNamesSql(linkTable))) {
  log_.setEstablishment(&establishment_);
  log_.setLink(&link_);
}

void CheckContext::establishmentChanged() { referenceYear_ = consistency::referenceYear(establishment_); }

void CheckContext::finding(Severity severity, RecordType type, std::string_view code,
                           std::initializer_list<FindingRow> rows) {
  for (const auto& row : rows) log_.record(severity, type, code, row.label, row.content);
}

void CheckContext::loadSharedNames() {
  std::string key = link_[linkField::kYear] + '\n' + link_[linkField::kInscription] + '\n' + link_[linkField::kPrefix] + '\n' + link_[linkField::kPis];
  if (key == sharedNamesKey_) return;
  sharedNamesKey_ = std::move(key);
  byName_.clear();
  auto& s = sharedNames_;
  s.reset();
  s.bind(":anbase", link_[linkField::kYear]).bind(":inscricao", link_[linkField::kInscription]).bind(":prefixo", link_[linkField::kPrefix]);
  s.bind(":pispasep", link_[linkField::kPis]);
  while (s.step()) byName_[s.text(0)].push_back({s.text(1), s.text(2)});
  s.reset();
}

const std::vector<CheckContext::Person>& CheckContext::samePis() {
  // Both rules of a link ask for the same rows: search once per link.
  if (personsLoad_ == linkLoads_) return *current_;
  personsLoad_ = linkLoads_;
  current_ = &persons_;
  persons_.clear();
  const std::string& pis = link_[linkField::kPis];
  // A PIS not informed (empty or all zeros) says nothing: the name tells people apart.
  if (!linkAlone_ && (pis.empty() || allZeros(pis))) {
    loadSharedNames();
    if (const auto it = byName_.find(link_[linkField::kName]); it != byName_.end()) current_ = &it->second;
  } else if (!linkAlone_) {
    auto& s = personByPis_;
    s.reset();
    s.bind(":anbase", link_[linkField::kYear]).bind(":inscricao", link_[linkField::kInscription]).bind(":prefixo", link_[linkField::kPrefix]);
    s.bind(":pispasep", pis);
    while (s.step()) persons_.push_back({s.text(0), s.text(1)});
    s.reset();
  }
  if (current_ == &persons_ && persons_.empty()) persons_.push_back({link_[linkField::kBirth], link_[linkField::kAdmission]});
  return *current_;
}

std::int64_t CheckContext::duplicateCount() {
  std::int64_t count = 0;
  for (const auto& p : samePis())
    if (p.admission == link_[linkField::kAdmission]) ++count;
  return count;
}

}  // namespace torvex::core::consistency
