#include "core/entry/entry_lists.h"

#include "core/store/declaration_state.h"
#include "core/validation/establishment_validators.h"
#include "core/validation/formatters.h"
#include "core/validation/value_tests.h"

namespace torvex::core::entry {
namespace val = validation;

const std::vector<std::string>& letterButtons() {
  static const std::vector<std::string> letters = {"",   "A",  "B",  "C",  "D",  "EF", "GH", "IJ", "KL",
                                                   "M",  "N",  "O",  "PQ", "RS", "TU", "VW", "X",  "YZ"};
  return letters;
}

namespace {

// "A%" / "" or "E%" / "F%" for a letter button.
std::pair<std::string, std::string> letterPatterns(const std::string& letters) {
  if (letters.empty()) return {};
  return {letters.substr(0, 1) + "%", letters.size() > 1 ? letters.substr(1, 1) + "%" : ""};
}

}  // namespace

void EntryList::start(store::Statement st) {
  st_ = std::make_unique<store::Statement>(std::move(st));
  keys_.clear();
  done_ = false;
}

std::vector<std::vector<std::string>> EntryList::next(int count) {
  std::vector<std::vector<std::string>> rows;
  while (!done_ && static_cast<int>(rows.size()) < count) {
    if (!st_->step()) {
      done_ = true;
      st_.reset();
      break;
    }
    rows.push_back(shown(*st_));
    keys_.push_back(key(*st_));
  }
  return rows;
}

const std::vector<ListColumn>& EstablishmentList::columns() const {
  static const std::vector<ListColumn> cols = {
      {"CNPJ/CEI", 18}, {"Prefixo", 7}, {"Nome/Firma/Razão Social", 40}, {"CEI Vinculado", 17}, {"Empregados", 10}};
  return cols;
}

void EstablishmentList::open(const ListFilter& filter) {
  std::string sql =
      "Select anbase, coCgcCeiEstabelecimento, NuPrefixoEstabelecimento, NoRazaoEstabelecimento, "
      "InInscrEstabelecimento, NuVinculosEstabelecimento, CoCgcVinculado from bd8emp where anbase = :anbase ";
  if (!filter.number.empty())
    sql += "and((CoCgcCeiEstabelecimento like :PCgcCei and InInscrEstabelecimento <> '2') "
           "or (CoCgcCeiEstabelecimento like '00' || :PCgcCei and InInscrEstabelecimento = '2') "
           "or (CoCgcCeiEstabelecimento like :PCgcCei and InInscrEstabelecimento is null)) ";
  const auto [letter1, letter2] = letterPatterns(filter.letters);
  if (!filter.name.empty()) sql += "and NoRazaoEstabelecimento like :PRazaoEstab ";
  else if (!filter.letters.empty())
    sql += "and ((NoRazaoEstabelecimento like :PLetra1) or (NoRazaoEstabelecimento like :PLetra2)) ";
  sql += "order by AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento";
  auto st = db_.prepare(sql);
  st.bind(":anbase", store::kBaseYear);
  if (!filter.number.empty()) st.bind(":PCgcCei", filter.number + "%");
  if (!filter.name.empty()) st.bind(":PRazaoEstab", filter.name + "%");
  else if (!filter.letters.empty()) st.bind(":PLetra1", letter1).bind(":PLetra2", letter2);
  start(std::move(st));
}

std::vector<std::string> EstablishmentList::shown(store::Statement& st) const {
  const std::string inscription = st.text(1);
  const std::string kind = st.text(4);
  std::string shownInscription = inscription;
  if (kind == "1") shownInscription = val::formatInscription(inscription, "1");
  else if (kind == "3" && inscription.size() == 14) shownInscription = val::formatInscription(inscription.substr(2), "3");
  const std::string linked = st.text(6);
  const std::string shownLinked =
      linked.empty() || val::isAllZero(linked) || linked.size() != 14 ? "" : val::formatInscription(linked.substr(2), "3");
  return {shownInscription, st.text(2), st.text(3), shownLinked, st.text(5)};
}

std::vector<std::string> EstablishmentList::key(store::Statement& st) const {
  return {st.text(0), st.text(1), st.text(2), st.text(4)};
}

const std::vector<ListColumn>& EmployeeList::columns() const {
  static const std::vector<ListColumn> cols = {
      {"PIS/PASEP", 15}, {"Nome do Empregado/Servidor", 40}, {"Data Admissão", 12}};
  return cols;
}

void EmployeeList::open(const ListFilter& filter) {
  std::string sql =
      "Select coPisPasepEmpregado, NoEmpregado, daAdmissaoEmpregado, daNascimentoEmpregado from bd8Vinc where "
      "anbase = :anbase and coCgcCeiEstabelecimento = :coCgcCeiEstabelecimento and "
      "NuPrefixoEstabelecimento = :NuPrefixoEstabelecimento ";
  if (!filter.number.empty()) sql += "and CoPisPasepEmpregado like :PPisPasep ";
  const auto [letter1, letter2] = letterPatterns(filter.letters);
  if (!filter.name.empty()) sql += "and NoEmpregado like :PNoEmpregado ";
  else if (!filter.letters.empty()) sql += "and ((NoEmpregado like :PLetra1) or (NoEmpregado like :PLetra2)) ";
  sql += "order by AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, CoPisPasepEmpregado";
  auto st = db_.prepare(sql);
  st.bind(":anbase", establishment_.baseYear)
      .bind(":coCgcCeiEstabelecimento", establishment_.inscription)
      .bind(":NuPrefixoEstabelecimento", establishment_.prefix);
  if (!filter.number.empty()) st.bind(":PPisPasep", filter.number + "%");
  if (!filter.name.empty()) st.bind(":PNoEmpregado", filter.name + "%");
  else if (!filter.letters.empty()) st.bind(":PLetra1", letter1).bind(":PLetra2", letter2);
  start(std::move(st));
}

std::vector<std::string> EmployeeList::shown(store::Statement& st) const {
  const std::string admission = st.text(2);
  return {val::formatPis(st.text(0)), st.text(1), shownDate(admission)};
}

std::vector<std::string> EmployeeList::key(store::Statement& st) const {
  return {st.text(0), st.text(2), st.text(1)};
}

std::string correctedKind(std::string_view inscription, std::string_view storedKind) {
  const auto code = val::checkEstablishmentInscription(inscription);
  if (code != "0050" && code != "0051" && code != "0052") return "!";
  if (val::checkKindMatchesNumber(inscription, storedKind) == val::kValid &&
      (storedKind == "1" || storedKind == "3"))
    return {};
  if (code == "0051") return "1";
  if (code == "0052") return "3";
  return "?";
}

void setEstablishmentKind(store::Database& db, const EstablishmentKey& key, std::string_view kind) {
  db.prepare("UPDATE BD8Emp SET InInscrEstabelecimento = :k WHERE AnBase = :a AND CoCgcCeiEstabelecimento = :i AND "
             "NuPrefixoEstabelecimento = :p")
      .bind(":k", kind)
      .bind(":a", key.baseYear)
      .bind(":i", key.inscription)
      .bind(":p", key.prefix)
      .run();
}

bool hasEstablishments(store::Database& db) {
  auto st = db.prepare("Select count(*) as numEstab from bd8emp");
  st.step();
  return st.integer(0) > 0;
}

}  // namespace torvex::core::entry
