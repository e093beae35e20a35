#include "core/store/reference_lookup.h"

#include <array>
#include <cctype>
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

namespace torvex::core::store {
namespace {

// Hash maps keyed by std::string that can be searched with a string_view
// without building a string on every look-up.
struct TextHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view s) const noexcept { return std::hash<std::string_view>{}(s); }
};
template <typename V>
using TextMap = std::unordered_map<std::string, V, TextHash, std::equal_to<>>;

struct CodeTableSource {
  CodeTable table;
  const char* name;
  const char* codeField;
  const char* nameField;  // nullptr: the table has no name column
  std::size_t codeWidth;  // codes of another length are headings of the look-up lists, not codes
};

// Where each code table lives. Headings (2-character state rows, CNAE
// divisions, the upper CBO levels) share the key column with the codes, so
// only rows of the full code width count as codes.
constexpr std::array<CodeTableSource, 17> kCodeTables{{
    {CodeTable::Nationality, "tb8NACIO", "CoNacionalidade", "NoNacionalidade", 0},
    {CodeTable::Schooling, "tb8INSTR", "CoInstrucao", "NoInstrucao", 0},
    {CodeTable::AdmissionType, "tb8TPADM", "CoTipoAdmissao", "NoTipoAdmissao", 0},
    {CodeTable::Race, "Tb8raca", "CoRaca", "NoRaca", 0},
    {CodeTable::Occupation, "tb8cbo", "CoCbo", "NoCbo", 6},
    {CodeTable::LinkType, "tb8vinc", "CoVinculo", "NoVinculo", 0},
    {CodeTable::TerminationCause, "tb8DESL", "CoCausaDesligamento", "NoCausaDesligamento", 0},
    {CodeTable::SalaryType, "tb8TPSAL", "CoTipoSalarioContratual", "NoTipoSalarioContratual", 0},
    {CodeTable::LeaveReason, "tb8Afast", "CoAfastamento", "NoAfastamento", 0},
    {CodeTable::Disability, "tbDefi", "CoTipoDeficiencia", "NoTipoDeficiencia", 0},
    {CodeTable::Activity, "tb8Cnae", "CoCnae", "NoCnae", 7},
    {CodeTable::LegalNature, "tb8NATJU", "CoNaturezaJuridica", "NoNaturezaJuridica", 0},
    {CodeTable::Municipality, "tb8MUNIC", "CoMunicipio", "NoMunicipio", 7},
    {CodeTable::BaseMonth, "TB8BASE", "MeDataBase", nullptr, 0},
    {CodeTable::EmployersEntity, "tbEmpreg", "CoCnpjEmpregador", nullptr, 0},
    {CodeTable::WorkersEntity, "tbTrab", "CoCnpjTrabalhadores", nullptr, 0},
    {CodeTable::UnionCentral, "tbSindic", "CoCnpjCentrSindical", nullptr, 0},
}};

struct PrefixRange {
  std::uint32_t first = 0;  // five-digit prefixes, inclusive
  std::uint32_t last = 0;
};

struct MunicipalityCep {
  std::string prefix;  // CoCep, used when InFaixa is "0"
  bool usesRanges = false;
};

// The value of a string of digits; nullopt when it is empty or has anything else.
std::optional<std::uint32_t> digitsValue(std::string_view s) {
  if (s.empty() || s.size() > 9) return std::nullopt;
  std::uint32_t v = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return std::nullopt;
    v = v * 10 + static_cast<std::uint32_t>(c - '0');
  }
  return v;
}

// A range of five-digit prefixes read from two columns; nullopt when not informed.
std::optional<PrefixRange> prefixRange(const std::string& first, const std::string& last) {
  const auto a = digitsValue(first);
  const auto b = digitsValue(last);
  if (!a || !b || (*a == 0 && *b == 0)) return std::nullopt;
  return PrefixRange{*a, *b};
}

// The first five digits of an eight-digit CEP as a number.
std::optional<std::uint32_t> cepPrefix(std::string_view cep) {
  if (cep.size() != 8 || !digitsValue(cep)) return std::nullopt;
  return digitsValue(cep.substr(0, 5));
}

std::string upper(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace

struct ReferenceLookup::Data {
  std::array<TextMap<std::string>, kCodeTables.size()> codes;  // code -> name ("" without a name column)
  TextMap<MunicipalityCep> municipalityCep;
  TextMap<std::vector<PrefixRange>> municipalityRanges;  // tb8FXCEP
  TextMap<std::string> stateAbbreviation;                // CoUf -> SgUf
  TextMap<std::string> stateByAbbreviation;              // SgUf upper case -> CoUf
  TextMap<std::vector<PrefixRange>> stateRanges;         // tbUfCep
  TextMap<EarlierActivity> earlierActivity;
  TextMap<OccupationRules> occupationRules;
  TextMap<MessageRow> messages;

  const TextMap<std::string>& of(CodeTable t) const { return codes[static_cast<std::size_t>(t)]; }
};

namespace {

// Walks every row of a table (an absent table reads as empty: the start-up
// check, not the look-ups, is what refuses a folder with missing tables).
template <typename F>
void eachRow(Database& db, const std::string& table, F&& f) {
  if (!db.tableExists(table)) return;
  Statement st = db.prepare("SELECT * FROM " + quoteIdentifier(table));
  while (st.step()) f(st);
}

}  // namespace

ReferenceLookup::ReferenceLookup(Database& db) : data_(std::make_unique<Data>()) {
  Data& d = *data_;
  for (const auto& src : kCodeTables) {
    auto& map = d.codes[static_cast<std::size_t>(src.table)];
    eachRow(db, src.name, [&](Statement& st) {
      std::string code = st.text(src.codeField);
      if (src.codeWidth != 0 && code.size() != src.codeWidth) return;
      map.emplace(std::move(code), src.nameField ? st.text(src.nameField) : std::string());
    });
  }
  eachRow(db, "tb8MUNIC", [&](Statement& st) {
    std::string code = st.text("CoMunicipio");
    if (code.size() != 7) return;
    d.municipalityCep.emplace(std::move(code), MunicipalityCep{st.text("CoCep"), st.text("InFaixa") != "0"});
  });
  eachRow(db, "tb8FXCEP", [&](Statement& st) {
    auto& ranges = d.municipalityRanges[st.text("CoMunicipio")];
    for (const auto& [a, b] : {std::pair{"CoCep1Inicial", "CoCep1Final"}, std::pair{"CoCep2Inicial", "CoCep2Final"}})
      if (auto r = prefixRange(st.text(a), st.text(b))) ranges.push_back(*r);
  });
  eachRow(db, "TbUf", [&](Statement& st) {
    const std::string code = st.text("CoUf");
    const std::string abbreviation = st.text("SgUf");
    d.stateAbbreviation.emplace(code, abbreviation);
    d.stateByAbbreviation.emplace(upper(abbreviation), code);
  });
  eachRow(db, "tbUfCep", [&](Statement& st) {
    if (auto r = prefixRange(st.text("CoCepInicial"), st.text("CoCepFinal"))) d.stateRanges[st.text("CoUf")].push_back(*r);
  });
  eachRow(db, "tbcnaeco", [&](Statement& st) {
    d.earlierActivity.emplace(st.text("CoCnae2"), EarlierActivity{st.text("CoCnae1"), st.text("InPreferencial")});
  });
  eachRow(db, "tb8cbo", [&](Statement& st) {
    std::string code = st.text("CoCbo");
    if (code.size() != 6) return;
    d.occupationRules.emplace(std::move(code), OccupationRules{st.logical(st.columnIndex("InCriticaCbo")).value_or(false),
                                                               st.logical(st.columnIndex("InCriticaAna")).value_or(false)});
  });
  eachRow(db, "tb8MSG", [&](Statement& st) {
    d.messages.emplace(st.text("NuMensagem"), MessageRow{st.text("TpMensagem"), st.text("TxMensagem")});
  });
}

ReferenceLookup::~ReferenceLookup() = default;

bool ReferenceLookup::exists(CodeTable table, std::string_view code) const {
  return data_->of(table).find(code) != data_->of(table).end();
}

std::optional<std::string> ReferenceLookup::name(CodeTable table, std::string_view code) const {
  const auto& map = data_->of(table);
  const auto it = map.find(code);
  if (it == map.end()) return std::nullopt;
  return it->second;
}

std::optional<std::string> ReferenceLookup::municipalityName(std::string_view municipality) const {
  return name(CodeTable::Municipality, municipality);
}

std::optional<std::string> ReferenceLookup::stateOfMunicipality(std::string_view municipality) const {
  if (municipality.size() < 2) return std::nullopt;
  return stateAbbreviation(municipality.substr(0, 2));
}

std::optional<std::string> ReferenceLookup::stateCodeByAbbreviation(std::string_view abbreviation) const {
  const auto it = data_->stateByAbbreviation.find(upper(abbreviation));
  if (it == data_->stateByAbbreviation.end()) return std::nullopt;
  return it->second;
}

std::optional<std::string> ReferenceLookup::stateAbbreviation(std::string_view stateCode) const {
  const auto it = data_->stateAbbreviation.find(stateCode);
  if (it == data_->stateAbbreviation.end()) return std::nullopt;
  return it->second;
}

bool ReferenceLookup::cepBelongsToMunicipality(std::string_view cep, std::string_view municipality) const {
  const auto prefix = cepPrefix(cep);
  const auto m = data_->municipalityCep.find(municipality);
  if (!prefix || m == data_->municipalityCep.end()) return false;
  if (!m->second.usesRanges) return !m->second.prefix.empty() && cep.substr(0, 5) == m->second.prefix;
  // Ranges run from prefix+"000" to prefix+"999", so comparing the prefixes is the same test.
  const auto r = data_->municipalityRanges.find(municipality);
  if (r == data_->municipalityRanges.end()) return false;
  for (const auto& range : r->second)
    if (*prefix >= range.first && *prefix <= range.last) return true;
  return false;
}

bool ReferenceLookup::municipalityHasCepData(std::string_view municipality) const {
  const auto m = data_->municipalityCep.find(municipality);
  if (m == data_->municipalityCep.end()) return false;
  if (!m->second.usesRanges) return !m->second.prefix.empty();
  const auto r = data_->municipalityRanges.find(municipality);
  return r != data_->municipalityRanges.end() && !r->second.empty();
}

std::optional<MunicipalityCepData> ReferenceLookup::municipalityCepData(std::string_view municipality) const {
  const auto m = data_->municipalityCep.find(municipality);
  if (m == data_->municipalityCep.end()) return std::nullopt;
  return MunicipalityCepData{m->second.usesRanges, m->second.prefix,
                             data_->municipalityRanges.find(municipality) != data_->municipalityRanges.end()};
}

bool ReferenceLookup::cepBelongsToState(std::string_view cep, std::string_view stateCode) const {
  const auto prefix = cepPrefix(cep);
  const auto r = data_->stateRanges.find(stateCode);
  if (!prefix || r == data_->stateRanges.end()) return false;
  for (const auto& range : r->second)
    if (*prefix >= range.first && *prefix <= range.last) return true;
  return false;
}

std::optional<EarlierActivity> ReferenceLookup::earlierActivity(std::string_view cnae2) const {
  const auto it = data_->earlierActivity.find(cnae2);
  if (it == data_->earlierActivity.end()) return std::nullopt;
  return it->second;
}

std::optional<OccupationRules> ReferenceLookup::occupationRules(std::string_view cbo) const {
  const auto it = data_->occupationRules.find(cbo);
  if (it == data_->occupationRules.end()) return std::nullopt;
  return it->second;
}

std::optional<MessageRow> ReferenceLookup::message(std::string_view code) const {
  const auto it = data_->messages.find(code);
  if (it == data_->messages.end()) return std::nullopt;
  return it->second;
}

}  // namespace torvex::core::store
